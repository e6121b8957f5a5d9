#include "format/OutputFormats.h"

#include "util/TextUtil.h"

namespace scrivane {

namespace {

constexpr OutputFormat kFormats[] = {
    {kTargetPdf, "PDF", "pdf", ".pdf", {nullptr, nullptr}, "pdf", "PDF file"},
    {kTargetXhtml, "XHTML", "xhtml", ".htm", {".html", ".xhtml"}, "htm", "XHTML file"},
    {kTargetXml, "XML", "xml", ".xml", {nullptr, nullptr}, "xml", "XML file"},
    {kTargetSvg, "SVG", "svg", ".svg", {nullptr, nullptr}, "svg", "SVG file"},
};

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

}  // namespace

std::span<const OutputFormat> OutputFormats() { return kFormats; }

const OutputFormat* FormatByCode(int32_t code) {
    for (const OutputFormat& format : kFormats) {
        if (format.code == code) return &format;
    }
    return nullptr;
}

const OutputFormat* FormatByName(std::string_view name) {
    const std::string lower = AsciiLower(std::string(name));
    for (const OutputFormat& format : kFormats) {
        if (lower == format.word || lower == format.optionsKey) return &format;
    }
    return nullptr;
}

const OutputFormat* FormatOfFileName(std::string_view fileName) {
    const std::string lower = AsciiLower(std::string(fileName));
    for (const OutputFormat& format : kFormats) {
        if (EndsWith(lower, format.extension)) return &format;
        for (const char* also : format.alsoRead) {
            if (also && EndsWith(lower, also)) return &format;
        }
    }
    return nullptr;
}

const OutputFormat& FormatOfContent(std::string_view bytes) {
    std::string_view head = bytes.substr(0, 4096);
    int32_t code = head.substr(0, 4) == "%PDF"                     ? kTargetPdf
                   : head.find("<svg") != std::string_view::npos  ? kTargetSvg
                   : head.find("<html") != std::string_view::npos ? kTargetXhtml
                                                                  : kTargetXml;
    return *FormatByCode(code);
}

std::string DefaultFormatFileName(int32_t code) {
    const OutputFormat* format = FormatByCode(code);
    if (!format) return {};
    return std::string("default.") + format->word + std::string(kFormatFileSuffix);
}

std::string LineOptionsFileName(int32_t code) { return NamedOptionsFileName("ashtm", code); }

std::string NamedOptionsFileName(std::string_view set, int32_t code) {
    const OutputFormat* format = FormatByCode(code);
    if (!format) return {};
    return std::string(set) + "." + format->optionsKey + std::string(kFormatFileSuffix);
}

}  // namespace scrivane
