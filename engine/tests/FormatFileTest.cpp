#include "format/vorFormat.h"
#include "format/XmlValueReader.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

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

vorFormat Cond(const std::string& type, const std::string& value) {
    vorFormat c;
    c.conditionType = type;
    c.conditionValue = value;
    return c;
}

// A working format as an export starts with: read fallbacks, no conditions.
vorFormat Working() {
    vorFormat f;
    f.ApplyReadFallbacks();
    return f;
}

std::string ChildNames(pugi::xml_node node) {
    std::string names;
    for (pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element) continue;
        if (!names.empty()) names += ',';
        names += child.name();
    }
    return names;
}

class FormatFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        dir_ = fs::temp_directory_path() /
               ("scrivane-format-" + std::to_string(::getpid()) + "-" + name);
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    std::string WriteFile(const std::string& name, const std::string& bytes) const {
        std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    static std::string ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    int16_t Read(vorFormat& f, const std::string& xml) {
        return f.ReadFormatFile(WriteFile("in.xml", xml));
    }

    fs::path dir_;
};

// ---- Reading ---------------------------------------------------------------------------

TEST_F(FormatFileTest, FileWithoutValuesGivesTheReadFallbacks) {
    vorFormat f;
    ASSERT_EQ(Read(f, Doc("")), 0);
    EXPECT_EQ(f.DefaultFont, "Helvetica");
    EXPECT_EQ(f.DefaultFontSize, 12);
    EXPECT_EQ(f.DefaultX, 40);
    EXPECT_EQ(f.DefaultY, 50);
    EXPECT_EQ(f.DefaultDY, 16);
    EXPECT_EQ(f.DefaultMaxLenLine, 100);
    EXPECT_EQ(f.MaxLenLine, 100);
    EXPECT_EQ(f.DefaultLineLength, 0);
    EXPECT_EQ(f.DefaultPageHeight, "");
    EXPECT_EQ(f.DefaultPageWidth, "");
    EXPECT_EQ(f.DefaultFontAlign, "");
    EXPECT_EQ(f.DefaultFontColor, "");
    EXPECT_EQ(f.title, "");
    EXPECT_TRUE(f.ListeFormats.empty());
    EXPECT_EQ(f.DefaultDownMargin, "50");
    EXPECT_EQ(f.DefaultColumns, "1");
    EXPECT_EQ(f.DefaultSpaceBetweenColumns, "12");

    vorFormat fallback;
    fallback.ApplyReadFallbacks();
    EXPECT_EQ(fallback.FormatFileText(), f.FormatFileText());

    // The fallbacks only fill what is unset or out of bounds.
    vorFormat held;
    held.DefaultFont = "Courier";
    held.DefaultFontSize = 30;
    held.DefaultDY = -4;
    held.DefaultX = -5;
    held.DefaultMaxLenLine = 70;
    held.DefaultLineLength = 250;
    held.ApplyReadFallbacks();
    EXPECT_EQ(held.DefaultFont, "Courier");
    EXPECT_EQ(held.DefaultFontSize, 30);
    EXPECT_EQ(held.DefaultDY, -4);
    EXPECT_EQ(held.DefaultX, 40);
    EXPECT_EQ(held.DefaultMaxLenLine, 70);
    EXPECT_EQ(held.MaxLenLine, 70);
    EXPECT_EQ(held.DefaultLineLength, 250);
}

TEST_F(FormatFileTest, DefaultValuesAreConvertedWithTheirOwnFallbacks) {
    vorFormat f;
    ASSERT_EQ(Read(f, Doc("<documentproperties><title>T</title><subject>S</subject><author>A"
                          "</author><keywords>K</keywords></documentproperties>" +
                          Defaults("<fontname>Courier</fontname><fontsize>10.5</fontsize>"
                                   "<fontcolor>255 0 0</fontcolor><x>0</x><y>72.5</y><dy>0</dy>"
                                   "<maxlenline>0</maxlenline><linelength>-5</linelength>"
                                   "<textalign>Right</textalign><pageheight>842.4</pageheight>"
                                   "<pagewidth>595.5</pagewidth>"))),
              0);
    EXPECT_EQ(f.title + f.subject + f.author + f.keywords, "TSAK");
    EXPECT_EQ(f.DefaultFont, "Courier");
    EXPECT_EQ(f.DefaultFontSize, 10);  // half to even
    EXPECT_EQ(f.DefaultFontColor, "255 0 0");
    EXPECT_EQ(f.DefaultX, 40);  // 0 is no position
    EXPECT_EQ(f.DefaultY, 72);
    EXPECT_EQ(f.DefaultDY, 0);  // a spacing of 0 is kept
    EXPECT_EQ(f.DefaultMaxLenLine, 100);
    EXPECT_EQ(f.MaxLenLine, 100);
    EXPECT_EQ(f.DefaultLineLength, -5);  // no fallback
    EXPECT_EQ(f.DefaultFontAlign, "Right");
    EXPECT_EQ(f.DefaultPageHeight, "842");
    EXPECT_EQ(f.DefaultPageWidth, "596");

    vorFormat fresh;
    ASSERT_EQ(Read(fresh, Doc(Defaults("<dy>wide</dy><fontsize>0</fontsize><dy>20</dy>"))), 0);
    EXPECT_EQ(fresh.DefaultDY, 16);  // only the first dy counts, and it is not a number
    EXPECT_EQ(fresh.DefaultFontSize, 12);

    vorFormat kept;
    kept.DefaultDY = 9;
    kept.DefaultPageHeight = "600";
    kept.DefaultPageWidth = "400";
    kept.title = "Old";
    ASSERT_EQ(Read(kept, Doc(Defaults("<dy>wide</dy><pageheight>-842</pageheight>"
                                      "<pagewidth>0.4</pagewidth>"))),
              0);
    EXPECT_EQ(kept.DefaultDY, 9);
    EXPECT_EQ(kept.DefaultPageHeight, "600");
    EXPECT_EQ(kept.DefaultPageWidth, "400");
    EXPECT_EQ(kept.title, "Old");
}

