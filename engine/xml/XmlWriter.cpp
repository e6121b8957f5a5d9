#include "xml/XmlWriter.h"

#include "util/TextUtil.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string_view>
#include <utility>

#include <pugixml.hpp>

#include "format/OutputFormats.h"
#include "pdf/PdfObjects.h"
#include "text/TextMeasurer.h"
#include "util/ProgramInfo.h"
#include "util/Encoding.h"
#include "util/Numbers.h"

namespace scrivane {
namespace {

constexpr const char* kWhite = "rgb(255,255,255)";
constexpr const char* kBlack = "rgb(0,0,0)";

// Engine text (Windows-1252) as UTF-8 that an XML 1.0 file can hold: control characters
// other than tab, CR and LF are not allowed there (not even as references), so they are
// dropped. CR and LF in attribute values are written as references by pugixml and so
// survive a reader's attribute normalisation.
//
// The text of a document beyond Windows-1252 is UTF-8 already: the file being built says
// so for the values of all its elements, set for the time one file is built.
thread_local bool tUtf8Text = false;

class Utf8TextScope {
public:
    explicit Utf8TextScope(bool utf8) : saved_(tUtf8Text) { tUtf8Text = utf8; }
    ~Utf8TextScope() { tUtf8Text = saved_; }

private:
    bool saved_;
};

std::string XmlValue(std::string_view cp1252) {
    std::string kept;
    kept.reserve(cp1252.size());
    for (char c : cp1252) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && c != '\t' && c != '\r' && c != '\n') continue;
        kept.push_back(c);
    }
    return tUtf8Text ? kept : Cp1252ToUtf8(kept);
}

// A font family list a browser can follow: the PDF font name first (a reader that has the
// font uses it), then the generic family whose widths the layout measured with, so the
// text keeps its look and its line lengths where the name is unknown.
std::string FontFamily(const std::string& pdfName) {
    switch (ResolveStandardFont(pdfName, false, false)) {
        case StandardFont::Symbol:
        case StandardFont::ZapfDingbats:
            return pdfName;  // no generic family draws their glyphs
        case StandardFont::Courier:
        case StandardFont::CourierBold:
        case StandardFont::CourierOblique:
        case StandardFont::CourierBoldOblique:
            return pdfName + ", monospace";
        case StandardFont::TimesRoman:
        case StandardFont::TimesBold:
        case StandardFont::TimesItalic:
        case StandardFont::TimesBoldItalic:
            return pdfName + ", serif";
        default:
            return pdfName + ", sans-serif";
    }
}

bool SetAttribute(pugi::xml_node node, const char* name, std::string_view cp1252) {
    pugi::xml_attribute attribute = node.append_attribute(name);
    return attribute && attribute.set_value(XmlValue(cp1252).c_str());
}

// The document information is UTF-8 whatever the text's encoding.
bool SetInfoAttribute(pugi::xml_node node, const char* name, std::string_view utf8) {
    Utf8TextScope information(true);
    return SetAttribute(node, name, utf8);
}

bool SetNumberAttribute(pugi::xml_node node, const char* name, double value) {
    return SetAttribute(node, name, FormatNumber(value));
}

// Gives the element one text child, even for an empty text: the element is then written
// as <name></name> rather than <name/>, which an HTML parser would take as an open tag,
// and the text comes before any child element (the reader takes the characters between
// the element's first ">" and the next "<").
bool SetText(pugi::xml_node node, std::string_view cp1252) {
    pugi::xml_node text = node.append_child(pugi::node_pcdata);
    return text && text.set_value(XmlValue(cp1252).c_str());
}

// "r g b" as "rgb(r,g,b)": the blank-separated parts joined with commas.
std::string RgbText(std::string_view colour) {
    std::string out = "rgb(";
    bool first = true;
    size_t at = 0;
    while (at < colour.size()) {
        while (at < colour.size() && colour[at] == ' ') ++at;
        size_t end = colour.find(' ', at);
        if (end == std::string_view::npos) end = colour.size();
        if (end > at) {
            if (!first) out.push_back(',');
            out.append(colour.substr(at, end - at));
            first = false;
        }
        at = end;
    }
    out.push_back(')');
    return out;
}

class Writer {
public:
    Writer(const XmlSource& source, int32_t format)
        : source_(source), format_(format), animate_(source.animateSvg) {}

    const XmlSource& source() const { return source_; }

