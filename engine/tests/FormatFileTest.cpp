#include "format/vorFormat.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>

namespace scrivane {
namespace {

namespace fs = std::filesystem;

std::string Doc(const std::string& body) {
    return "<dorvex version=\"1.0\"><vantor><format>" + body + "</format></vantor></dorvex>";
}

std::string Defaults(const std::string& body) { return "<default>" + body + "</default>"; }

std::string Line(const std::string& type, const std::string& value, const std::string& rest = "") {
    return "<line><name>n</name><condition>" + type + "</condition><value>" + value +
           "</value>" + rest + "</line>";
}

// A line that sets every element, in the order the writer puts them.
const std::string kFullLine =
    "<line><name>Heading</name><condition>leftlinevalue</condition><value>&lt;h1&gt;</value>"
    "<show>right</show><annot>1</annot><link>1</link><header>1</header><bk>2</bk><format>"
    "<fontname>Arial</fontname><defaultfontname>Courier</defaultfontname>"
    "<fontsize>14.5</fontsize><defaultfontsize>11</defaultfontsize>"
    "<defaulttextalign>Justify</defaulttextalign><textalign>Right</textalign>"
    "<fontcolor>0 0 255</fontcolor><defaultfontcolor>9 9 9</defaultfontcolor><dy>40000</dy>"
    "<defaultdy>-3</defaultdy><y>300</y><x>-10</x><defaultx>60</defaultx>"
    "<defaultlinelength>400</defaultlinelength><linelength>300</linelength>"
    "<maxlenline>70</maxlenline><defaultmaxlenline>80</defaultmaxlenline>"
    "<imagefile>%AppPath%/Img/%apppath%/Logo.JPG</imagefile><imagex>10</imagex><imagey>20</imagey>"
    "</format></line>";

vorFormat Cond(const std::string& type, const std::string& value) {
    vorFormat c;
    c.conditionType = type;
    c.conditionValue = value;
    return c;
}

// A working format as an export starts with: what reading the defaults and lines gave.
vorFormat Working(const std::string& defaults = "", const std::string& lines = "") {
    vorFormat f;
    EXPECT_EQ(f.ReadFormatText(Doc(Defaults(defaults) + lines)), 0);
    return f;
}

// The document-wide defaults.
std::string DefaultsOf(const vorFormat& f) {
    std::ostringstream s;
    s << f.DefaultFont << ' ' << f.DefaultFontSize << "pt x" << f.DefaultX << " y" << f.DefaultY
      << " dy" << f.DefaultDY << " max" << f.DefaultMaxLenLine << '/' << f.MaxLenLine << " len"
      << f.DefaultLineLength << " page(" << f.DefaultPageWidth << 'x' << f.DefaultPageHeight << ')';
    return s.str();
}

// The resolved style of the current line.
std::string Style(const vorFormat& f) {
    std::ostringstream s;
    s << f.fontname << ' ' << f.fontsize << "pt dy" << f.dy << " x" << f.x << " y" << f.y
      << " sety" << f.SetY << " align(" << f.FontAlign << ") color(" << f.fontcolor << ") max"
      << f.MaxLenLine << " len" << f.linelength << " flags" << f.isLink << f.isAnnotation
      << f.isHeader << " show(" << f.show << ") if(" << f.conditionType << ':'
      << f.conditionValue << ") bk" << f.bk << " img(" << f.ImageFile << '|' << f.ImageX << '|'
      << f.ImageY << ')';
    return s.str();
}

// The root element of a format's file text, without indentation.
std::string WrittenRoot(const vorFormat& f) {
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_string(f.FormatFileText().c_str()));
    std::ostringstream out;
    doc.document_element().print(out, "", pugi::format_raw);
    return out.str();
}

class FormatFileTest : public ::testing::Test {
protected:
    int16_t Read(vorFormat& f, const std::string& xml) {
        test::WriteFile(dir_.File("in.xml"), xml);
        return f.ReadFormatFile(dir_.File("in.xml"));
    }
    test::TempDir dir_;
};

// ---- Reading ---------------------------------------------------------------------------

TEST_F(FormatFileTest, DefaultsFallBackWhenMissingOrOutOfBounds) {
    const std::string fallbacks = "Helvetica 12pt x40 y50 dy16 max100/100 len0 page(x)";
    const std::pair<std::string, std::string> cases[] = {
        {Doc(""), fallbacks},
        {Doc(Defaults("<fontname>Courier</fontname><fontsize>10.5</fontsize><x>0</x><y>72.5</y>"
                      "<dy>0</dy><maxlenline>0</maxlenline><linelength>-5</linelength>"
                      "<pageheight>842.4</pageheight><pagewidth>595.5</pagewidth>")),
         "Courier 10pt x40 y72 dy0 max100/100 len-5 page(596x842)"},
        // Only the first dy counts, and it is not a number.
        {Doc(Defaults("<dy>wide</dy><dy>20</dy><fontsize>0</fontsize><x>-1</x><maxlenline>70"
                      "</maxlenline><pageheight>-842</pageheight><pagewidth>0.4</pagewidth>")),
         "Helvetica 12pt x40 y50 dy16 max70/70 len0 page(x)"},
        // A broken file reads as if it held no values at all, even the part before the fault.
        {Doc(Defaults("<fontname>Courier</fontname><x>90</x>") + Line("linenumber", "1"))
             .substr(0, 120),
         fallbacks},
        {"", fallbacks},
        {std::string("\x00\xff\xfe garbage", 11), fallbacks},
        {"<dorvex><vantor></format></vantor></dorvex>", fallbacks},
    };
    for (const auto& [xml, expected] : cases) {
        vorFormat f;
        ASSERT_EQ(Read(f, xml), 0) << xml;
        EXPECT_EQ(DefaultsOf(f), expected) << xml;
        EXPECT_TRUE(f.ListeFormats.empty()) << xml;
    }

    // Values the object holds stay when the file gives none or a bad one (out-of-bounds ones
    // still fall back), and the file's conditions are added to its own.
    vorFormat held;
    held.title = "Old";
    held.DefaultDY = -4;
    held.DefaultX = -5;
    held.DefaultPageHeight = "600";
    held.ListeFormats.push_back(Cond("linenumber", "0"));
    ASSERT_EQ(Read(held, Doc(Defaults("<dy>wide</dy><pageheight>-842</pageheight>") +
                             Line("linenumber", "1"))),
              0);
    EXPECT_EQ(DefaultsOf(held), "Helvetica 12pt x40 y50 dy-4 max100/100 len0 page(x600)");
    EXPECT_EQ(held.title, "Old");
    ASSERT_EQ(held.ListeFormats.size(), 2u);
    EXPECT_EQ(held.ListeFormats[1].conditionValue, "1");
}

TEST_F(FormatFileTest, StatusesTellWhyAReadStopped) {
    vorFormat f;
    EXPECT_EQ(f.ReadFormatFile(""), 2);
    EXPECT_EQ(f.ReadFormatFile(dir_.File("absent.xml")), 3);
    EXPECT_EQ(f.FormatFileText(), vorFormat().FormatFileText());  // nothing was applied

    // A number out of the 16-bit range stops the read; what was read before it stays.
    EXPECT_EQ(Read(f, Doc("<documentproperties><title><![CDATA[<Kept>]]></title>"
                          "</documentproperties>" +
                          Defaults("<fontsize>14</fontsize><x>32767.5</x><y>60</y>") +
                          Line("linenumber", "1"))),
              1);
    EXPECT_EQ(f.title, "<Kept>");
    EXPECT_EQ(DefaultsOf(f), "Helvetica 14pt x0 y0 dy0 max0/0 len0 page(x)");
    EXPECT_TRUE(f.ListeFormats.empty());

    vorFormat g;
    EXPECT_EQ(Read(g, Doc(Line("linenumber", "1") +
                          Line("linenumber", "2",
                               "<format><defaultfontsize>-40000</defaultfontsize></format>") +
                          Line("linenumber", "3"))),
              1);
    EXPECT_EQ(DefaultsOf(g), "Helvetica 12pt x40 y50 dy16 max100/100 len0 page(x)");
    ASSERT_EQ(g.ListeFormats.size(), 1u);
    EXPECT_EQ(g.ListeFormats[0].conditionValue, "1");
}

TEST_F(FormatFileTest, ConditionsFromAFileStyleTheirLines) {
    vorFormat f;
    ASSERT_EQ(Read(f, Doc(Defaults("<fontsize>10</fontsize>") + kFullLine +
                          Line("linenumber", "7",
                               "<header>0</header><bk>1</bk><format><fontsize>18</fontsize>"
                               "<defaultx>70</defaultx></format>") +
                          Line("linevalue", "odd",
                               "<show>No</show><link>true</link><annot>yes</annot><header>01"
                               "</header><bk>4</bk><format><defaultx>abc</defaultx><x>5px</x>"
                               "</format>") +
                          "<line><name>gap</name><value>body</value></line>" +
                          Line("linevalue", "body"))),
              0);
    ASSERT_EQ(f.ListeFormats.size(), 3u);  // a line without a condition ends the list
    f.AppFolder = "/opt/App";
    f.DefaultColumns = "2";
    f.DefaultSpaceBetweenColumns = "20";
    // A later match overrides field by field: flags are not taken back, and a lasting value
    // it gives reaches this line too.
    f.GetFormat(7, "<h1>Intro");
    EXPECT_EQ(Style(f), "Arial 18pt dy16 x70 y50 sety300 align(right) color(0 0 255) max70 len300 "
                        "flags111 show(RIGHT) if(linenumber:7) bk1 "
                        "img(/opt/App/Img//opt/App/Logo.JPG|10|20)");  // name keeps its case
    // The next line starts from the defaults, which now include the lasting ones; only the
    // bookmark level and the image position outlive their line.
    f.GetFormat(8, "body");
    EXPECT_EQ(Style(f), "Courier 11pt dy16 x70 y50 sety0 align(justify) color(9 9 9) max80 len400 "
                        "flags000 show() if(:) bk1 img(|10|20)");
    EXPECT_EQ(f.columns + "/" + f.SpaceBetweenColumns, "2/20");
    // Odd values were dropped, no reading fallbacks were added, and a match copies level 0.
    f.GetFormat(9, "odd");
    EXPECT_EQ(Style(f), "Courier 11pt dy16 x70 y50 sety0 align(justify) color(9 9 9) max80 len400 "
                        "flags000 show(NO) if(linevalue:odd) bk0 img(|10|20)");

    // The page height becomes 843 only when it is not a number.
    const std::pair<const char*, const char*> heights[] = {
        {"", "843"}, {"595.5", "595.5"}, {"A4", "843"}};
    for (const auto& [given, expected] : heights) {
        f.DefaultPageHeight = given;
        f.GetFormat(10, "");
        EXPECT_EQ(f.DefaultPageHeight, expected);
    }
}

TEST_F(FormatFileTest, DoctypeEntitiesAreNeverResolved) {
    std::string secret = dir_.File("secret.txt");
    test::WriteFile(secret, "TOPSECRET");
    std::string xml =
        "<?xml version=\"1.0\"?>\n<!DOCTYPE dorvex [\n"
        "  <!ENTITY secret SYSTEM \"file://" + secret + "\">\n"
        "  <!ENTITY % remote SYSTEM \"file://" + secret + "\">\n"
        "  <!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">\n"
        "  <!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">\n"
        "  %remote;\n]>\n" +
        Doc("<documentproperties><title>&secret;</title><subject>&b;</subject>"
            "<author>Ann</author></documentproperties>" +
            Defaults("<fontname>Courier</fontname>"));
    vorFormat f;
    ASSERT_EQ(Read(f, xml), 0);
    EXPECT_EQ(f.title.find("TOPSECRET"), std::string::npos) << f.title;
    EXPECT_LT(f.subject.size(), 64u);
    EXPECT_EQ(f.author + f.DefaultFont, "AnnCourier");  // the rest is read as usual
}

// ---- Writing ---------------------------------------------------------------------------

TEST_F(FormatFileTest, SavedFileIsUtf8AndReadsBackUnchanged) {
    const std::string body =
        "<documentproperties><title>Caf\xC3\xA9 \xE2\x82\xAC</title><author>A &amp; B</author>"
        "</documentproperties>" +
        Defaults("<fontname>Courier</fontname><fontsize>1</fontsize><fontcolor>1 2 3</fontcolor>"
                 "<x>1</x><y>1</y><dy>-3</dy><maxlenline>6</maxlenline><linelength>21</linelength>"
                 "<textalign>justify</textalign><pageheight>842</pageheight>"
                 "<pagewidth>595</pagewidth>") +  // the smallest values that are written
        kFullLine + Line("linevalue", "\xC3\xA9t\xC3\xA9", "<format><dy>0</dy></format>");
    vorFormat f;
    ASSERT_EQ(Read(f, Doc(body)), 0);
    EXPECT_EQ(f.title, "Caf\xC3\xA9 \xE2\x82\xAC");  // the properties are UTF-8 inside

    std::string path = dir_.File("saved.xml");
    ASSERT_EQ(f.SaveFormatFile(path), 0);
    std::string saved = test::ReadFile(path);
    EXPECT_EQ(saved, f.FormatFileText());
    EXPECT_EQ(saved.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u);
    // Every element comes back as it was given: names, order, values and UTF-8 bytes.
    EXPECT_EQ(WrittenRoot(f), Doc(body));
    vorFormat g;
    ASSERT_EQ(g.ReadFormatFile(path), 0);
    EXPECT_EQ(g.FormatFileText(), saved);
}

TEST(FormatWriterTest, ElementsAreWrittenOnlyWhenTheyHoldAValue) {
    vorFormat bare = Cond("linenumber", "3");
    bare.bk = 4;
    bare.fontsize = bare.dy = "big";
    bare.linelength = -1;
    vorFormat f;  // every value just short of being written
    f.DefaultX = -5;
    f.MaxLenLine = 5;
    f.DefaultMaxLenLine = 90;  // the writer takes MaxLenLine
    f.DefaultLineLength = 20;
    f.DefaultPageHeight = "A4";
    f.DefaultPageWidth = "0";
    f.ListeFormats = {bare};
    EXPECT_EQ(WrittenRoot(f),
              "<dorvex version=\"1.0\"><vantor><format><documentproperties/><default><fontname/>"
              "<textalign/></default><line><name/><condition>linenumber</condition>"
              "<value>3</value><format/></line></format></vantor></dorvex>");
}

TEST_F(FormatFileTest, SaveReplacesAFileWholeAndFailsWithoutHarm) {
    vorFormat f;
    std::string existing = dir_.File("old.xml");
    test::WriteFile(existing, std::string(5000, 'x'));
    EXPECT_EQ(f.SaveFormatFile(existing), 0);
    EXPECT_EQ(test::ReadFile(existing), f.FormatFileText());

    EXPECT_EQ(f.SaveFormatFile(dir_.File("missing/f.xml")), 1);
    EXPECT_EQ(f.SaveFormatFile(""), 1);
    // A name taken by a folder cannot be replaced; what is there stays.
    fs::create_directory(dir_.path() / "taken.xml");
    test::WriteFile(dir_.File("taken.xml/keep.txt"), "keep");
    EXPECT_EQ(f.SaveFormatFile(dir_.File("taken.xml")), 1);
    EXPECT_EQ(test::ReadFile(dir_.File("taken.xml/keep.txt")), "keep");

    std::set<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir_.path()))
        left.insert(entry.path().filename());
    EXPECT_EQ(left, (std::set<std::string>{"old.xml", "taken.xml"}));  // no temporaries
}