TEST_F(FormatFileTest, OutOfRangeNumberStopsTheReadKeepingWhatWasRead) {
    vorFormat f;
    EXPECT_EQ(Read(f, Doc("<documentproperties><title>Kept</title></documentproperties>" +
                          Defaults("<fontname>Times</fontname><fontsize>14</fontsize>"
                                   "<x>32767.5</x><y>60</y><textalign>left</textalign>") +
                          Line("linenumber", "1"))),
              1);
    EXPECT_EQ(f.title, "Kept");
    EXPECT_EQ(f.DefaultFont, "Times");
    EXPECT_EQ(f.DefaultFontSize, 14);
    EXPECT_EQ(f.DefaultX, 0);
    EXPECT_EQ(f.DefaultY, 0);
    EXPECT_EQ(f.DefaultDY, 0);
    EXPECT_EQ(f.DefaultFontAlign, "");
    EXPECT_TRUE(f.ListeFormats.empty());

    vorFormat g;
    EXPECT_EQ(Read(g, Doc(Line("linenumber", "1") +
                          Line("linenumber", "2",
                               "<format><defaultfontsize>-40000</defaultfontsize></format>") +
                          Line("linenumber", "3"))),
              1);
    EXPECT_EQ(g.DefaultX, 40);
    ASSERT_EQ(g.ListeFormats.size(), 1u);
    EXPECT_EQ(g.ListeFormats[0].conditionValue, "1");
}

TEST_F(FormatFileTest, ConditionValuesAreReadFromEachLine) {
    vorFormat f;
    ASSERT_EQ(
        Read(f, Doc(
                    "<line><name>Heading</name><condition>leftlinevalue</condition>"
                    "<value>&lt;h1&gt;</value><show>right</show><annot>1</annot><link>1</link>"
                    "<header>1</header><bk>2</bk><format><fontname>Arial</fontname>"
                    "<defaultfontname>Courier</defaultfontname><fontsize>14.5</fontsize>"
                    "<defaultfontsize>11</defaultfontsize><defaulttextalign>Justify"
                    "</defaulttextalign><textalign>Right</textalign><fontcolor>0 0 255"
                    "</fontcolor><defaultfontcolor>9 9 9</defaultfontcolor><dy>40000</dy>"
                    "<defaultdy>-3</defaultdy><y>300</y><x>-10</x><defaultx>60</defaultx>"
                    "<defaultlinelength>400</defaultlinelength><linelength>300</linelength>"
                    "<maxlenline>70</maxlenline><defaultmaxlenline>80</defaultmaxlenline>"
                    "<imagefile>%AppPath%/Img/Logo.JPG</imagefile><imagex>10</imagex>"
                    "<imagey>20</imagey></format></line>" +
                    Line("linenumber", "3",
                         "<show>No</show><link>true</link><annot>yes</annot><header>01</header>"
                         "<bk>4</bk><format><fontsize>big</fontsize><dy>1e2</dy>"
                         "<defaultx>abc</defaultx><x>5px</x><linelength>0</linelength>"
                         "<maxlenline>-5</maxlenline><defaultlinelength>-1</defaultlinelength>"
                         "</format>"))),
        0);
    ASSERT_EQ(f.ListeFormats.size(), 2u);
    const vorFormat& h = f.ListeFormats[0];
    EXPECT_EQ(h.conditionName, "Heading");
    EXPECT_EQ(h.conditionType, "leftlinevalue");
    EXPECT_EQ(h.conditionValue, "<h1>");
    EXPECT_EQ(h.show, "RIGHT");
    EXPECT_TRUE(h.isAnnotation && h.isLink && h.isHeader);
    EXPECT_EQ(h.bk, 2);
    EXPECT_EQ(h.fontname, "Arial");
    EXPECT_EQ(h.DefaultFont, "Courier");
    EXPECT_EQ(h.fontsize, "14.5");  // kept as written; GetFormat rounds it
    EXPECT_EQ(h.DefaultFontSize, 11);
    EXPECT_EQ(h.DefaultFontAlign, "Justify");
    EXPECT_EQ(h.FontAlign, "Right");
    EXPECT_EQ(h.fontcolor, "0 0 255");
    EXPECT_EQ(h.DefaultFontColor, "9 9 9");
    EXPECT_EQ(h.dy, "40000");  // text only: no range check, GetFormat ignores it
    EXPECT_EQ(h.DefaultDY, -3);
    EXPECT_EQ(h.SetY, 300);
    EXPECT_EQ(h.x, -10);
    EXPECT_EQ(h.DefaultX, 60);
    EXPECT_EQ(h.DefaultLineLength, 400);
    EXPECT_EQ(h.linelength, 300);
    EXPECT_EQ(h.MaxLenLine, 70);
    EXPECT_EQ(h.DefaultMaxLenLine, 80);
    EXPECT_EQ(h.ImageFile, "%AppPath%/Img/Logo.JPG");
    EXPECT_EQ(h.ImageX, "10");
    EXPECT_EQ(h.ImageY, "20");

    // Odd values are dropped, and a condition gets none of the reading fallbacks.
    const vorFormat& n = f.ListeFormats[1];
    EXPECT_EQ(n.show, "NO");
    EXPECT_FALSE(n.isLink || n.isAnnotation || n.isHeader);
    EXPECT_EQ(n.bk, 0);
    EXPECT_EQ(n.fontsize, "");
    EXPECT_EQ(n.dy, "");
    EXPECT_EQ(n.DefaultX, 0);
    EXPECT_EQ(n.x, 0);
    EXPECT_EQ(n.linelength, 0);
    EXPECT_EQ(n.MaxLenLine, 0);
    EXPECT_EQ(n.DefaultLineLength, 0);
    EXPECT_EQ(n.DefaultFont, "");
    EXPECT_EQ(n.DefaultFontSize, 0);
    EXPECT_EQ(n.DefaultDY, 0);
    EXPECT_EQ(n.DefaultMaxLenLine, 0);
    EXPECT_EQ(n.DefaultDownMargin, "50");
}