    // Images first, then text runs, block by block and page by page; nothing stands for
    // a page or a block. The blocks after the first hold the page furniture (headers
    // stamped on save). It is shown like any run but kept where the reader, which turns
    // every text element it finds into a source line, does not look: otherwise each
    // save and load would add the stamped header texts to the source.
    bool AppendContent(pugi::xml_node parent) const {
        for (const auto& page : source_.pages->Kids) {
            if (!page) continue;
            for (size_t index = 0; index < page->Contents.size(); ++index) {
                const vorContent& block = page->Contents[index];
                if (format_ == kTargetSvg) {
                    for (const vorImage& image : block.Images) {
                        if (!AppendImage(parent, image)) return false;
                    }
                }
                const bool furniture = index > 0;
                pugi::xml_node holder = parent;
                if (furniture && !block.Texts.empty() && format_ != kTargetXhtml) {
                    holder = parent.append_child(format_ == kTargetSvg ? "g" : "furniture");
                    if (!holder) return false;
                }
                for (const vorText& run : block.Texts) {
                    if (!AppendRun(holder, block, run, furniture)) return false;
                }
            }
        }
        return true;
    }

private:
    bool NameDiffers(const std::string& font) const {
        return !font.empty() && font != source_.fontName;
    }

    bool SizeDiffers(const vorText& run) const {
        if (auto size = ParseNumber(source_.fontSize)) return run.fontsize != *size;
        return FormatNumber(run.fontsize) != source_.fontSize;
    }

    bool AppendImage(pugi::xml_node parent, const vorImage& image) const {
        pugi::xml_node node = parent.append_child("image");
        return node && SetNumberAttribute(node, "x", image.x) &&
               SetNumberAttribute(node, "y", image.y) &&
               SetNumberAttribute(node, "width", image.ImageWidth) &&
               SetNumberAttribute(node, "height", image.ImageHeight) &&
               SetAttribute(node, "xlink:href", image.ImageFileName);
    }

    // Furniture: an XHTML run is a "span" instead of a "div"; an SVG run always gets its
    // own "g" inside the block's "g", so the reader, going one "g" down, finds a "g".
    // The XML block's element already hides its runs.
    bool AppendRun(pugi::xml_node parent, const vorContent& block, const vorText& run,
                   bool furniture) const {
        const std::string& font = block.FontName(run);
        const std::string& colour = block.Colour(run);
        if (format_ == kTargetXhtml) {
            return AppendDiv(parent, run, block.Text(run), font, furniture ? "span" : "div");
        }

        bool nameDiffers = format_ == kTargetSvg && NameDiffers(font);
        bool sizeDiffers = format_ == kTargetSvg && SizeDiffers(run);
        if (nameDiffers || sizeDiffers || (furniture && format_ == kTargetSvg)) {
            parent = parent.append_child("g");
            if (!parent) return false;
            if (nameDiffers && !SetAttribute(parent, "font-family", FontFamily(font))) {
                return false;
            }
            if (sizeDiffers && !SetNumberAttribute(parent, "font-size", run.fontsize)) {
                return false;
            }
        }
        pugi::xml_node text = parent.append_child("text");
        if (!text || !SetNumberAttribute(text, "x", run.x) ||
            !SetNumberAttribute(text, "y", run.y)) {
            return false;
        }
        if (format_ == kTargetSvg) {
            if (animate_) {
                if (!SetAttribute(text, "fill", kWhite)) return false;
            } else if (!colour.empty()) {
                if (!SetAttribute(text, "fill", RgbText(colour))) return false;
            }
        }
        if (!SetText(text, block.Text(run))) return false;
        return !animate_ || AppendFadeIn(text, run, colour);
    }

    // The run fades from white to its colour over five seconds, starting 400 ms plus
    // 10 ms per point down the page. <animate> on "fill" rather than <animateColor>,
    // which browsers no longer play: with it the text would stay white.
    static bool AppendFadeIn(pugi::xml_node text, const vorText& run, const std::string& colour) {
        pugi::xml_node fade = text.append_child("animate");
        return fade && SetAttribute(fade, "attributeName", "fill") &&
               SetAttribute(fade, "attributeType", "CSS") &&
               SetAttribute(fade, "from", kWhite) &&
               SetAttribute(fade, "to", colour.empty() ? std::string(kBlack) : RgbText(colour)) &&
               SetAttribute(fade, "begin", FormatNumber(run.y * 10 + 400) + "ms") &&
               SetAttribute(fade, "dur", "5s") && SetAttribute(fade, "fill", "freeze");
    }

