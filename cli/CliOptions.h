#pragma once
// The command line of scrivane-cli.
#include <string>
#include <vector>

namespace scrivane::cli {

struct CliOptions {
    std::string command;  // "export", "import", "layout", "help", "version"
    std::string format;   // "pdf", "xhtml", "xml", "svg"; empty = from the output name
    bool formatGiven = false;  // --format was given (else the output name chose it)
    std::string formatFile;
    std::string lineOptions;
    bool noLineOptions = false;  // leave the editor's standard line options out
    bool optimize = false;
    bool animateSvg = false;
    bool convert = false;
    bool quiet = false;  // no warnings about the text's lines
    std::string input;
    std::string output;
};

// Parses argv; on a mistake returns false with a one-line message in error.
bool ParseCliOptions(const std::vector<std::string>& args, CliOptions& options,
                     std::string& error);

// Target code (a TargetFormat) of a format word ("pdf", "xhtml", ...), or 0 when unknown.
int FormatCode(const std::string& format);
// The format word that an output file name implies ("pdf" for unknown ones).
std::string FormatFromFileName(const std::string& fileName);

extern const char* const kUsage;

}  // namespace scrivane::cli