TEST_F(FormatFileTest, ALineWithoutConditionEndsTheList) {
    vorFormat f;
    ASSERT_EQ(Read(f, Doc(Line("linevalue", "a") + Line("other", "b") +
                          "<line><name>gap</name><value>c</value></line>" +
                          Line("linenumber", "4"))),
              0);
    ASSERT_EQ(f.ListeFormats.size(), 2u);
    EXPECT_EQ(f.ListeFormats[1].conditionType, "other");  // read, though it never matches

    vorFormat g;
    ASSERT_EQ(Read(g, Doc(Line("", "a") + Line("linenumber", "2"))), 0);
    EXPECT_TRUE(g.ListeFormats.empty());
}

TEST_F(FormatFileTest, ReadingAddsToWhatTheObjectAlreadyHolds) {
    vorFormat f;
    f.title = "Old";
    f.ListeFormats.push_back(Cond("linenumber", "0"));
    std::string path = WriteFile("two.xml", Doc("<documentproperties><author>Ann</author>"
                                                "</documentproperties>" +
                                                Line("linenumber", "1") + Line("linenumber", "2")));
    ASSERT_EQ(f.ReadFormatFile(path), 0);
    ASSERT_EQ(f.ReadFormatFile(path), 0);
    EXPECT_EQ(f.title, "Old");
    EXPECT_EQ(f.author, "Ann");
    std::string order;
    for (const vorFormat& c : f.ListeFormats) order += c.conditionValue;
    EXPECT_EQ(order, "01212");
}

TEST_F(FormatFileTest, StatusesForMissingNamesAndFilesAndBrokenFiles) {
    vorFormat f;
    EXPECT_EQ(f.ReadFormatFile(""), 2);
    EXPECT_EQ(f.ReadFormatFile(PathOf("absent.xml")), 3);
    EXPECT_EQ(f.DefaultFont, "");  // nothing was applied
    EXPECT_EQ(f.DefaultX, 0);

    // A broken file reads as if it held no values at all, even the part before the fault.
    const std::string broken[] = {
        Doc("<documentproperties><title>T</title></documentproperties>" +
            Defaults("<fontname>Courier</fontname><x>90</x>") + Line("linenumber", "1"))
            .substr(0, 200),
        "",
        std::string("\x00\xff\xfe garbage", 11),
        "<dorvex><vantor></format></vantor></dorvex>",
    };
    for (const std::string& bytes : broken) {
        vorFormat g;
        EXPECT_EQ(Read(g, bytes), 0);
        EXPECT_EQ(g.title, "");
        EXPECT_EQ(g.DefaultFont, "Helvetica");
        EXPECT_EQ(g.DefaultX, 40);
        EXPECT_EQ(g.DefaultDY, 16);
        EXPECT_TRUE(g.ListeFormats.empty());
    }
}

TEST_F(FormatFileTest, DoctypeEntitiesAreNeverResolved) {
    std::string secret = WriteFile("secret.txt", "TOPSECRET");
    std::string xml =
        "<?xml version=\"1.0\"?>\n"
        "<!DOCTYPE dorvex [\n"
        "  <!ENTITY secret SYSTEM \"file://" + secret + "\">\n"
        "  <!ENTITY % remote SYSTEM \"file://" + secret + "\">\n"
        "  <!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">\n"
        "  <!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">\n"
        "  <!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">\n"
        "  <!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">\n"
        "  %remote;\n"
        "]>\n" +
        Doc("<documentproperties><title>&secret;</title><subject>&d;</subject>"
            "<author>Ann</author></documentproperties>" +
            Defaults("<fontname>Courier</fontname>") + Line("linevalue", "&secret;"));
    vorFormat f;
    ASSERT_EQ(Read(f, xml), 0);
    EXPECT_EQ(f.title.find("TOPSECRET"), std::string::npos) << f.title;
    EXPECT_LT(f.subject.size(), 100u);
    EXPECT_EQ(f.author, "Ann");
    EXPECT_EQ(f.DefaultFont, "Courier");
    ASSERT_EQ(f.ListeFormats.size(), 1u);
    EXPECT_EQ(f.ListeFormats[0].conditionValue.find("TOPSECRET"), std::string::npos);
}