    bool AppendDiv(pugi::xml_node parent, const vorText& run, std::string_view shown,
                   const std::string& font, const char* element) const {
        std::string style = "position:absolute;top:";
        AppendNumber(style, run.y);
        style += "pt;left:";
        AppendNumber(style, run.x);
        style += "pt;";
        if (NameDiffers(font) || SizeDiffers(run)) {
            style += "font-family:";
            style += FontFamily(font.empty() ? source_.fontName : font);
            style += ";font-size:";
            AppendInt(style, run.fontsize);
            style += "pt;";
        }
        pugi::xml_node div = parent.append_child(element);
        return div && SetAttribute(div, "style", style) && SetText(div, shown);
    }

    const XmlSource& source_;
    int32_t format_;
    bool animate_;
};

// Each command line followed by CR LF.
std::string CommandLineBlock(const XmlSource& source) {
    std::string block;
    if (!source.sourceLines) return block;
    for (const std::string& entry : *source.sourceLines) {
        block += entry;
        block += "\r\n";
    }
    return block;
}

bool AppendMarker(pugi::xml_node parent, const char* elementName, const std::string& block) {
    pugi::xml_node marker = parent.append_child(elementName);
    return marker && SetAttribute(marker, "name", kSourceMarkerName) &&
           SetAttribute(marker, "FC", block);
}

int16_t BuildXmlTree(const Writer& w, pugi::xml_node root, const vorInfos& infos) {
    const std::string producer = kProducerText;
    if (!SetAttribute(root, "producer", producer)) return kXmlInfoFailed;
    if (!infos.title.empty() && !SetInfoAttribute(root, "title", infos.title)) {
        return kXmlInfoFailed;
    }
    if (!infos.author.empty() && !SetInfoAttribute(root, "author", infos.author)) {
        return kXmlInfoFailed;
    }
    if (!infos.subject.empty() && !SetInfoAttribute(root, "subject", infos.subject)) {
        return kXmlInfoFailed;
    }
    return w.AppendContent(root) ? kXmlWriteOk : kXmlContentFailed;
}

// The drawing's size in points: the page, grown to hold every run and image, since the
// layout does not break pages for SVG and y simply grows down the one page.
std::pair<double, double> DrawingSize(const vorPages& pages) {
    double width = 0, height = 0;
    for (const auto& page : pages.Kids) {
        if (!page) continue;
        width = std::max(width, static_cast<double>(page->PageWidth));
        height = std::max(height, static_cast<double>(page->PageHeight));
        for (const vorContent& block : page->Contents) {
            for (const vorImage& image : block.Images) {
                width = std::max(width, image.x + image.ImageWidth);
                height = std::max(height, image.y + image.ImageHeight);
            }
            // y is the baseline; leave room for the descenders.
            for (const vorText& run : block.Texts) height = std::max(height, run.y + run.fontsize);
        }
    }
    if (width <= 0 || height <= 0) {
        const vorPage blank;
        width = blank.PageWidth;
        height = blank.PageHeight;
    }
    return {std::ceil(width), std::ceil(height)};
}

int16_t BuildSvgTree(const Writer& w, pugi::xml_node root) {
    const XmlSource& source = w.source();
    // The producer stays the first attribute: the reader looks there. The namespaces
    // make the file an SVG for renderers and browsers; without a size a renderer picks
    // its own viewport and may cut the text off.
    auto [width, height] = DrawingSize(*source.pages);
    if (!SetAttribute(root, "producer", kProducerText) || !SetAttribute(root, "version", "1.1") ||
        !SetAttribute(root, "xmlns", "http://www.w3.org/2000/svg") ||
        !SetAttribute(root, "xmlns:xlink", "http://www.w3.org/1999/xlink") ||
        !SetAttribute(root, "width", FormatNumber(width) + "pt") ||
        !SetAttribute(root, "height", FormatNumber(height) + "pt") ||
        !SetAttribute(root, "viewBox", "0 0 " + FormatNumber(width) + " " + FormatNumber(height))) {
        return kXmlInfoFailed;
    }
    pugi::xml_node group = root.append_child("g");
    if (!group || !SetAttribute(group, "style", "font-size:" + source.fontSize +
                                                    "; font-family:" + FontFamily(source.fontName) + ";")) {
        return kXmlContentFailed;
    }
    if (!w.AppendContent(group)) return kXmlContentFailed;
    std::string block = CommandLineBlock(source);
    if (!block.empty() && !AppendMarker(root, kSvgSourceElement, block)) return kXmlContentFailed;
    return kXmlWriteOk;
}

