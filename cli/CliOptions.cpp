#include "CliOptions.h"

#include "format/OutputFormats.h"
#include "util/TextUtil.h"

namespace scrivane::cli {

const char* const kUsage =
    "Usage:\n"
    "  scrivane-cli export [--format pdf|xhtml|xml|svg] [--format-file FILE]\n"
    "                      [--line-options FILE | --no-line-options] [--optimize]\n"
    "                      [--animate-svg] [--quiet] INPUT OUTPUT\n"
    "  scrivane-cli import [--convert] INPUT OUTPUT\n"
    "  scrivane-cli layout [--format ...] [--format-file FILE]\n"
    "                      [--line-options FILE | --no-line-options] [--quiet] INPUT\n"
    "  scrivane-cli --help | --version\n"
    "\n"
    "INPUT or OUTPUT \"-\" stands for standard input or output. Text files are read as\n"
    "UTF-16 when they start with a byte order mark, UTF-8 when they are valid UTF-8,\n"
    "otherwise Windows-1252; CR LF, LF and a lone CR all end a line. OUTPUT must end in\n"
    ".pdf, .htm, .xhtml, .xml or .svg unless --format is given.\n"
    "export and layout warn on standard error about lines of the text they cannot\n"
    "take as written (unknown commands, refused values, images that cannot be placed,\n"
    "characters written as \"?\"); the output is written all the same. --quiet\n"
    "silences them.\n";

int FormatCode(const std::string& format) {
    for (const OutputFormat& known : OutputFormats()) {
        if (format == known.word) return known.code;
    }
    return 0;
}

std::string FormatFromFileName(const std::string& fileName) {
    const OutputFormat* format = FormatOfFileName(fileName);
    return format ? format->word : FormatByCode(kTargetPdf)->word;
}

bool ParseCliOptions(const std::vector<std::string>& args, CliOptions& options,
                     std::string& error) {
    if (args.empty()) {
        error = "no command given (try --help)";
        return false;
    }
    const std::string& first = args[0];
    if (first == "--help" || first == "-h" || first == "help") {
        options.command = "help";
        return true;
    }
    if (first == "--version" || first == "version") {
        options.command = "version";
        return true;
    }
    if (first != "export" && first != "import" && first != "layout") {
        error = "unknown command '" + first + "' (try --help)";
        return false;
    }
    options.command = first;

    std::vector<std::string> positional;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& target) {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            target = args[++i];
            return true;
        };
        bool exporting = options.command != "import";
        if (arg == "--format" && exporting) {
            if (!value(options.format)) return false;
            options.formatGiven = true;
            options.format = AsciiLower(options.format);
            if (FormatCode(options.format) == 0) {
                error = "unknown format '" + options.format + "' (pdf, xhtml, xml or svg)";
                return false;
            }
        } else if (arg == "--format-file" && exporting) {
            if (!value(options.formatFile)) return false;
        } else if (arg == "--line-options" && exporting) {
            if (!value(options.lineOptions)) return false;
        } else if (arg == "--no-line-options" && exporting) {
            options.noLineOptions = true;
        } else if (arg == "--optimize" && options.command == "export") {
            options.optimize = true;
        } else if (arg == "--animate-svg" && options.command == "export") {
            options.animateSvg = true;
        } else if (arg == "--quiet" && exporting) {
            options.quiet = true;
        } else if (arg == "--convert" && options.command == "import") {
            options.convert = true;
        } else if (arg == "--") {
            positional.insert(positional.end(), args.begin() + static_cast<long>(i) + 1,
                              args.end());
            break;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option '" + arg + "' for " + options.command;
            return false;
        } else {
            positional.push_back(arg);
        }
    }
    size_t wanted = options.command == "layout" ? 1 : 2;
    if (positional.size() != wanted) {
        error = options.command + " needs " + (wanted == 1 ? "INPUT" : "INPUT and OUTPUT") +
                " (try --help)";
        return false;
    }
    if (options.noLineOptions && !options.lineOptions.empty()) {
        error = "--line-options and --no-line-options exclude each other";
        return false;
    }
    options.input = positional[0];
    if (wanted == 2) options.output = positional[1];
    if (options.format.empty()) {
        options.format = options.output.empty() || options.output == "-"
                             ? FormatByCode(kTargetPdf)->word
                             : FormatFromFileName(options.output);
    }
    return true;
}

}  // namespace scrivane::cli