TEST_F(FormatFileTest, ValuesAreWindows1252InsideAndUtf8InTheFile) {
    vorFormat f;
    ASSERT_EQ(Read(f, Doc("<documentproperties><title>Caf\xC3\xA9 \xE2\x82\xAC"
                          "</title></documentproperties>" +
                          Line("linevalue", "\xC3\xA9t\xC3\xA9"))),
              0);
    EXPECT_EQ(f.title, "Caf\xE9 \x80");
    ASSERT_EQ(f.ListeFormats.size(), 1u);
    EXPECT_EQ(f.ListeFormats[0].conditionValue, "\xE9t\xE9");

    std::string path = PathOf("out.xml");
    ASSERT_EQ(f.SaveFormatFile(path), 0);
    std::string bytes = ReadBytes(path);
    EXPECT_NE(bytes.find("Caf\xC3\xA9 \xE2\x82\xAC"), std::string::npos);
    EXPECT_EQ(bytes.find("Caf\xE9"), std::string::npos);
    vorFormat g;
    ASSERT_EQ(g.ReadFormatFile(path), 0);
    EXPECT_EQ(g.title, f.title);
    EXPECT_EQ(g.ListeFormats.at(0).conditionValue, "\xE9t\xE9");
}

// ---- Writing ---------------------------------------------------------------------------

TEST(FormatWriterTest, DefaultsAreWrittenOnlyWhenTheyHoldAValue) {
    vorFormat f;
    f.DefaultX = -5;
    f.MaxLenLine = 5;
    f.DefaultMaxLenLine = 90;  // the writer takes MaxLenLine
    f.DefaultLineLength = 20;
    f.DefaultPageHeight = "A4";
    f.DefaultPageWidth = "0";
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(f.FormatFileText().c_str()));
    pugi::xml_node root = doc.child("dorvex");
    EXPECT_STREQ(root.attribute("version").value(), "1.0");
    pugi::xml_node format = root.child("vantor").child("format");
    EXPECT_EQ(ChildNames(format), "documentproperties,default");
    EXPECT_EQ(ChildNames(format.child("documentproperties")), "");
    EXPECT_EQ(ChildNames(format.child("default")), "fontname,textalign");

    vorFormat g;
    g.title = "T";
    g.keywords = "K";
    g.DefaultFont = "Courier";
    g.DefaultFontSize = 1;
    g.DefaultFontColor = "1 2 3";
    g.DefaultX = 1;
    g.DefaultY = 1;
    g.DefaultDY = -2;
    g.MaxLenLine = 6;
    g.DefaultLineLength = 21;
    g.DefaultFontAlign = "Justify";
    g.DefaultPageHeight = "842";
    g.DefaultPageWidth = "595";
    ASSERT_TRUE(doc.load_string(g.FormatFileText().c_str()));
    format = doc.child("dorvex").child("vantor").child("format");
    EXPECT_EQ(ChildNames(format.child("documentproperties")), "title,keywords");
    pugi::xml_node defaults = format.child("default");
    EXPECT_EQ(ChildNames(defaults), "fontname,fontsize,fontcolor,x,y,dy,maxlenline,linelength,"
                                    "textalign,pageheight,pagewidth");
    EXPECT_STREQ(defaults.child_value("dy"), "-2");
    EXPECT_STREQ(defaults.child_value("maxlenline"), "6");
    EXPECT_STREQ(defaults.child_value("linelength"), "21");
    EXPECT_STREQ(defaults.child_value("textalign"), "Justify");
    EXPECT_STREQ(defaults.child_value("pageheight"), "842");
}

TEST(FormatWriterTest, ConditionElementsAreWrittenInOrderOnlyWhenSet) {
    vorFormat bare = Cond("linenumber", "3");
    bare.bk = 4;
    bare.fontsize = "big";
    bare.dy = "wide";
    bare.linelength = -1;

    vorFormat full = Cond("leftlinevalue", "<h1>");
    full.conditionName = "Heading";
    full.show = "Right";
    full.isAnnotation = full.isLink = full.isHeader = true;
    full.bk = 3;
    full.fontname = "Arial";
    full.DefaultFont = "Courier";
    full.fontsize = "14";
    full.DefaultFontSize = -1;
    full.DefaultFontAlign = "Justify";
    full.FontAlign = "Right";
    full.fontcolor = "0 0 255";
    full.DefaultFontColor = "9 9 9";
    full.dy = "18";
    full.DefaultDY = -2;
    full.SetY = 300;
    full.x = -10;
    full.DefaultX = 60;
    full.DefaultLineLength = 400;
    full.linelength = 300;
    full.MaxLenLine = 70;
    full.DefaultMaxLenLine = 80;
    full.ImageFile = "Logo.JPG";
    full.ImageX = "1";
    full.ImageY = "2";

    vorFormat f;
    f.ListeFormats = {bare, full};
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(f.FormatFileText().c_str()));
    pugi::xml_node format = doc.child("dorvex").child("vantor").child("format");
    EXPECT_EQ(ChildNames(format), "documentproperties,default,line,line");

    pugi::xml_node first = format.child("line");
    EXPECT_EQ(ChildNames(first), "name,condition,value,format");
    EXPECT_EQ(ChildNames(first.child("format")), "");
    EXPECT_STREQ(first.child_value("value"), "3");

    pugi::xml_node second = first.next_sibling("line");
    EXPECT_EQ(ChildNames(second), "name,condition,value,show,annot,link,header,bk,format");
    EXPECT_STREQ(second.child_value("show"), "right");
    EXPECT_STREQ(second.child_value("value"), "<h1>");
    EXPECT_STREQ(second.child_value("link"), "1");
    EXPECT_STREQ(second.child_value("bk"), "3");
    pugi::xml_node lineFormat = second.child("format");
    EXPECT_EQ(ChildNames(lineFormat),
              "fontname,defaultfontname,fontsize,defaultfontsize,defaulttextalign,textalign,"
              "fontcolor,defaultfontcolor,dy,defaultdy,y,x,defaultx,defaultlinelength,"
              "linelength,maxlenline,defaultmaxlenline,imagefile,imagex,imagey");
    EXPECT_STREQ(lineFormat.child_value("defaultfontsize"), "-1");
    EXPECT_STREQ(lineFormat.child_value("defaultdy"), "-2");
    EXPECT_STREQ(lineFormat.child_value("y"), "300");
    EXPECT_STREQ(lineFormat.child_value("x"), "-10");
    EXPECT_STREQ(lineFormat.child_value("textalign"), "Right");
    EXPECT_STREQ(lineFormat.child_value("imagefile"), "Logo.JPG");
}