// A meta element of the head; its value is UTF-8, as the information is.
bool AppendMeta(pugi::xml_node head, const char* name, const std::string& utf8) {
    pugi::xml_node meta = head.append_child("meta");
    return meta && SetInfoAttribute(meta, name, utf8);
}

int16_t BuildXhtmlTree(const Writer& w, pugi::xml_node html, const vorInfos& infos) {
    const XmlSource& source = w.source();
    // The namespace lets a browser show the file as XHTML; the reader only looks at
    // element names and at "head" as the first child.
    if (!SetAttribute(html, "xmlns", "http://www.w3.org/1999/xhtml")) return kXmlNoDocument;
    pugi::xml_node head = html.append_child("head");
    if (!head) return kXmlNoDocument;

    const std::string producer = kProducerText;
    if (!SetAttribute(head, "producer", producer)) return kXmlInfoFailed;
    // The reader recognises the file by this first child of "head".
    if (!AppendMeta(head, "GENERATOR", producer)) return kXmlInfoFailed;
    if (!infos.title.empty()) {
        pugi::xml_node title = head.append_child("title");
        Utf8TextScope information(true);
        if (!title || !SetText(title, infos.title)) return kXmlInfoFailed;
    }
    if (!infos.author.empty() && !AppendMeta(head, "author", infos.author)) {
        return kXmlInfoFailed;
    }
    if (!infos.subject.empty() && !AppendMeta(head, "description", infos.subject)) {
        return kXmlInfoFailed;
    }

    pugi::xml_node style = head.append_child("style");
    // Each run is one line set at its place: a browser must neither wrap it at the
    // window's edge (the pieces would overlap the next line) nor fold its blanks.
    if (!style || !SetText(style, " body { font-family: " + FontFamily(source.fontName) +
                                      "; font-size: " + source.fontSize +
                                      "pt } div { white-space: pre } ")) {
        return kXmlContentFailed;
    }
    pugi::xml_node contentType = head.append_child("meta");
    if (!contentType || !SetAttribute(contentType, "http-equiv", "Content-Type") ||
        !SetAttribute(contentType, "content", "text/html; charset=utf-8")) {
        return kXmlContentFailed;
    }

    pugi::xml_node body = html.append_child("body");
    if (!body || !w.AppendContent(body)) return kXmlContentFailed;

    std::string block = CommandLineBlock(source);
    if (!block.empty() && !AppendMarker(head, "META", block)) return kXmlContentFailed;
    return kXmlWriteOk;
}

}  // namespace

int16_t BuildXmlFile(const XmlSource& source, int32_t targetFormat, std::string& bytes) {
    bytes.clear();
    Utf8TextScope utf8Text(source.utf8Text);
    const char* rootName = targetFormat == kTargetXhtml ? "html"
                           : targetFormat == kTargetXml ? "document"
                           : targetFormat == kTargetSvg ? "svg"
                                                        : nullptr;
    if (!rootName) return kXmlNoDocument;

    pugi::xml_document tree;
    pugi::xml_node declaration = tree.append_child(pugi::node_declaration);
    if (!declaration || !SetAttribute(declaration, "version", "1.0") ||
        !SetAttribute(declaration, "encoding", "UTF-8")) {
        return kXmlNoDocument;
    }
    pugi::xml_node root = tree.append_child(rootName);
    if (!root) return kXmlNoDocument;

    const vorInfos noInfos;
    const vorInfos& infos = source.infos ? *source.infos : noInfos;
    Writer writer(source, targetFormat);
    int16_t status = kXmlWriteOk;
    switch (targetFormat) {
        case kTargetXhtml: status = BuildXhtmlTree(writer, root, infos); break;
        case kTargetXml: status = BuildXmlTree(writer, root, infos); break;
        default: status = BuildSvgTree(writer, root); break;
    }
    if (status != kXmlWriteOk) return status;

    std::ostringstream out;
    tree.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    bytes = out.str();
    // pugixml writes a CR inside text as it is, and every XML reader turns it into a line
    // feed; as a character reference it comes back as itself.
    if (bytes.find('\r') != std::string::npos) bytes = ReplaceAll(bytes, "\r", "&#13;");
    bytes.push_back('\n');
    return kXmlWriteOk;
}

}  // namespace scrivane
