// Fuzz target: the readers of XML, SVG and XHTML files this program wrote. The first byte
// picks the kind.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "import/SourceText.h"
#include "import/XmlReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    using scrivane::XmlKind;
    const XmlKind kinds[] = {XmlKind::Xml, XmlKind::Svg, XmlKind::Xhtml};
    scrivane::PdfContents contents;
    std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (scrivane::ParseOwnXml(bytes, kinds[data[0] % 3], contents) == 0) {
        scrivane::RebuildSourceText(contents.pages, contents.sourceLines);
    }
    return 0;
}
