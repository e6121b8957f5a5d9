// The XHTML, XML and SVG files: what the reader relies on, and what browsers, xmllint
// and rsvg-convert need.
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "document/vorDocument.h"
#include "util/Encoding.h"
#include "xml/XmlWriter.h"

namespace scrivane {
namespace {

using Strings = std::vector<std::string>;
constexpr const char* kProducer = "Vantor Jotter 1.4.0 - https://vantor.example/jotter";

vorDocument FromText(const std::string& text) {
    vorDocument doc;
    doc.AddBuffer(text, test::DefaultFormat(), "", kTargetSvg);
    return doc;
}

std::string Build(const vorDocument& doc, int32_t target, bool animate = false) {
    std::string bytes;
    XmlSource source = doc.ToXmlSource();
    source.animateSvg = animate;
    EXPECT_EQ(BuildXmlFile(source, target, bytes), kXmlWriteOk) << target;
    return bytes;
}

// The file as a reader sees it; the root element, or an empty node when malformed.
pugi::xml_node Parse(pugi::xml_document& tree, const std::string& bytes,
                     unsigned options = pugi::parse_default | pugi::parse_ws_pcdata) {
    pugi::xml_parse_result result = tree.load_buffer(bytes.data(), bytes.size(), options);
    EXPECT_TRUE(result) << result.description() << "\n" << bytes;
    return tree.document_element();
}

Strings AttributeNames(pugi::xml_node node) {
    Strings names;
    for (pugi::xml_attribute a : node.attributes()) names.emplace_back(a.name());
    return names;
}

// The text elements the way the reader walks them: children of the container, one "g"
// level down at most.
std::vector<pugi::xml_node> Runs(pugi::xml_node root, int32_t target) {
    pugi::xml_node container = target == kTargetXml ? root
                               : target == kTargetSvg ? root.first_child()
                                                      : root.child("body");
    std::vector<pugi::xml_node> runs;
    for (pugi::xml_node child : container.children()) {
        if (std::string(child.name()) == "g") child = child.first_child();
        if (std::string(child.name()) == (target == kTargetXhtml ? "div" : "text")) {
            runs.push_back(child);
        }
    }
    return runs;
}

std::string Printed(pugi::xml_node node) {
    std::ostringstream out;
    node.print(out, "", pugi::format_raw);
    return out.str();
}

TEST(XmlWriter, RootsAndHeadAreWhatTheReaderChecks) {
    vorDocument doc = FromText("Hello");
    for (int32_t target : {kTargetXhtml, kTargetXml, kTargetSvg}) {
        std::string bytes = Build(doc, target);
        EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?><", 0), 0u) << bytes;
        // No whitespace between elements, so first and last children are elements even
        // for a reader that keeps whitespace text.
        EXPECT_EQ(bytes.find(">\n<"), std::string::npos) << bytes;
    }
    pugi::xml_document xml, svg, html;
    EXPECT_STREQ(Parse(xml, Build(doc, kTargetXml)).name(), "document");
    EXPECT_STREQ(xml.document_element().first_attribute().value(), kProducer);
    EXPECT_STREQ(Parse(svg, Build(doc, kTargetSvg)).name(), "svg");
    EXPECT_EQ(AttributeNames(svg.document_element()),
              (Strings{"producer", "version", "xmlns", "xmlns:xlink", "width", "height",
                       "viewBox"}));
    pugi::xml_node root = Parse(html, Build(doc, kTargetXhtml));
    EXPECT_EQ(AttributeNames(root), Strings{"xmlns"});
    EXPECT_STREQ(root.first_child().name(), "head");
    EXPECT_STREQ(root.first_child().attribute("producer").value(), kProducer);
    EXPECT_EQ(Printed(root.first_child().first_child()),
              std::string("<meta GENERATOR=\"") + kProducer + "\"/>");
}

TEST(XmlWriter, CommandLineBlockComesBackByteForByteOrNotAtAll) {
    // A tab, markup characters, quotes and a Windows-1252 letter in the command lines.
    vorDocument doc = FromText("<set>title=Caf\xE9 \"&\" <b>\r\nText\r\n<set>author=a\tb\r\nMore");
    ASSERT_EQ(doc.FormatConditions().size(), 2u);
    const std::string block = Cp1252ToUtf8(doc.FormatConditions()[0] + "\r\n" +
                                           doc.FormatConditions()[1] + "\r\n");
    // Attribute normalisation (parse_wconv_attribute) must not touch the referenced CR LF.
    for (unsigned options : {unsigned{pugi::parse_default},
                             pugi::parse_default & ~pugi::parse_wconv_attribute}) {
        pugi::xml_document svg, html;
        pugi::xml_node marker = Parse(svg, Build(doc, kTargetSvg), options).last_child();
        EXPECT_STREQ(marker.name(), "Vantor");
        EXPECT_STREQ(marker.attribute("name").value(), "Vantor-FC-1.4");
        EXPECT_EQ(marker.attribute("FC").value(), block);
        marker = Parse(html, Build(doc, kTargetXhtml), options).child("head").last_child();
        EXPECT_STREQ(marker.name(), "META");
        EXPECT_STREQ(marker.attribute("name").value(), "Vantor-FC-1.4");
        EXPECT_EQ(marker.attribute("FC").value(), block);
    }

    vorDocument plain = FromText("one\r\ntwo");
    pugi::xml_document svg, html;
    EXPECT_STREQ(Parse(svg, Build(plain, kTargetSvg)).last_child().name(), "g");
    pugi::xml_node head = Parse(html, Build(plain, kTargetXhtml)).child("head");
    EXPECT_STREQ(head.last_child().attribute("http-equiv").value(), "Content-Type");
    // XML never carries the block.
    EXPECT_EQ(Build(doc, kTargetXml).find("Vantor-FC"), std::string::npos);
}

TEST(XmlWriter, TextValuesComeBackExactly) {
    // "\x01" cannot be written in XML 1.0, not even as a reference: it is dropped.
    vorDocument doc = FromText("<h1> Title \r\n  a & b  \r\n\r\n\xE9t\xE9 \x80\r\nx\x01y");
    const Strings expected = {"<h1> Title ", "  a & b  ", "", Cp1252ToUtf8("\xE9t\xE9 \x80"), "xy"};
    for (int32_t target : {kTargetXhtml, kTargetXml, kTargetSvg}) {
        for (bool animate : {false, true}) {
            std::string bytes = Build(doc, target, animate);
            pugi::xml_document tree;
            Strings values;
            for (pugi::xml_node run : Runs(Parse(tree, bytes), target)) {
                values.emplace_back(run.child_value());
                // The reader's raw content runs from the first ">" to the next "<": the
                // text must come before an animate child.
                std::string printed = Printed(run);
                size_t open = printed.find('>');
                std::string raw = printed.substr(open + 1, printed.find('<', open) - open - 1);
                if (values.back() == "<h1> Title ") {
                    EXPECT_EQ(raw, "&lt;h1&gt; Title ") << printed;
                } else if (values.back().empty()) {
                    EXPECT_EQ(raw, "") << printed;
                }
            }
            EXPECT_EQ(values, expected) << target << " animate " << animate;
            // An empty <div/> would open a division for an HTML parser.
            EXPECT_FALSE(std::regex_search(bytes, std::regex("<(div|text)[^>]*/>"))) << bytes;
        }
    }
}

TEST(XmlWriter, RunsNameTheirFontOnlyWhenItDiffers) {
    vorDocument doc;  // defaults Arial, 10
    doc.AddText("plain", 1, 10, 40.5, 100, "Arial", "", 0, "");
    doc.AddText("bold", 1, 10, 40, 112, "Arial,Bold", "", 0, "");  // kept as Arial + Bold
    doc.AddText("big", 1, 14, 40, 130, "Arial", "", 0, "");
    doc.AddText("courier", 1, 8, 40, 142, "Courier", "", 0, "");

    pugi::xml_document svg;
    pugi::xml_node style = Parse(svg, Build(doc, kTargetSvg)).first_child();
    EXPECT_STREQ(style.attribute("style").value(), "font-size:10; font-family:Arial, sans-serif;");
    Strings shapes;
    for (pugi::xml_node child : style.children()) {
        std::string shape = child.name();
        for (const std::string& name : AttributeNames(child)) shape += " " + name;
        shapes.push_back(shape);
    }
    EXPECT_EQ(shapes, (Strings{"text x y", "text x y", "g font-size", "g font-family font-size"}));

    pugi::xml_document html;
    Strings styles;
    for (pugi::xml_node div : Runs(Parse(html, Build(doc, kTargetXhtml)), kTargetXhtml)) {
        styles.emplace_back(div.attribute("style").value());
    }
    const std::string at = "position:absolute;top:";
    EXPECT_EQ(styles, (Strings{at + "100pt;left:40.5pt;", at + "112pt;left:40pt;",
                               at + "130pt;left:40pt;font-family:Arial, sans-serif;font-size:14pt;",
                               at + "142pt;left:40pt;font-family:Courier, monospace;font-size:8pt;"}));
}

TEST(XmlWriter, FontsNameAGenericFamilyAfterTheirOwnName) {
    vorDocument doc;
    doc.SetDefaultFontName("Times-Roman");
    doc.fontname = "Times-Roman";
    doc.AddText("serif", 1, 10, 40, 100, "Times-Roman", "", 0, "");
    doc.AddText("mono", 1, 10, 40, 112, "Courier-Bold", "", 0, "");
    doc.AddText("sans", 1, 10, 40, 124, "Helvetica-Bold", "", 0, "");
    doc.AddText("own", 1, 10, 40, 136, "MyFace", "", 0, "");
    doc.AddText("symbol", 1, 10, 40, 148, "Symbol", "", 0, "");

    pugi::xml_document svg;
    pugi::xml_node group = Parse(svg, Build(doc, kTargetSvg)).first_child();
    EXPECT_STREQ(group.attribute("style").value(), "font-size:10; font-family:Times-Roman, serif;");
    Strings families;
    for (pugi::xml_node g : group.children("g")) families.push_back(g.attribute("font-family").value());
    EXPECT_EQ(families, (Strings{"Courier-Bold, monospace", "Helvetica-Bold, sans-serif",
                                 "MyFace, sans-serif", "Symbol"}));

    const std::string xhtml = Build(doc, kTargetXhtml);
    EXPECT_NE(xhtml.find("body { font-family: Times-Roman, serif;"), std::string::npos);
    EXPECT_NE(xhtml.find("font-family:Courier-Bold, monospace;"), std::string::npos);
}

TEST(XmlWriter, PageFurnitureIsShownButNotReadBack) {
    vorDocument doc;
    doc.AddText("body", 1, 10, 40, 100, "Arial", "", 0, "");
    doc.Pages.GetPage(1).AddText("Page 1", "Arial", 10, 40, 20, "", 0, "", true);
    doc.Pages.GetPage(1).AddText("Big", "Arial", 14, 40, 30, "", 0, "", true);
    for (int32_t target : {kTargetXhtml, kTargetXml, kTargetSvg}) {
        pugi::xml_document tree;
        pugi::xml_node root = Parse(tree, Build(doc, target));
        std::vector<pugi::xml_node> runs = Runs(root, target);
        ASSERT_EQ(runs.size(), 1u) << target;
        EXPECT_STREQ(runs[0].child_value(), "body");
        const char* where = target == kTargetXhtml ? "/html/body/span"
                            : target == kTargetXml ? "/document/furniture/text"
                                                   : "/svg/g/g/g/text";
        EXPECT_EQ(tree.select_nodes(where).size(), 2u) << target << Printed(root);
    }
}

TEST(XmlWriter, AnimationFadesEachRunInFromWhite) {
    vorDocument doc;
    doc.AddText("plain", 1, 10, 40, 100, "Arial", "", 0, "");
    doc.AddText("red", 1, 10, 40, 12.5, "Arial", "255  0 0", 0, "");

    pugi::xml_document still, moving, xml;
    std::vector<pugi::xml_node> runs = Runs(Parse(still, Build(doc, kTargetSvg)), kTargetSvg);
    EXPECT_EQ(AttributeNames(runs[0]), (Strings{"x", "y"}));
    EXPECT_STREQ(runs[1].attribute("fill").value(), "rgb(255,0,0)");

    runs = Runs(Parse(moving, Build(doc, kTargetSvg, true)), kTargetSvg);
    EXPECT_STREQ(runs[1].attribute("fill").value(), "rgb(255,255,255)");
    EXPECT_EQ(Printed(runs[0].child("animate")),
              "<animate attributeName=\"fill\" attributeType=\"CSS\" "
              "from=\"rgb(255,255,255)\" to=\"rgb(0,0,0)\" begin=\"1400ms\" dur=\"5s\" "
              "fill=\"freeze\"/>");
    EXPECT_STREQ(runs[1].child("animate").attribute("to").value(), "rgb(255,0,0)");
    EXPECT_STREQ(runs[1].child("animate").attribute("begin").value(), "525ms");

    runs = Runs(Parse(xml, Build(doc, kTargetXml, true)), kTargetXml);
    EXPECT_EQ(AttributeNames(runs[0]), (Strings{"x", "y"}));
    EXPECT_STREQ(runs[0].child("animate").attribute("begin").value(), "1400ms");
}

TEST(XmlWriter, InformationAndImagesGoWhereEachTargetWantsThem) {
    test::TempDir dir;
    vorDocument doc = FromText("<set>title=T<1>\r\n<set>author=Ann\r\n<set>subject=S\r\n"
                               "<set>keywords=K\r\nText \x80 \x0B & <b>");
    doc.AddText("low", 1, 12, 40, 902.5, "Courier", "0 0 255", 0, "");
    vorImage image;
    image.ImageFileName = dir.File("pic.jpg");
    image.x = 592;
    image.y = 60.25;
    image.ImageWidth = 20;
    image.ImageHeight = 10;
    doc.Pages.GetPage(1).AddImage(image);
    test::WriteFile(image.ImageFileName, test::MinimalJpeg(20, 10));

    pugi::xml_document xml, svg, html;
    pugi::xml_node root = Parse(xml, Build(doc, kTargetXml));
    EXPECT_EQ(AttributeNames(root), (Strings{"producer", "title", "author", "subject"}));
    EXPECT_STREQ(root.attribute("title").value(), "T<1>");
    EXPECT_EQ(Printed(root).find("<image"), std::string::npos);

    root = Parse(svg, Build(doc, kTargetSvg));
    // The drawing grows to hold the low run and the image past the page's right edge.
    EXPECT_STREQ(root.attribute("viewBox").value(), "0 0 612 915");
    EXPECT_EQ(Printed(root.first_child().first_child()),  // a block's images come first
              "<image x=\"592\" y=\"60.25\" width=\"20\" height=\"10\" xlink:href=\"" +
                  image.ImageFileName + "\"/>");

    Strings head;
    for (pugi::xml_node child : Parse(html, Build(doc, kTargetXhtml)).child("head").children()) {
        head.push_back(std::string(child.name()) + " " + child.first_attribute().name());
    }
    EXPECT_EQ(head, (Strings{"meta GENERATOR", "title ", "meta author", "meta description",
                             "style ", "meta http-equiv", "META name"}));

    // The outside checkers; rsvg-convert must see the whole page (612 x 915 points at
    // 96 pixels an inch is 816 x 1220), not a viewport it picked itself.
    const std::pair<const char*, std::string> files[] = {
        {"doc.htm", Build(doc, kTargetXhtml)}, {"doc.xml", Build(doc, kTargetXml)},
        {"still.svg", Build(doc, kTargetSvg)}, {"moving.svg", Build(doc, kTargetSvg, true)}};
    for (const auto& [name, bytes] : files) {
        std::string file = dir.File(name), output;
        test::WriteFile(file, bytes);
        EXPECT_EQ(test::RunCommand("xmllint --noout '" + file + "'", &output), 0) << name << output;
        if (!std::string(name).ends_with(".svg")) continue;
        EXPECT_EQ(test::RunCommand("rsvg-convert -o '" + file + ".png' '" + file + "'", &output), 0)
            << name << output;
        std::string png = test::ReadFile(file + ".png");
        ASSERT_GE(png.size(), 24u) << name;
        EXPECT_EQ(png.substr(12, 12), std::string("IHDR\0\0\x03\x30\0\0\x04\xC4", 12)) << name;
    }
}

}  // namespace
}  // namespace scrivane