TEST_F(FormatFileTest, SavedFormatReadsBackUnchanged) {
    vorFormat f;
    f.title = "Caf\xE9";
    f.subject = "S";
    f.author = "A & B";
    f.keywords = "<k>";
    f.DefaultFont = "Courier";
    f.DefaultFontSize = 11;
    f.DefaultFontColor = "10 20 30";
    f.DefaultX = 60;
    f.DefaultY = 70;
    f.DefaultDY = -3;
    f.DefaultMaxLenLine = f.MaxLenLine = 80;
    f.DefaultLineLength = 450;
    f.DefaultFontAlign = "justify";
    f.DefaultPageHeight = "842";
    f.DefaultPageWidth = "595";

    vorFormat heading = Cond("leftlinevalue", "<h1>");
    heading.conditionName = "Heading";
    heading.show = "RIGHT";
    heading.bk = 1;
    heading.isHeader = true;
    heading.fontsize = "16";
    heading.fontname = "Arial";
    heading.FontAlign = "Right";
    heading.SetY = 700;
    vorFormat hidden = Cond("linevalue", "secret \xE9");
    hidden.show = "NO";
    hidden.isAnnotation = true;
    hidden.dy = "0";
    vorFormat later = Cond("linenumber", "12");
    later.DefaultFontSize = 20;
    later.DefaultFont = "Helvetica";
    later.DefaultX = -15;
    later.DefaultDY = 22;
    later.DefaultMaxLenLine = 50;
    later.DefaultLineLength = 300;
    later.DefaultFontColor = "1 1 1";
    later.DefaultFontAlign = "left";
    later.isLink = true;
    later.x = 5;
    later.linelength = 30;
    later.MaxLenLine = 9;
    later.ImageFile = "%apppath%/Pic.PNG";
    later.ImageX = "100";
    later.ImageY = "200";
    f.ListeFormats = {heading, hidden, later};

    std::string path = PathOf("saved.xml");
    ASSERT_EQ(f.SaveFormatFile(path), 0);
    EXPECT_EQ(ReadBytes(path), f.FormatFileText());

    vorFormat g;
    ASSERT_EQ(g.ReadFormatFile(path), 0);
    EXPECT_EQ(g.FormatFileText(), f.FormatFileText());
    // The text comparison hides faults that reading and writing share; check a few.
    EXPECT_EQ(g.title, "Caf\xE9");
    EXPECT_EQ(g.keywords, "<k>");
    EXPECT_EQ(g.DefaultDY, -3);
    ASSERT_EQ(g.ListeFormats.size(), 3u);
    EXPECT_EQ(g.ListeFormats[0].show, "RIGHT");
    EXPECT_TRUE(g.ListeFormats[0].isHeader);
    EXPECT_EQ(g.ListeFormats[0].SetY, 700);
    EXPECT_EQ(g.ListeFormats[1].conditionValue, "secret \xE9");
    EXPECT_EQ(g.ListeFormats[1].dy, "0");
    EXPECT_EQ(g.ListeFormats[2].DefaultX, -15);
    EXPECT_EQ(g.ListeFormats[2].MaxLenLine, 9);
    EXPECT_EQ(g.ListeFormats[2].DefaultMaxLenLine, 50);
    EXPECT_EQ(g.ListeFormats[2].ImageFile, "%apppath%/Pic.PNG");
}

TEST_F(FormatFileTest, SaveReplacesAFileWholeAndFailsWithoutHarm) {
    vorFormat f;
    f.title = "New";
    std::string existing = WriteFile("old.xml", std::string(5000, 'x'));
    fs::permissions(existing, fs::perms::owner_read | fs::perms::group_read |
                                  fs::perms::others_read);
    EXPECT_EQ(f.SaveFormatFile(existing), 0);
    EXPECT_EQ(ReadBytes(existing), f.FormatFileText());

    EXPECT_EQ(f.SaveFormatFile(PathOf("missing/f.xml")), 1);
    EXPECT_FALSE(fs::exists(dir_ / "missing"));
    EXPECT_EQ(f.SaveFormatFile(""), 1);

    // A name taken by a folder cannot be replaced; what is there stays.
    fs::create_directory(dir_ / "taken.xml");
    WriteFile("taken.xml/keep.txt", "keep");
    EXPECT_EQ(f.SaveFormatFile(PathOf("taken.xml")), 1);
    EXPECT_EQ(ReadBytes(PathOf("taken.xml/keep.txt")), "keep");

    std::set<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir_)) left.insert(entry.path().filename());
    EXPECT_EQ(left, (std::set<std::string>{"old.xml", "taken.xml"}));  // no temporaries
}

