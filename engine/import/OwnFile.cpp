#include "import/OwnFile.h"

#include <new>

#include "format/OutputFormats.h"
#include "import/XmlReader.h"
#include "util/FileIO.h"
#include "util/TextUtil.h"

namespace scrivane {

namespace {

// Smaller files cannot hold the objects of any PDF this program writes.
constexpr size_t kShortestPdf = 100;

}  // namespace

int16_t CheckPdfBytes(std::string_view bytes) {
    if (bytes.size() < kShortestPdf) return kPdfTooShort;
    if (AsciiUpper(std::string(bytes.substr(0, 5))) != "%PDF-") return kPdfNoHeader;
    return kPdfReadOk;
}

int16_t ReadOwnFile(std::string_view bytes, int32_t format, PdfContents& contents) {
    switch (format) {
        case kTargetPdf: {
            int16_t status = CheckPdfBytes(bytes);
            if (status == kPdfReadOk) status = ParseOwnPdf(bytes, contents);
            return LoadStatusOfPdf(status);
        }
        case kTargetXhtml: return ParseOwnXml(bytes, XmlKind::Xhtml, contents);
        case kTargetXml: return ParseOwnXml(bytes, XmlKind::Xml, contents);
        case kTargetSvg: return ParseOwnXml(bytes, XmlKind::Svg, contents);
        default: return kLoadUnknownKind;
    }
}

int16_t ReadOwnFileBytes(const std::string& path, int32_t format, std::string& bytes) {
    if (format != kTargetPdf) {
        if (!ReadWholeFile(path, bytes)) return kXmlFileMissing;
        return kLoadOk;
    }
    // A PDF larger than memory is a file that cannot be read, as for the PDF reader.
    const int16_t missing = LoadStatusOfPdf(kPdfFileMissing);
    try {
        if (!ReadWholeFile(path, bytes)) return missing;
    } catch (const std::bad_alloc&) {
        return missing;
    }
    return kLoadOk;
}

}  // namespace scrivane
