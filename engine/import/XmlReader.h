#pragma once
// Reads back XHTML, XML and SVG files this program wrote: one text run per text
// element, and the source lines the file carries for editing.
#include <cstdint>
#include <string>

#include "import/PdfReader.h"
#include "util/Status.h"

namespace scrivane {

enum class XmlKind { Xml, Svg, Xhtml };

// Fills contents.pages (one page, one block) with the text runs and contents.sourceLines
// with the embedded source lines; the format name goes to contents.infos.cff.
int16_t ReadOwnXml(const std::string& path, XmlKind kind, PdfContents& contents);
// The same for a file's bytes.
int16_t ParseOwnXml(std::string_view bytes, XmlKind kind, PdfContents& contents);

}  // namespace scrivane