// ---- GetFormat -------------------------------------------------------------------------

TEST(GetFormatTest, EachLineStartsFromTheDefaults) {
    vorFormat f = Working();
    f.DefaultFontColor = "1 2 3";
    f.DefaultFontAlign = "JUSTIFY";
    f.DefaultLineLength = 300;
    f.DefaultColumns = "2";
    f.DefaultSpaceBetweenColumns = "20";
    // What an earlier line left behind.
    f.fontname = "Courier";
    f.fontsize = "99";
    f.dy = "1";
    f.x = 3;
    f.show = "NO";
    f.SetY = 99;
    f.isLink = f.isAnnotation = f.isHeader = true;
    f.conditionType = "linevalue";
    f.conditionValue = "x";
    f.ImageFile = "a.jpg";
    f.bk = 2;
    f.ImageX = "10";
    f.ImageY = "20";

    EXPECT_EQ(f.GetFormat(1, "text"), 0);
    EXPECT_EQ(f.fontname, "Helvetica");
    EXPECT_EQ(f.fontsize, "12");
    EXPECT_EQ(f.dy, "16");
    EXPECT_EQ(f.x, 40);
    EXPECT_EQ(f.y, 50);
    EXPECT_EQ(f.FontAlign, "justify");
    EXPECT_EQ(f.DefaultFontAlign, "JUSTIFY");
    EXPECT_EQ(f.fontcolor, "1 2 3");
    EXPECT_EQ(f.MaxLenLine, 100);
    EXPECT_EQ(f.linelength, 300);
    EXPECT_EQ(f.columns, "2");
    EXPECT_EQ(f.SpaceBetweenColumns, "20");
    EXPECT_EQ(f.SetY, 0);
    EXPECT_FALSE(f.isLink || f.isAnnotation || f.isHeader);
    EXPECT_EQ(f.show + f.conditionType + f.conditionValue + f.ImageFile, "");
    EXPECT_EQ(f.bk, 2);
    EXPECT_EQ(f.ImageX, "10");
    EXPECT_EQ(f.ImageY, "20");
}

TEST(GetFormatTest, PageHeightBecomes843OnlyWhenNotNumeric) {
    vorFormat f = Working();
    EXPECT_EQ(f.DefaultPageHeight, "");
    f.GetFormat(1, "");
    EXPECT_EQ(f.DefaultPageHeight, "843");
    f.DefaultPageHeight = "595.5";
    f.GetFormat(2, "");
    EXPECT_EQ(f.DefaultPageHeight, "595.5");
    f.DefaultPageHeight = "A4";
    f.GetFormat(3, "");
    EXPECT_EQ(f.DefaultPageHeight, "843");
}

TEST(GetFormatTest, ConditionsMatchExactlyAndCaseSensitively) {
    struct Case {
        const char* type;
        const char* value;
        int32_t line;
        const char* text;
        bool matches;
    };
    const Case cases[] = {
        {"leftlinevalue", "Chapter", 1, "Chapter 1", true},
        {"leftlinevalue", "Chapter", 1, "Chapter", true},
        {"leftlinevalue", "Chapter", 1, "chapter 1", false},
        {"leftlinevalue", "Chapter", 1, "Chap", false},
        {"leftlinevalue", "Chapter", 1, " Chapter", false},
        {"leftlinevalue", "", 1, "", false},
        {"leftlinevalue", "", 1, "Chapter", false},
        {"linevalue", "End", 1, "End", true},
        {"linevalue", "End", 1, "End ", false},
        {"linevalue", "End", 1, "end", false},
        {"linevalue", "End", 1, "The End", false},
        {"linenumber", "7", 7, "", true},
        {"linenumber", "7", 17, "", false},
        {"linenumber", "7", 70, "7", false},
        {"linenumber", "07", 7, "", false},
        {"linenumber", "1000000", 1000000, "", true},
        {"LineNumber", "7", 7, "", false},
        {"other", "x", 1, "x", false},
    };
    for (const Case& c : cases) {
        vorFormat f = Working();
        vorFormat condition = Cond(c.type, c.value);
        condition.fontname = "Courier";
        f.ListeFormats.push_back(condition);
        f.GetFormat(c.line, c.text);
        SCOPED_TRACE(std::string(c.type) + " '" + c.value + "' line " + std::to_string(c.line) +
                     " '" + c.text + "'");
        EXPECT_EQ(f.fontname == "Courier", c.matches);
        EXPECT_EQ(f.conditionType, c.matches ? c.type : "");
        EXPECT_EQ(f.conditionValue, c.matches ? c.value : "");
    }
}

