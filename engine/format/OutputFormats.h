#pragma once
// The four formats the program publishes and reads back, and everything that hangs on
// their codes: names, file extensions and the names of their format files.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace scrivane {

// Output format codes. The numbers are stored in settings and format files: keep them.
enum TargetFormat : int32_t {
    kTargetPdf = 10,
    kTargetXhtml = 20,
    kTargetXml = 30,
    kTargetSvg = 40,
};

struct OutputFormat {
    TargetFormat code;
    const char* name;         // "PDF", "XHTML", ...: shown to the user
    const char* word;         // "pdf", "xhtml", ...: the command line's --format and the
                              // key of the default format file (default.xhtml...)
    const char* extension;    // what an exported file is named with: ".pdf", ".htm", ...
    const char* alsoRead[2];  // further extensions taken as this format (null = none)
    const char* optionsKey;   // the key of the line options file (ashtm.htm...)
    const char* description;  // "PDF file", ...
};

// The four formats, in code order.
std::span<const OutputFormat> OutputFormats();

// Lookups; null when nothing matches.
const OutputFormat* FormatByCode(int32_t code);
// By name, word or options key, in any case: "pdf", "XHTML", "htm".
const OutputFormat* FormatByName(std::string_view name);
// By how the file name ends (any case): ".pdf", ".htm", ".html", ".xhtml", ".xml", ".svg".
const OutputFormat* FormatOfFileName(std::string_view fileName);

// The format that a file's bytes show, for input without a name (standard input): a PDF
// by its "%PDF" start, SVG or XHTML by "<svg" or "<html" in the first 4 KiB, else XML.
const OutputFormat& FormatOfContent(std::string_view bytes);

// Every format file name ends so: "default.pdf" + kFormatFileSuffix.
inline constexpr std::string_view kFormatFileSuffix = ".format.vantor.dorvex";
// "default.pdf.format.vantor.dorvex", ...; empty for an unknown code.
std::string DefaultFormatFileName(int32_t code);
// "ashtm.htm.format.vantor.dorvex", ...; empty for an unknown code.
std::string LineOptionsFileName(int32_t code);
// A named set of line options of the settings folder: "NAME.htm.format.vantor.dorvex".
std::string NamedOptionsFileName(std::string_view set, int32_t code);

// The source record names the format file it was laid out with: its name less this many
// characters, the length of the PDF's standard ending ".pdf.format.vantor.dorvex",
// whatever the format (files of every version are read with it).
inline constexpr size_t kRecordedFormatSuffixLength = 4 + kFormatFileSuffix.size();

}  // namespace scrivane
