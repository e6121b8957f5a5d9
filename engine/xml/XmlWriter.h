#pragma once
// Writes a laid-out document as XHTML, XML or SVG.
//
// Every text run becomes one positioned element: "div" in the XHTML body, "text" under
// the XML root or the SVG's style group (inside one extra "g" when the run has its own
// font). The SVG also places the images. XHTML and SVG carry the command-line block
// (FormatConditions, each entry followed by CR LF) in the "FC" attribute of a marker
// element (named kSourceMarkerName, util/ProgramInfo.h), so that the reader can rebuild
// the source text:
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
#include <vector>

#include "model/vorInfos.h"
#include "model/vorPages.h"

#include "util/Status.h"
namespace scrivane {

// Everything the writers read from a document.
struct XmlSource {
    const vorPages* pages = nullptr;
    const vorInfos* infos = nullptr;                        // null = no information
    const std::vector<std::string>* sourceLines = nullptr;  // the source record
    std::string fontName;  // the document's face and size: runs that differ say so
    std::string fontSize;
    bool animateSvg = false;  // the "AnimateSVGFiles" setting
    bool utf8Text = false;    // the text is UTF-8 (beyond Windows-1252), else Windows-1252
};

// The file's bytes (UTF-8). On failure the bytes are empty.
int16_t BuildXmlFile(const XmlSource& source, int32_t targetFormat, std::string& bytes);

}  // namespace scrivane
