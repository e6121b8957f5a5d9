// Laying text out: wrapping, alignment, line conditions, bookmarks and furniture.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "LayoutFixture.h"
#include "document/LineConditions.h"
#include "text/TextMeasurer.h"
#include "util/Numbers.h"

namespace scrivane {
namespace {

using test::Condition;
using test::Join;
using test::LastOnFirstPage;
using test::Layout;
using test::Lines;
using test::Numbered;
using test::PlacedRun;
using test::Runs;
using test::Texts;

// The pieces the character-by-character rule gives: grow the piece while it is narrower
// than the width (measuring every prefix anew), then cut after its last space or before
// its last character.
Lines ReferencePieces(std::string line, double width, double size) {
    TextMeasurer m;
    m.SetFont("Helvetica", false, false, size);
    Lines pieces;
    while (!(m.MeasureTwips(line) <= width * 20 && line.size() < 500)) {
        std::string piece;
        size_t i = 0;
        while (i < line.size()) {
            if (!piece.empty() && m.MeasureTwips(piece) >= width * 20) break;
            piece += line[i++];
        }
        std::string rest = line.substr(i);
        if (!rest.empty()) {
            size_t space = piece.rfind(' ');
            if (space != std::string::npos) {
                rest = piece.substr(space + 1) + rest;
                piece.resize(space + 1);
            } else if (piece.size() > 1) {
                rest = piece.back() + rest;
                piece.pop_back();
            }
        }
        pieces.push_back(piece);
        line = rest;
    }
    pieces.push_back(line);
    return pieces;
}

TEST_F(Layout, WidthPlacementCutsLikeTheCharacterByCharacterRule) {
    std::mt19937 random(42);
    const char* words[] = {"a", "be", "ink", "page", "margin", "chapter", "W", "iiiiii",
                           "extraordinarily", "x"};
    for (int trial = 0; trial < 60; ++trial) {
        std::string line;
        size_t length = 20 + random() % 900;
        while (line.size() < length) {
            line += words[random() % 10];
            line += random() % 5 ? " " : "  ";
        }
        int width = 5 + static_cast<int>(random() % 400);
        vorFormat format = test::DefaultFormat();
        format.DefaultLineLength = static_cast<int16_t>(width);
        Lay({line}, format, 20);
        EXPECT_EQ(Texts(*doc), ReferencePieces(line, width, 12)) << "width " << width;
    }
}

TEST_F(Layout, APieceAlwaysTakesACharacterSoNarrowColumnsEnd) {
    vorFormat format = test::DefaultFormat();
    format.DefaultLineLength = 1;
    Lay({"abc"}, format, 20);
    EXPECT_EQ(Texts(*doc), (Lines{"a", "b", "c", ""}));
    format.DefaultLineLength = -5;
    Lay({"ab"}, format, 20);
    EXPECT_EQ(Texts(*doc), (Lines{"a", "b", ""}));
}

TEST_F(Layout, AWordWiderThanTheColumnIsCutAtTheWidth) {
    vorFormat format = test::DefaultFormat();
    format.DefaultLineLength = 100;
    Lay({"Extraordinarilylongword short"}, format);
    auto texts = Texts(*doc);
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[0].find(' '), std::string::npos);
    TextMeasurer m;
    m.SetFont("Helvetica", false, false, 12);
    EXPECT_LT(m.MeasureTwips(texts[0]), 2000);
    EXPECT_GE(m.MeasureTwips(texts[0] + texts[1][0]), 2000);
}

TEST_F(Layout, WrappingCountsBreaksAsLinesAndRecordsThem) {
    vorFormat format = test::DefaultFormat();
    format.DefaultLineLength = 60;
    vorFormat fourth = Condition("linenumber", "4");
    fourth.fontsize = "20";
    format.ListeFormats.push_back(fourth);
    Lay({"short", "aaaa bbbb cccc dddd eeee", "next"}, format);
    auto runs = Runs(*doc);
    ASSERT_EQ(runs.size(), 5u);  // the long line: three pieces
    EXPECT_EQ(runs[0].text->xdelta, 0);
    EXPECT_EQ(doc->FormatConditions(), (Lines{"3:<vor>lb</vor>", "4:<vor>lb</vor>"}));
    EXPECT_EQ(runs[4].Text(), "next");
    EXPECT_EQ(runs[4].text->fontsize, 12);  // "next" is output line 5, not 4
    EXPECT_EQ(runs[2].text->y - runs[1].text->y, 16);
}

TEST_F(Layout, EveryRunKnowsTheLineOfTheTextItCameFrom) {
    vorFormat format = test::DefaultFormat();
    format.DefaultLineLength = 60;
    // An empty first line still counts; a command line places an empty run of its own.
    Lay({"", "short", "aaaa bbbb cccc dddd eeee", "<set>fontsize=14", "next"}, format);
    std::vector<std::pair<std::string, int>> placed;
    for (const PlacedRun& r : Runs(*doc)) placed.emplace_back(r.Text(), r.text->sourceLine);
    ASSERT_EQ(placed.size(), 6u);
    EXPECT_EQ(placed[0], (std::pair<std::string, int>{"short", 2}));
    for (size_t piece = 1; piece <= 3; ++piece) EXPECT_EQ(placed[piece].second, 3) << piece;
    EXPECT_EQ(placed[4], (std::pair<std::string, int>{"", 4}));
    EXPECT_EQ(placed[5], (std::pair<std::string, int>{"next", 5}));
}

TEST_F(Layout, JustifiedAndRightAlignedPieces) {
    vorFormat format = test::DefaultFormat();
    format.DefaultLineLength = 100;
    format.DefaultFontAlign = "justify";
    TextMeasurer m;
    m.SetFont("Helvetica", false, false, 12);
    Lay({"one two three four five six"}, format);
    auto runs = Runs(*doc);
    ASSERT_GE(runs.size(), 2u);
    EXPECT_EQ(runs[0].text->textalign, 3);
    std::string first(runs[0].Text());
    ASSERT_EQ(first.back(), ' ');
    first.pop_back();
    EXPECT_DOUBLE_EQ(runs[0].text->xdelta, 2000 - m.MeasureTwips(first));
    EXPECT_EQ(runs.back().text->xdelta, 0);

    format.DefaultFontAlign = "RIGHT";
    Lay({"ab   ", "one two three four five six"}, format);
    runs = Runs(*doc);
    // Aligned on the last visible character: trailing spaces do not count.
    EXPECT_EQ(runs[0].text->x, 40 + RoundHalfEven(100 - m.MeasureTwips("ab") / 20));
    EXPECT_EQ(runs[0].text->textalign, 0);
}

TEST_F(Layout, CharacterLimitCutsAtTheLastSpace) {
    vorFormat format = test::DefaultFormat();
    format.DefaultMaxLenLine = 10;
    Lay({"aaaa bbbb cccc", "abcdefghijklmno"}, format);
    EXPECT_EQ(Texts(*doc), (Lines{"aaaa bbbb ", "cccc", "abcdefghij", "klmno"}));
    EXPECT_EQ(doc->FormatConditions(), (Lines{"2:<vor>lb</vor>", "4:<vor>lb</vor>"}));
    Lay({"<set>maxcar=0", std::string(300, 'z')}, format);
    EXPECT_EQ(Texts(*doc).back().size(), 300u);  // 0: no limit
}

TEST_F(Layout, VeryLongLinesAreLaidOutInLinearTime) {
    // A quadratic cut would measure 10^10 characters here; this must finish at once.
    std::string line;
    while (line.size() < 200000) line += "lorem ipsum dolor sit amet ";
    vorFormat format = test::DefaultFormat();
    format.DefaultLineLength = 400;
    Lay({line}, format, 20);
    size_t total = 0;
    for (const auto& text : Texts(*doc)) total += text.size();
    EXPECT_EQ(total, line.size());
}

TEST_F(Layout, MarkersAreStrippedAndBookmarked) {
    vorFormat format = test::DefaultFormat();
    vorFormat h1 = Condition("leftlinevalue", "<h1>");
    h1.show = "RIGHT";
    h1.bk = 1;
    format.ListeFormats.push_back(h1);
    Lay({"<h1>Intro", "body", "<h1>", "<h1 >x"}, format);
    EXPECT_EQ(Texts(*doc), (Lines{"Intro", "body", "", "<h1 >x"}));
    EXPECT_EQ(doc->FormatConditions(), (Lines{"1:<h1>", "3:<h1>"}));
    ASSERT_TRUE(doc->Outlines());
    const auto& top = doc->Outlines()->outlines;
    ASSERT_EQ(top.size(), 2u);
    EXPECT_EQ(top[0].title, "Intro");
    EXPECT_EQ(top[0].dest, "1");
    EXPECT_EQ(top[0].top, 12 + 843 - 66);
    EXPECT_EQ(top[1].title, "");
}

TEST_F(Layout, HiddenLinesAndHeaderLinesLeaveTheirTextInTheRecord) {
    vorFormat format = test::DefaultFormat();
    vorFormat hidden = Condition("leftlinevalue", "%%");
    hidden.show = "NO";
    vorFormat header = Condition("leftlinevalue", "@h ");
    header.show = "RIGHT";
    header.isHeader = true;
    format.ListeFormats = {hidden, header};
    Lay({"%% secret", "seen", "@h Page &p"}, format);
    EXPECT_EQ(Texts(*doc), (Lines{"", "seen", ""}));
    EXPECT_EQ(Runs(*doc)[1].text->y, 82);  // a hidden line still takes its space
    EXPECT_EQ(doc->FormatConditions(), (Lines{"1:%% secret", "3:@h Page &p"}));
    ASSERT_EQ(doc->HeaderTexts().size(), 1u);
    EXPECT_EQ(doc->HeaderTexts()[0].TextValue, "Page &p");
    EXPECT_EQ(doc->HeaderTexts()[0].y, 98);
}

TEST_F(Layout, LaterConditionsOverrideFieldByFieldAndLeadingZerosNeverMatch) {
    vorFormat format = test::DefaultFormat();
    vorFormat first = Condition("linevalue", "x");
    first.fontsize = "14";
    first.fontname = "Arial";
    vorFormat second = Condition("leftlinevalue", "x");
    second.fontsize = "18";
    vorFormat zero = Condition("linenumber", "02");
    zero.fontsize = "30";
    vorFormat lasting = Condition("linenumber", "3");
    lasting.DefaultFontSize = 20;
    format.ListeFormats = {first, second, zero, lasting};
    Lay({"x", "y", "z", "w"}, format);
    auto runs = Runs(*doc);
    EXPECT_EQ(runs[0].text->fontsize, 18);
    EXPECT_EQ(runs[0].font(), "Arial");
    EXPECT_EQ(runs[1].text->fontsize, 12);
    EXPECT_EQ(runs[2].text->fontsize, 20);
    EXPECT_EQ(runs[3].text->fontsize, 20);  // a lasting default holds for later lines
}

TEST(Outline, BookmarksNestByLevel) {
    vorOutlines root;
    for (int level : {2, 1, 2, 2, 3, 1}) {
        vorOutline entry;
        entry.level = static_cast<int16_t>(level);
        entry.title = std::to_string(level);
        EXPECT_TRUE(InsertOutline(root, entry));
    }
    ASSERT_EQ(root.outlines.size(), 3u);  // a level 2 before any level 1 stays on top
    ASSERT_EQ(root.outlines[1].outlines.size(), 2u);
    EXPECT_EQ(root.outlines[1].outlines[1].outlines.size(), 1u);
    EXPECT_EQ(root.TotalCount(), 6);

    vorOutlines deep;  // levels 1..12: the 12th would need 11 descents
    for (int level = 1; level <= 12; ++level) {
        vorOutline entry;
        entry.level = static_cast<int16_t>(level);
        EXPECT_EQ(InsertOutline(deep, entry), level <= 11) << level;
    }
}

TEST_F(Layout, NotesLinksAndImageTags) {
    test::TempDir dir;
    std::string jpeg = dir.File("Pic.jpg");
    test::WriteFile(jpeg, test::MinimalJpeg(100, 50));
    test::WriteFile(dir.File("pic.png"), test::MinimalJpeg(100, 50));
    options.appFolder = dir.path().string();
    vorFormat format = test::DefaultFormat();
    vorFormat note = Condition("leftlinevalue", "N:");
    note.isAnnotation = true;
    vorFormat link = Condition("leftlinevalue", "http");
    link.isLink = true;
    format.ListeFormats = {note, link};
    Lay({"N:remember (this)", "http://a.b", "<img src='%APPPATH%/Pic.jpg' x='700' y='20' width='30'>",
         "<img src='" + dir.File("pic.png") + "'>", "after"},
        format);
    const vorPage& page = doc->Pages[1];
    ASSERT_EQ(page.Annots.size(), 2u);
    EXPECT_EQ(page.Annots[0].Subtype, "Text");
    EXPECT_EQ(page.Annots[0].Content, "N:remember (this)");
    EXPECT_EQ(page.Annots[0].width, 500);
    EXPECT_EQ(page.Annots[0].height, 14);
    EXPECT_EQ(page.Annots[1].Subtype, "Link");
    auto runs = Runs(*doc);
    EXPECT_EQ(runs[0].text->fontsize, 0);  // the note's own text is placed at size 0
    EXPECT_EQ(runs[1].text->fontsize, 12);
    ASSERT_EQ(page.Contents[0].Images.size(), 1u);
    const vorImage& image = page.Contents[0].Images[0];
    EXPECT_EQ(image.x, 40);   // x='700' is out of range: the current x
    EXPECT_EQ(image.y, 20);
    EXPECT_EQ(image.ImageWidth, 30);
    EXPECT_EQ(runs[2].Text(), "");  // tags are never printed
    EXPECT_EQ(runs[3].Text(), "");
    EXPECT_EQ(runs[4].text->y, runs[3].text->y + 16);
    EXPECT_EQ(runs[2].text->y, 66 + 16 * 2 + 16);  // a placed image moves y by one advance
    EXPECT_EQ(doc->FormatConditions().size(), 2u);

    options.imageTags = false;  // switched off: the tag is ordinary text
    Lay({"<img src='" + jpeg + "'>"}, format);
    EXPECT_EQ(Texts(*doc), Lines{"<img src='" + jpeg + "'>"});
    options.imageTags = true;
    Lay({"<img src='" + jpeg + "'>"}, format, 40);  // and so it is outside PDF
    EXPECT_EQ(Texts(*doc), Lines{"<img src='" + jpeg + "'>"});
}

TEST_F(Layout, ConditionImagesTakeRelativeOrAbsolutePositions) {
    test::TempDir dir;
    std::string jpeg = dir.File("c.jpg");
    test::WriteFile(jpeg, test::MinimalJpeg(10, 10));
    vorFormat format = test::DefaultFormat();
    vorFormat a = Condition("linevalue", "a");
    a.ImageFile = jpeg;
    a.ImageX = "+5";
    a.ImageY = "-6";
    vorFormat b = Condition("linevalue", "b");
    b.ImageFile = jpeg;
    b.ImageX = "300";
    b.ImageY = "what";
    format.ListeFormats = {a, b};
    Lay({"a", "b"}, format);
    const auto& images = doc->Pages[1].Contents[0].Images;
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].x, 45);
    EXPECT_EQ(images[0].y, 60);
    EXPECT_EQ(images[1].x, 300);
    EXPECT_EQ(images[1].y, 82);
    std::string pdf;
    ASSERT_EQ(doc->BuildPdf(pdf), 0);
    EXPECT_EQ(images[0].ImageNumber, images[1].ImageNumber);  // one object for one file
}

}  // namespace
}  // namespace scrivane
