#include "InputChecks.h"

#include <filesystem>
#include <system_error>

#include "format/OutputFormats.h"
#include "util/TextInput.h"

namespace scrivane::cli {

namespace {

std::string Quoted(const std::string& name) { return "'" + name + "'"; }

// The command that reads a published file back, with the user's own names.
std::string ImportCommand(const CliOptions& options, bool convert) {
    std::string output = options.output.empty() ? "TEXT-FILE" : options.output;
    return std::string("scrivane-cli import ") + (convert ? "--convert " : "") +
           options.input + " " + output;
}

bool SameFile(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::exists(a, error) && fs::exists(b, error)) return fs::equivalent(a, b, error);
    fs::path left = fs::weakly_canonical(a, error);
    if (error) return false;
    fs::path right = fs::weakly_canonical(b, error);
    return !error && left == right;
}

}  // namespace

std::string RefuseAsText(const CliOptions& options, std::string_view inputBytes) {
    const std::string name = options.input == "-" ? "standard input" : Quoted(options.input);
    switch (ClassifyTextInput(inputBytes)) {
        case TextInputKind::kText:
            return {};
        case TextInputKind::kOwnPdf:
        case TextInputKind::kOwnXml:
            return name + " is a file PDF Jotter published, not a text; to get its text " +
                   "back use: " + ImportCommand(options, false);
        case TextInputKind::kOtherPdf:
            return name + " is a PDF file, not a text; to turn another program's PDF into " +
                   "text use: " + ImportCommand(options, true);
        case TextInputKind::kBinary:
            return name + " is not a text file (it holds NUL bytes)";
    }
    return {};
}

std::string RefuseOutput(const CliOptions& options) {
    if (options.output.empty() || options.output == "-") return {};
    if (options.input != "-" && SameFile(options.input, options.output)) {
        return "OUTPUT " + Quoted(options.output) + " is the INPUT file itself; it would be " +
               "overwritten";
    }
    if (options.command == "export" && !options.formatGiven &&
        !FormatOfFileName(options.output)) {
        return "OUTPUT " + Quoted(options.output) + " does not end in .pdf, .htm, .xhtml, " +
               ".xml or .svg; give --format to write that format under this name (are INPUT " +
               "and OUTPUT swapped?)";
    }
    return {};
}

}  // namespace scrivane::cli