// ---- GetFormat -------------------------------------------------------------------------

TEST(GetFormatTest, ConditionsMatchExactlyAndCaseSensitively) {
    auto matches = [](const char* type, const char* value, int32_t line, const char* text) {
        vorFormat f = Working();
        f.ListeFormats.push_back(Cond(type, value));
        f.GetFormat(line, text);
        return f.conditionType + ":" + f.conditionValue == std::string(type) + ":" + value;
    };
    EXPECT_TRUE(matches("leftlinevalue", "Chapter", 1, "Chapter 1"));
    EXPECT_TRUE(matches("leftlinevalue", "Chapter", 1, "Chapter"));
    for (const char* text : {"chapter 1", "Chap", " Chapter"})
        EXPECT_FALSE(matches("leftlinevalue", "Chapter", 1, text)) << text;
    EXPECT_FALSE(matches("leftlinevalue", "", 1, ""));
    EXPECT_TRUE(matches("linevalue", "End", 1, "End"));
    for (const char* text : {"End ", "end", "The End"})
        EXPECT_FALSE(matches("linevalue", "End", 1, text)) << text;
    EXPECT_TRUE(matches("linenumber", "1000000", 1000000, ""));
    EXPECT_FALSE(matches("linenumber", "07", 7, ""));
    EXPECT_FALSE(matches("linenumber", "7", 17, ""));
    EXPECT_FALSE(matches("linenumber", "7", 70, "7"));
    EXPECT_FALSE(matches("LineNumber", "7", 7, ""));
    EXPECT_FALSE(matches("other", "x", 1, "x"));
}