TEST(GetFormatTest, LaterMatchesOverrideEarlierOnesFieldByField) {
    vorFormat f = Working();
    vorFormat first = Cond("leftlinevalue", "#");
    first.fontsize = "14";
    first.fontname = "Arial";
    first.DefaultFont = "Courier";
    first.fontcolor = "255 0 0";
    first.x = 100;
    first.isLink = true;
    first.show = "RIGHT";
    first.bk = 2;
    vorFormat second = Cond("linenumber", "2");
    second.fontsize = "18";
    second.DefaultX = 60;
    second.isHeader = true;
    second.bk = 1;
    f.ListeFormats = {first, second};

    f.GetFormat(2, "# Title");
    EXPECT_EQ(f.fontsize, "18");
    EXPECT_EQ(f.fontname, "Arial");  // the first one's own name beats its own default
    EXPECT_EQ(f.fontcolor, "255 0 0");
    EXPECT_EQ(f.x, 60);  // a lasting value given later reaches this line too
    EXPECT_TRUE(f.isLink);  // not taken back by a later match
    EXPECT_TRUE(f.isHeader);
    EXPECT_EQ(f.show, "RIGHT");
    EXPECT_EQ(f.bk, 1);
    EXPECT_EQ(f.conditionType, "linenumber");
    EXPECT_EQ(f.DefaultFont, "Courier");

    f.GetFormat(3, "plain");
    EXPECT_EQ(f.fontname, "Courier");
    EXPECT_EQ(f.fontsize, "12");
    EXPECT_EQ(f.fontcolor, "");
    EXPECT_EQ(f.x, 60);
    EXPECT_FALSE(f.isLink || f.isHeader);
    EXPECT_EQ(f.show, "");

    f.GetFormat(4, "# Next");
    EXPECT_EQ(f.fontname, "Arial");
    EXPECT_EQ(f.fontsize, "14");
    EXPECT_EQ(f.x, 100);
    EXPECT_EQ(f.bk, 2);
}

TEST(GetFormatTest, LastingValuesHoldFromTheirLineOnOwnValuesOnlyOnTheirLine) {
    vorFormat f = Working();
    f.DefaultFontAlign = "left";
    vorFormat lasting = Cond("linenumber", "3");
    lasting.DefaultFontSize = 20;
    lasting.DefaultDY = 24;
    lasting.DefaultMaxLenLine = 60;
    lasting.DefaultLineLength = 250;
    lasting.DefaultX = 70;
    lasting.DefaultFontColor = "0 0 255";
    lasting.DefaultFontAlign = "Right";
    lasting.fontsize = "14";  // this line only
    vorFormat once = Cond("linenumber", "5");
    once.fontsize = "30";
    once.dy = "40";
    once.x = 90;
    once.MaxLenLine = 10;
    once.linelength = 100;
    once.SetY = 500;
    once.fontcolor = "9 9 9";
    once.FontAlign = "CENTER";
    once.DefaultDY = -8;  // only positive spacings last
    f.ListeFormats = {lasting, once};

    auto state = [&](int32_t line) {
        f.GetFormat(line, "text");
        return f.fontsize + "/" + f.dy + "/" + std::to_string(f.MaxLenLine) + "/" +
               std::to_string(f.linelength) + "/" + std::to_string(f.x) + "/" + f.fontcolor +
               "/" + f.FontAlign + "/" + std::to_string(f.SetY);
    };
    EXPECT_EQ(state(2), "12/16/100/0/40//left/0");
    EXPECT_EQ(state(3), "14/24/60/250/70/0 0 255/left/0");  // alignment waits a line
    EXPECT_EQ(state(4), "20/24/60/250/70/0 0 255/right/0");
    EXPECT_EQ(state(5), "30/40/10/100/90/9 9 9/center/500");
    EXPECT_EQ(state(6), "20/24/60/250/70/0 0 255/right/0");
}

TEST(GetFormatTest, PerLineSizeAndSpacingAreRoundedAndBadOnesIgnored) {
    struct Case {
        const char* given;
        const char* size;
        const char* spacing;
    };
    const Case cases[] = {
        {"14.5", "14", "14"}, {"15.5", "16", "16"}, {" 9 ", "9", "9"}, {"-2", "-2", "-2"},
        {"big", "12", "16"},  {"40000", "12", "16"}, {"1e2", "12", "16"},
    };
    for (const Case& c : cases) {
        vorFormat f = Working();
        vorFormat condition = Cond("linenumber", "1");
        condition.fontsize = c.given;
        condition.dy = c.given;
        f.ListeFormats.push_back(condition);
        EXPECT_EQ(f.GetFormat(1, ""), 0) << c.given;
        EXPECT_EQ(f.fontsize, c.size) << c.given;
        EXPECT_EQ(f.dy, c.spacing) << c.given;
    }

    // A bad value leaves what an earlier match of the same line gave.
    vorFormat f = Working();
    vorFormat good = Cond("linenumber", "1");
    good.fontsize = "14";
    good.dy = "18";
    vorFormat bad = Cond("linenumber", "1");
    bad.fontsize = "huge";
    bad.dy = "99999";
    f.ListeFormats = {good, bad};
    f.GetFormat(1, "");
    EXPECT_EQ(f.fontsize, "14");
    EXPECT_EQ(f.dy, "18");
}

TEST(GetFormatTest, BookmarkLevelAndImagePositionOutliveTheirLine) {
    vorFormat f = Working();
    f.AppFolder = "/opt/Scrivane";
    vorFormat image = Cond("linenumber", "1");
    image.bk = 2;
    image.ImageFile = "%AppPath%/Pics/Logo.JPG";
    image.ImageX = "10";
    image.ImageY = "20";
    vorFormat plain = Cond("linenumber", "3");
    f.ListeFormats = {image, plain};

    f.GetFormat(1, "");
    EXPECT_EQ(f.bk, 2);
    EXPECT_EQ(f.ImageFile, "/opt/Scrivane/Pics/Logo.JPG");
    EXPECT_EQ(f.ImageX, "10");
    EXPECT_EQ(f.ImageY, "20");
    f.GetFormat(2, "");
    EXPECT_EQ(f.bk, 2);
    EXPECT_EQ(f.ImageFile, "");
    EXPECT_EQ(f.ImageX, "10");
    EXPECT_EQ(f.ImageY, "20");
    f.GetFormat(3, "");
    EXPECT_EQ(f.bk, 0);  // a match copies its level even when it is 0
    EXPECT_EQ(f.ImageX, "10");
}

