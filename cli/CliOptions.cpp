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

namespace {

// The command word; false (with error) for none or an unknown one.
bool ParseCommand(const std::string& first, CliOptions& options, std::string& error) {
    if (first == "--help" || first == "-h" || first == "help") {
        options.command = "help";
    } else if (first == "--version" || first == "version") {
        options.command = "version";
    } else if (first == "export" || first == "import" || first == "layout") {
        options.command = first;
    } else {
        error = "unknown command '" + first + "' (try --help)";
        return false;
    }
    return true;
}

// One option at args[i] (i moves past its value); false (with error) for an option the
// command does not take or a value that is missing or wrong.
bool ParseOption(const std::vector<std::string>& args, size_t& i, CliOptions& options,
                 std::string& error) {
    const std::string& arg = args[i];
    auto value = [&](std::string& target) {
        if (i + 1 >= args.size()) {
            error = arg + " needs a value";
            return false;
        }
        target = args[++i];
        return true;
    };
    const bool exporting = options.command != "import";
    const bool exportOnly = options.command == "export";
    if (arg == "--format" && exporting) {
        if (!value(options.format)) return false;
        options.formatGiven = true;
        options.format = AsciiLower(options.format);
        if (FormatCode(options.format) == 0) {
            error = "unknown format '" + options.format + "' (pdf, xhtml, xml or svg)";
            return false;
        }
        return true;
    }
    if (arg == "--format-file" && exporting) return value(options.formatFile);
    if (arg == "--line-options" && exporting) return value(options.lineOptions);
    bool* flag = arg == "--no-line-options" && exporting ? &options.noLineOptions
                 : arg == "--optimize" && exportOnly    ? &options.optimize
                 : arg == "--animate-svg" && exportOnly ? &options.animateSvg
                 : arg == "--quiet" && exporting        ? &options.quiet
                 : arg == "--convert" && options.command == "import" ? &options.convert
                                                                      : nullptr;
    if (!flag) {
        error = "unknown option '" + arg + "' for " + options.command;
        return false;
    }
    *flag = true;
    return true;
}

// INPUT and OUTPUT (INPUT alone for layout), and the format OUTPUT's name implies.
bool TakePositional(const std::vector<std::string>& positional, CliOptions& options,
                    std::string& error) {
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

}  // namespace

bool ParseCliOptions(const std::vector<std::string>& args, CliOptions& options,
                     std::string& error) {
    if (args.empty()) {
        error = "no command given (try --help)";
        return false;
    }
    if (!ParseCommand(args[0], options, error)) return false;
    if (options.command == "help" || options.command == "version") return true;

    std::vector<std::string> positional;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            positional.insert(positional.end(), args.begin() + static_cast<long>(i) + 1,
                              args.end());
            break;
        }
        if (arg.size() > 1 && arg[0] == '-') {
            if (!ParseOption(args, i, options, error)) return false;
        } else {
            positional.push_back(arg);
        }
    }
    return TakePositional(positional, options, error);
}

}  // namespace scrivane::cli
