// Splitting the text into lines and laying the lines out on pages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "document/FlowContext.h"
#include "document/JpegProbe.h"
#include "document/LineSplitter.h"
#include "document/MarkupCommand.h"
#include "document/vorDocument.h"

namespace scrivane {
namespace {

std::vector<std::string> Split(std::string_view buffer) {
    LineSplitter splitter(buffer);
    std::vector<std::string> lines;
    std::string_view line;
    while (splitter.Next(line)) lines.emplace_back(line);
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineSplitting, CrLfDelimitsLinesAndLoneCrOrLfStay) {
    EXPECT_EQ(Split(""), Lines{""});
    EXPECT_EQ(Split("a\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(Split("a\r\n\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(Split("a\nb\rc"), Lines{"a\nb\rc"});
    EXPECT_EQ(Split("\r\n"), Lines{""});
    EXPECT_EQ(Split("x\r\n\r\n"), (Lines{"x", "", ""}));
}

TEST(LineSplitting, ALeadingCrLfLosesTheFirstEmptyLine) {
    EXPECT_EQ(Split("\r\nb"), Lines{"b"});
    EXPECT_EQ(Split("\r\n\r\nb"), (Lines{"", "b"}));
}


// A run of block 1 and its text; -> reaches the run.
struct Placed {
    const vorText* run;
    std::string_view text;
    const vorText* operator->() const { return run; }
};

std::vector<Placed> Runs(const vorDocument& doc) {
    std::vector<Placed> runs;
    for (const auto& page : doc.Pages.Kids) {
        if (page->Contents.empty()) continue;
        const vorContent& block = page->Contents[0];
        for (const vorText& run : block.Texts) runs.push_back({&run, block.Text(run)});
    }
    return runs;
}

TEST(DocumentFlow, EmptyTextGivesOnePageWithOneEmptyRun) {
    vorDocument doc;
    doc.AddBuffer("", test::DefaultFormat(), "", 10);
    EXPECT_EQ(doc.GetDocumentProperty(1), 1);
    EXPECT_FALSE(doc.GetDocumentProperty(2).has_value());
    auto runs = Runs(doc);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, "");
    EXPECT_EQ(runs[0]->y, 66);  // y 50 plus one line advance of 16
}

TEST(DocumentFlow, LinesAdvanceByDyAndBreakPagesAtTheBottomMargin) {
    // 843 high, bottom margin 50: baselines 66, 82, ... 786 fit (46 lines a page).
    std::string text;
    for (int i = 1; i <= 93; ++i) text += "line " + std::to_string(i) + "\r\n";
    text.resize(text.size() - 2);
    vorDocument doc;
    doc.AddBuffer(text, test::DefaultFormat(), "", 10);
    ASSERT_EQ(doc.Pages.PagesCount(), 3);
    const auto& first = doc.Pages[1].Contents[0].Texts;
    ASSERT_EQ(first.size(), 46u);
    EXPECT_EQ(first.back().y, 786);
    EXPECT_EQ(first.back().x, 40);
    const auto& second = doc.Pages[2].Contents[0].Texts;
    EXPECT_EQ(doc.Pages[2].Contents[0].Text(second.front()), "line 47");
    EXPECT_EQ(second.front().y, 66);
    const vorContent& third = doc.Pages[3].Contents[0];
    EXPECT_EQ(third.Text(third.Texts.front()), "line 93");
}

TEST(DocumentFlow, OtherFormatsNeverBreakPages) {
    std::string text(200 * 3, 'x');
    for (size_t i = 1; i < 200; ++i) text.replace(i * 3 - 2, 2, "\r\n");
    vorDocument doc;
    doc.AddBuffer(text, test::DefaultFormat(), "", 20);
    EXPECT_EQ(doc.Pages.PagesCount(), 1);
    EXPECT_GT(doc.LargestY(), 843);
}

TEST(DocumentFlow, CommandLinesTakeNoSpaceAndAreRecorded) {
    vorDocument doc;
    doc.AddBuffer("a\r\n<set>fontsize=14\r\n<set>x=\r\nb", test::DefaultFormat(), "", 10);
    auto runs = Runs(doc);
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0]->y, 66);
    EXPECT_EQ(runs[1].text, "");  // the command line leaves an empty run...
    EXPECT_EQ(runs[1]->y, 66);          // ...at the previous line's height
    EXPECT_EQ(runs[2].text, "<set>x=");  // 7 characters: ordinary text
    EXPECT_EQ(runs[2]->y, 82);
    EXPECT_EQ(runs[3]->y, 98);
    EXPECT_EQ(doc.FormatConditions(), Lines{"2:<set>fontsize=14"});
}

TEST(DocumentFlow, TheFormatFileIsNamedFirstInTheRecord) {
    vorDocument doc;
    doc.AddBuffer("<set>title=x", test::DefaultFormat(), "/data/user/default.pdf.format.vantor.dorvex", 10);
    EXPECT_EQ(doc.FormatConditions(), (Lines{"0:(cff='default')", "1:<set>title=x"}));
    vorDocument shortName;
    shortName.AddBuffer("", test::DefaultFormat(), "/x/mine.xml", 10);
    EXPECT_EQ(shortName.FormatConditions(), Lines{"0:(cff='mine.xml')"});
}

TEST(DocumentFlow, FormatFileSetsDocumentInfoFontAndPageSize) {
    vorFormat format = test::DefaultFormat();
    format.title = "T";
    format.author = "A";
    format.DefaultFont = "Courier";
    format.DefaultFontSize = 11;
    format.DefaultPageHeight = "600";
    format.DefaultPageWidth = "400";
    vorDocument doc;
    doc.AddBuffer("one", format, "", 10);
    ASSERT_TRUE(doc.eInfos.has_value());
    EXPECT_EQ(doc.eInfos->title, "T");
    EXPECT_EQ(doc.eInfos->author, "A");
    EXPECT_EQ(doc.fontname, "Courier");
    EXPECT_EQ(doc.fontsize, "11");
    EXPECT_EQ(doc.DefaultFontName(), "Courier");
    EXPECT_EQ(doc.Pages[1].PageHeight, 600);
    EXPECT_EQ(doc.Pages[1].PageWidth, 400);
    EXPECT_EQ(Runs(doc)[0]->fontsize, 11);
}

TEST(DocumentFlow, AMissingFormatFileLeavesTheBuiltInDefaults) {
    vorDocument doc;
    doc.AddBuffer("x", "/no/such/file.format", "", 10);
    EXPECT_EQ(doc.eInfos->title, "");
    EXPECT_EQ(doc.FormatConditions(), Lines{"0:(cff='file.format')"});
    EXPECT_EQ(doc.Pages.PagesCount(), 1);
}

TEST(DocumentFlow, FontsAreListedOnceInOrderOfFirstUse) {
    vorDocument doc;
    doc.AddText("a", 1, 10, 0, 0, "Arial", "", 0, "");
    doc.AddText("b", 1, 10, 0, 0, "Courier", "", 0, "");
    doc.AddText("c", 1, 10, 0, 0, "Arial", "", 0, "");
    doc.AddText("d", 1, 10, 0, 0, "", "", 0, "");  // empty: the default font
    ASSERT_EQ(doc.Fonts.size(), 3u);
    EXPECT_EQ(doc.Fonts[0].BaseFont, "Helvetica");
    EXPECT_EQ(doc.Fonts[1].BaseFont, "Arial");
    EXPECT_EQ(doc.Fonts[1].FontID, "2");
    EXPECT_EQ(doc.Fonts[2].BaseFont, "Courier");
    EXPECT_EQ(doc.Fonts[2].FontID, "3");
    const vorContent& block = doc.Pages[1].Contents[0];
    EXPECT_EQ(block.FontName(block.Texts[3]), "Helvetica");
}

TEST(DocumentFlow, TextOnALaterPageMakesTheEarlierPagesExist) {
    vorDocument doc;
    doc.AddText("late", 3, 10, 0, 500, "", "", 0, "");
    EXPECT_EQ(doc.Pages.PagesCount(), 3);
    EXPECT_TRUE(doc.Pages[2].Contents.empty());
    EXPECT_EQ(doc.LargestY(), 500);
}

TEST(DocumentFlow, SavedSetsAndPositionsKeepTheirFirstValue) {
    SavedByName saved;
    saved.SaveY("top", "100");
    saved.SaveY("top", "200");
    std::string y;
    EXPECT_TRUE(saved.LoadY("top", y));
    EXPECT_EQ(y, "100");
    EXPECT_FALSE(saved.LoadY("", y));
    EXPECT_FALSE(saved.LoadY("other", y));

    vorFormatSet first, second, loaded;
    first.fontsize = "10";
    second.fontsize = "20";
    saved.SaveFormatSet("body", first);
    saved.SaveFormatSet("body", second);
    EXPECT_TRUE(saved.LoadFormatSet("body", loaded));
    EXPECT_EQ(loaded.fontsize, "10");
    EXPECT_FALSE(saved.LoadFormatSet("", loaded));
}

TEST(DocumentFlow, DefaultFontNameWritesTheFirstFont) {
    vorDocument doc;
    doc.Fonts.clear();
    doc.SetDefaultFontName("Courier");
    ASSERT_EQ(doc.Fonts.size(), 1u);
    EXPECT_EQ(doc.DefaultFontName(), "Courier");
}

TEST(MarkupCommandSyntax, SplitsAtEqualsThenPlusThenMinus) {
    auto title = ParseMarkupCommand("<set>title=a-b");
    ASSERT_TRUE(title);
    EXPECT_EQ(title->key, "title");
    EXPECT_EQ(title->op, '=');
    EXPECT_EQ(title->value, "a-b");
    auto minus = ParseMarkupCommand("<set>FontSize-2");
    ASSERT_TRUE(minus);
    EXPECT_EQ(minus->key, "fontsize");
    EXPECT_EQ(minus->op, '-');
    EXPECT_EQ(ParseMarkupCommand("<set>x+10")->op, '+');
    EXPECT_EQ(ParseMarkupCommand("<set> x=10")->key, " x");  // spaces are kept
    EXPECT_FALSE(ParseMarkupCommand("<set>x="));       // 7 characters
    EXPECT_FALSE(ParseMarkupCommand("<set>=abc"));     // no key
    EXPECT_FALSE(ParseMarkupCommand("<set>nothing"));  // no operator
    EXPECT_FALSE(ParseMarkupCommand("<SET>x=10"));
}

class JpegImages : public ::testing::Test {
protected:
    test::TempDir dir;
};

TEST_F(JpegImages, ProbeReadsTheFrameSizeOfBaselineAndProgressiveFiles) {
    for (unsigned char marker : {0xC0, 0xC2, 0xC1, 0xCF}) {
        std::string path = dir.File("img.jpg");
        test::WriteFile(path, test::MinimalJpeg(640, 480, marker));
        JpegSize size;
        ASSERT_EQ(ProbeJpeg(path, size), kJpegOk) << int(marker);
        EXPECT_EQ(size.width, 640);
        EXPECT_EQ(size.height, 480);
    }
    // 0xC4 (Huffman tables) and 0xC8 are no frame headers: the walk skips them.
    std::string path = dir.File("tables.jpg");
    std::string jpeg = test::MinimalJpeg(30, 20);
    jpeg.insert(2, std::string("\xFF\xC4\x00\x04\x01\x02", 6));
    test::WriteFile(path, jpeg);
    JpegSize size;
    ASSERT_EQ(ProbeJpeg(path, size), kJpegOk);
    EXPECT_EQ(size.width, 30);
}

TEST_F(JpegImages, ManySegmentsBeforeTheFrameAreWalked) {
    std::string jpeg = test::MinimalJpeg(12, 34);
    std::string app("\xFF\xE1\x00\x06" "abcd", 8);
    for (int i = 0; i < 15; ++i) jpeg.insert(2, app);
    std::string path = dir.File("exif.jpg");
    test::WriteFile(path, jpeg);
    JpegSize size;
    ASSERT_EQ(ProbeJpeg(path, size), kJpegOk);
    EXPECT_EQ(size.height, 34);
}

TEST_F(JpegImages, AddImagePlacesProbedJpegsAndRefusesOtherFiles) {
    std::string jpeg = dir.File("photo.jpg");
    test::WriteFile(jpeg, test::MinimalJpeg(200, 100));
    std::string png = dir.File("fake.jpg");
    test::WriteFile(png, "\x89PNG\r\n\x1a\n0000000000000000");
    std::string truncated = dir.File("cut.jpg");
    test::WriteFile(truncated, test::MinimalJpeg(200, 100).substr(0, 12));

    vorDocument doc;
    EXPECT_EQ(doc.AddImage(jpeg, 1, 40, 60, 0, 0), 0);
    EXPECT_EQ(doc.AddImage(jpeg, 1, 40, 60, 50, 0), 0);
    EXPECT_EQ(doc.AddImage(png, 1, 0, 0, 0, 0), -20);
    EXPECT_EQ(doc.AddImage(truncated, 1, 0, 0, 0, 0), -20);
    EXPECT_EQ(doc.AddImage(dir.File("missing.jpg"), 1, 0, 0, 0, 0), 0);
    EXPECT_EQ(doc.AddImage("", 1, 0, 0, 0, 0), 0);

    const auto& images = doc.Pages[1].Contents[0].Images;
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].ImageWidth, 200);
    EXPECT_EQ(images[0].ImageHeight, 100);
    EXPECT_EQ(images[1].ImageWidth, 50);  // a given width replaces the drawn width
    EXPECT_EQ(images[1].ImageHeight, 100);
    EXPECT_EQ(images[1].OriginalImageWidth, 200);
}

}  // namespace
}  // namespace scrivane