TEST(GetFormatTest, LastingValuesHoldFromTheirLineOnOwnValuesOnlyOnTheirLine) {
    vorFormat f = Working(
        "<textalign>left</textalign>",
        Line("linenumber", "3",
             "<format><fontsize>14</fontsize><defaultfontsize>20</defaultfontsize>"
             "<defaulttextalign>Right</defaulttextalign><defaultfontcolor>0 0 255"
             "</defaultfontcolor><defaultdy>24</defaultdy><defaultx>70</defaultx>"
             "<defaultlinelength>250</defaultlinelength><defaultmaxlenline>60"
             "</defaultmaxlenline></format>") +
            Line("linenumber", "5",  // only positive spacings last
                 "<format><fontsize>30</fontsize><textalign>CENTER</textalign><fontcolor>9 9 9"
                 "</fontcolor><dy>40</dy><defaultdy>-8</defaultdy><y>500</y><x>90</x>"
                 "<linelength>100</linelength><maxlenline>10</maxlenline></format>"));
    const char* expected[] = {
        "Helvetica 12pt dy16 x40 y50 sety0 align(left) color() max100 len0",
        "Helvetica 14pt dy24 x70 y50 sety0 align(left) color(0 0 255) max60 len250",  // align waits
        "Helvetica 20pt dy24 x70 y50 sety0 align(right) color(0 0 255) max60 len250",
        "Helvetica 30pt dy40 x90 y50 sety500 align(center) color(9 9 9) max10 len100",
        "Helvetica 20pt dy24 x70 y50 sety0 align(right) color(0 0 255) max60 len250",
    };
    for (int32_t line = 2; line <= 6; ++line) {
        f.GetFormat(line, "text");
        std::string style = Style(f);
        EXPECT_EQ(style.substr(0, style.find(" flags")), expected[line - 2]) << "line " << line;
    }
}

TEST(GetFormatTest, PerLineSizeAndSpacingAreRoundedAndBadOnesIgnored) {
    const char* cases[][2] = {{"14.5", "14"}, {"15.5", "16"}, {" 9 ", "9"}, {"-2", "-2"},
                              {"big", "13"},  {"40000", "13"}, {"1e2", "13"}};
    for (const auto& [given, expected] : cases) {
        vorFormat good = Cond("linenumber", "1");  // a bad value leaves what this one gave
        good.fontsize = good.dy = "13";
        vorFormat condition = Cond("linenumber", "1");
        condition.fontsize = condition.dy = given;
        vorFormat f = Working();
        f.ListeFormats = {good, condition};
        f.GetFormat(1, "");
        EXPECT_EQ(f.fontsize + "/" + f.dy, std::string(expected) + "/" + expected) << given;
    }
}

}  // namespace
}  // namespace scrivane
