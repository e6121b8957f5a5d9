#pragma once
// Writes a laid-out document as XHTML (20), XML (30) or SVG (40).
//
// Every text run becomes one positioned element: "div" in the XHTML body, "text" under
// the XML root or the SVG's style group (inside one extra "g" when the run has its own
// font). The SVG also places the images. XHTML and SVG carry the command-line block
// (FormatConditions, each entry followed by CR LF) in the "FC" attribute of a marker
// element, so that the reader can rebuild the source text:
//   XHTML: <META name="Vantor-FC-1.4" FC="..."/> as the last child of "head";
//   SVG:   <Vantor name="Vantor-FC-1.4" FC="..."/> as the last child of "svg".
// Page furniture (the blocks after a page's first) is drawn too but kept out of the
// reader's way: "span" instead of "div", an extra "g" level in the SVG, a "furniture"
// element in the XML.
// The file starts with an XML declaration (UTF-8) and has no DOCTYPE; it is written
// without indentation, so a reader that keeps whitespace text finds no extra nodes
// between the elements. The producer attribute is always the root's first attribute.
#include <cstdint>
#include <string>

namespace scrivane {

class vorDocument;

enum XmlWriteStatus : int16_t {
    kXmlWriteOk = 0,
    kXmlNoDocument = -11,     // the XML document could not be created (or no such format)
    kXmlInfoFailed = -56,     // the document information could not be added
    kXmlContentFailed = -12,  // the page content could not be added
};

// The name the marker element carries in its "name" attribute.
inline constexpr const char* kXmlFcMarkerName = "Vantor-FC-1.4";

// The file's bytes (UTF-8). animateSvg: the "AnimateSVGFiles" setting. On failure the
// bytes are empty.
int16_t BuildXmlFile(const vorDocument& document, int32_t targetFormat, bool animateSvg,
                     std::string& bytes);

}  // namespace scrivane