TEST(GetFormatTest, ImageNamesKeepTheirCaseApartFromTheFolderMarker) {
    const std::pair<const char*, const char*> cases[] = {
        {"%APPPATH%/a/%apppath%/B.png", "/opt/App/a//opt/App/B.png"},
        {"Img/%aPPpATH%/C.png", "Img//opt/App/C.png"},
        {"Pics/Photo.JPG", "Pics/Photo.JPG"},
        {"%AppPath/X.png", "%AppPath/X.png"},
    };
    for (const auto& [given, expected] : cases) {
        vorFormat f = Working();
        f.AppFolder = "/opt/App";
        vorFormat condition = Cond("linevalue", "img");
        condition.ImageFile = given;
        f.ListeFormats.push_back(condition);
        f.GetFormat(1, "img");
        EXPECT_EQ(f.ImageFile, expected);
    }
}

TEST_F(FormatFileTest, ConditionsReadFromAFileStyleTheirLines) {
    vorFormat f;
    ASSERT_EQ(Read(f, Doc(Defaults("<fontsize>11</fontsize>") +
                          Line("leftlinevalue", "&lt;h1&gt;",
                               "<show>right</show><bk>1</bk><format><fontsize>16</fontsize>"
                               "<defaultfontname>Courier</defaultfontname></format>") +
                          Line("linenumber", "07", "<format><fontname>Arial</fontname></format>"))),
              0);
    f.GetFormat(7, "<h1>Intro");
    EXPECT_EQ(f.fontsize, "16");
    EXPECT_EQ(f.show, "RIGHT");
    EXPECT_EQ(f.bk, 1);
    EXPECT_EQ(f.conditionType, "leftlinevalue");
    EXPECT_EQ(f.conditionValue, "<h1>");
    EXPECT_EQ(f.fontname, "Courier");
    f.GetFormat(8, "body");
    EXPECT_EQ(f.fontsize, "11");
    EXPECT_EQ(f.fontname, "Courier");
}

TEST(FormatFontNameTest, OnlyTheThreeStandardNamesExactly) {
    EXPECT_TRUE(vorFormat::FontNameIsOk("Helvetica"));
    EXPECT_TRUE(vorFormat::FontNameIsOk("Arial"));
    EXPECT_TRUE(vorFormat::FontNameIsOk("Courier"));
    for (const char* name : {"helvetica", "ARIAL", "Courier ", "Times", ""}) {
        EXPECT_FALSE(vorFormat::FontNameIsOk(name)) << name;
    }
}

// ---- XmlValueReader --------------------------------------------------------------------

TEST(FormatXmlValueReaderTest, PathsCountSameNamedElementsInDocumentOrder) {
    XmlValueReader r;
    ASSERT_TRUE(r.LoadBuffer("<r><g><v>a</v><v>b</v></g><x><v>no</v></x>"
                             "<g><v>c</v><w>w &amp; <![CDATA[<cd>]]></w><u>\xC3\xA9</u></g></r>"));
    EXPECT_TRUE(r.loaded());
    EXPECT_EQ(r.Value("/r/g/v"), "a");
    EXPECT_EQ(r.Value("/r/g/v", 1), "b");
    EXPECT_EQ(r.Value("/r/g/v", 2), "c");
    EXPECT_EQ(r.Value("/r/g/v", 3), "");
    EXPECT_EQ(r.Value("/r/x/v"), "no");
    EXPECT_EQ(r.Value("/r/g/w"), "w & <cd>");
    EXPECT_EQ(r.Value("/r/g/u"), "\xE9");
    EXPECT_EQ(r.Value("/r/none"), "");
    EXPECT_EQ(r.Value("/g/v"), "");  // paths start at the root element

    std::vector<pugi::xml_node> groups = r.Nodes("/r/g");
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(XmlValueReader::ChildValue(groups[1], "v"), "c");
    EXPECT_EQ(XmlValueReader::ChildValue(groups[1], "u"), "\xE9");
    EXPECT_EQ(XmlValueReader::ChildValue(groups[0], "w"), "");
    EXPECT_EQ(XmlValueReader::ChildValue(r.Nodes("/r")[0], "g/v"), "a");
    EXPECT_EQ(XmlValueReader::ChildValue(pugi::xml_node(), "v"), "");
}

TEST(FormatXmlValueReaderTest, AFailedLoadLeavesEveryValueEmpty) {
    XmlValueReader r;
    ASSERT_TRUE(r.LoadBuffer("<r><v>a</v></r>"));
    EXPECT_FALSE(r.LoadBuffer("<r><v>a</v>"));
    EXPECT_FALSE(r.loaded());
    EXPECT_EQ(r.Value("/r/v"), "");
    EXPECT_TRUE(r.Nodes("/r").empty());

    XmlValueReader missing;
    EXPECT_FALSE(missing.Load((fs::temp_directory_path() / "scrivane-no-such-dir/x.xml").string()));
    EXPECT_EQ(missing.Value("/r"), "");
}

}  // namespace
}  // namespace scrivane
