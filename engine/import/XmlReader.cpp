#include "import/XmlReader.h"

#include <cstring>

#include <pugixml.hpp>

#include "util/Encoding.h"
#include "util/FileIO.h"
#include "util/ProgramInfo.h"

namespace scrivane {

namespace {

// Whitespace in text and attributes is kept as written: a run's blanks and the line
// ends of the embedded source matter. DOCTYPEs are skipped, never resolved.
constexpr unsigned kParseOptions =
    pugi::parse_escapes | pugi::parse_ws_pcdata | pugi::parse_cdata;

std::string BaseName(pugi::xml_node node) {
    const char* name = node.name();
    const char* colon = std::strchr(name, ':');
    return colon ? colon + 1 : name;
}

// Character data directly inside a text element (an SVG run's animation child holds none).
std::string RunText(pugi::xml_node node) {
    std::string text;
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
            text += child.value();
        }
    }
    return text;
}

// The file's text is kept as UTF-8 when it holds characters beyond Windows-1252, and is
// Windows-1252 otherwise, as files written before such text was kept always are.
void SettleEncoding(vorContent& block, std::string& source, PdfContents& contents) {
    bool beyond = HoldsBeyondCp1252(source);
    for (size_t i = 0; i < block.Texts.size() && !beyond; ++i) {
        beyond = HoldsBeyondCp1252(block.Text(block.Texts[i]));
    }
    contents.utf8Text = beyond;
    if (!beyond) {
        source = Utf8ToCp1252(source);
        block.ConvertTexts([](std::string_view text) { return Utf8ToCp1252(text); });
    }
}

}  // namespace

int16_t ReadOwnXml(const std::string& path, XmlKind kind, PdfContents& contents) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return kXmlFileMissing;
    return ParseOwnXml(bytes, kind, contents);
}

int16_t ParseOwnXml(std::string_view bytes, XmlKind kind, PdfContents& contents) {
    pugi::xml_document document;
    if (!document.load_buffer(bytes.data(), bytes.size(), kParseOptions)) return kXmlUnreadable;

    pugi::xml_node root = document.first_child();
    while (root && root.type() != pugi::node_element) root = root.next_sibling();
    const char* rootName = kind == XmlKind::Xml ? "document" : kind == XmlKind::Svg ? "svg"
                                                                                    : "html";
    if (!root || BaseName(root) != rootName) return kXmlWrongRoot;

    pugi::xml_node container;
    pugi::xml_attribute source;  // the embedded source lines, when the file has them
    if (kind == XmlKind::Xhtml) {
        pugi::xml_node head = root.first_child();
        if (BaseName(head) != "head") return kXmlNoProducer;
        pugi::xml_node generator = head.first_child();
        if (BaseName(generator) != "meta" ||
            std::strncmp(generator.attribute("GENERATOR").value(), kAcceptedXhtmlGenerator,
                         std::strlen(kAcceptedXhtmlGenerator)) != 0) {
            return kXmlOtherProducer;
        }
        pugi::xml_node last = head.last_child();
        if (last != generator &&
            std::strcmp(last.attribute("name").value(), kSourceMarkerName) == 0) {
            source = last.attribute("FC");
        }
        container = head.next_sibling();
    } else {
        pugi::xml_attribute producer = root.first_attribute();
        if (!producer || std::strcmp(producer.name(), "producer") != 0) return kXmlNoProducer;
        if (std::strncmp(producer.value(), kAcceptedXmlProducer,
                         std::strlen(kAcceptedXmlProducer)) != 0) {
            return kXmlOtherProducer;
        }
        pugi::xml_node last = root.last_child();
        if (last != root.first_child() && BaseName(last) == kSvgSourceElement) {
            source = last.attribute("FC");
        }
        container = kind == XmlKind::Xml ? root : root.first_child();
    }

    const char* textName = kind == XmlKind::Xhtml ? "div" : "text";
    vorContent& block = contents.pages.AddNewPage().GetContent(1);
    for (pugi::xml_node child : container.children()) {
        pugi::xml_node node = BaseName(child) == "g" ? child.first_child() : child;
        if (node.type() == pugi::node_element && BaseName(node) == textName) {
            block.AddText(RunText(node), "", 10, 0, 0, "", 0, "");
        }
    }
    std::string sourceText = source ? source.value() : "";
    SettleEncoding(block, sourceText, contents);
    if (source) ReadSourceLines(sourceText, contents.sourceLines, contents.infos.cff);
    return kXmlReadOk;
}

}  // namespace scrivane
