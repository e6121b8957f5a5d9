// Laying text out: command lines, line conditions, wrapping, columns, furniture.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "document/LineConditions.h"
#include "text/TextMeasurer.h"
#include "document/vorDocument.h"
#include "util/Numbers.h"

namespace scrivane {
namespace {

using Lines = std::vector<std::string>;

struct PlacedRun {
    int page;
    const vorText* text;
};


vorFormat Condition(const std::string& type, const std::string& value) {
    vorFormat c;
    c.conditionType = type;
    c.conditionValue = value;
    return c;
}

std::string Join(const Lines& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
    return text;
}

// Ordinary runs (block 1) of every page, in order.
std::vector<PlacedRun> Runs(const vorDocument& doc) {
    std::vector<PlacedRun> runs;
    for (int p = 1; p <= doc.Pages.PagesCount(); ++p) {
        const vorPage& page = doc.Pages[p];
        if (page.Contents.empty()) continue;
        for (const vorText& t : page.Contents[0].Texts) runs.push_back({p, &t});
    }
    return runs;
}

Lines Texts(const vorDocument& doc) {
    Lines texts;
    for (const PlacedRun& r : Runs(doc)) texts.push_back(r.text->TextValue);
    return texts;
}

class Layout : public ::testing::Test {
protected:
    vorDocument& Lay(const Lines& lines, vorFormat format = test::DefaultFormat(), int target = 10) {
        doc = std::make_unique<vorDocument>(options);
        doc->AddBuffer(Join(lines), std::move(format), "", target);
        return *doc;
    }
    EngineOptions options;
    std::unique_ptr<vorDocument> doc;
};

TEST_F(Layout, OperatorsSetAndMoveTheLastingDefaults) {
    Lay({"<set>x=50", "a", "<set>x+10", "b", "<set>x-5", "c", "<set>fontsize-2", "d",
         "<set>fontname-Arial", "e", "<set>dy=20", "f", "<set>x=abc", "g"});
    auto runs = Runs(*doc);
    EXPECT_EQ(runs[1].text->x, 50);
    EXPECT_EQ(runs[3].text->x, 60);
    EXPECT_EQ(runs[5].text->x, 55);
    EXPECT_EQ(runs[7].text->fontsize, 10);
    EXPECT_EQ(runs[9].text->fontname, "Arial");  // the operator means nothing for faces
    EXPECT_EQ(runs[11].text->y - runs[9].text->y, 20);
    EXPECT_EQ(runs[13].text->x, 55);  // not a number: no change
    EXPECT_EQ(runs.size(), 14u);      // one run for every line, commands included
}

TEST_F(Layout, CommandLinesAreRecordedWhetherOrNotTheirKeyIsKnown) {
    Lay({"<set>SIZE=3", "text", "<set>nothing"});
    EXPECT_EQ(doc->FormatConditions(), Lines{"1:<set>SIZE=3"});
    EXPECT_EQ(Texts(*doc), (Lines{"", "text", "<set>nothing"}));
}

TEST_F(Layout, YMovesTheNextBaselineAndSavedPositionsComeBack) {
    vorFormat format = test::DefaultFormat();
    format.DefaultDY = 14;
    Lay({"<set>y=100", "a", "<set>savey=mark", "b", "c", "<set>loady=mark", "d",
         "<set>loady=nowhere", "e", "<set>y+10", "f"},
        format);
    auto runs = Runs(*doc);
    EXPECT_EQ(runs[1].text->y, 114);
    EXPECT_EQ(runs[6].text->y, 128);  // back to a's line, then one advance
    EXPECT_EQ(runs[8].text->y, 142);
    EXPECT_EQ(runs[10].text->y, 166);
}

TEST_F(Layout, SavedStylesComeBack) {
    Lay({"<set>saveformat=a", "<set>fontsize=20", "<set>fontname=Courier", "<set>dy=30",
         "big", "<set>loadformat=a", "small", "<set>loadformat=never", "still small"});
    auto runs = Runs(*doc);
    EXPECT_EQ(runs[4].text->fontsize, 20);
    EXPECT_EQ(runs[6].text->fontsize, 12);
    EXPECT_EQ(runs[6].text->fontname, "Helvetica");
    EXPECT_EQ(runs[6].text->y - runs[4].text->y, 16);
    EXPECT_EQ(runs[8].text->fontsize, 12);
}

TEST_F(Layout, DocumentCommandsSetInfoMetadataOptimizeAndPageSize) {
    options.optimize = true;
    Lay({"<set>title=a-b", "<set>author=Me", "<set>subject=S", "<set>keywords=k",
         "<set>xmp=yes", "<set>optimize=maybe", "<set>pagewidth=400", "<set>pageheight=x",
         "text"});
    EXPECT_EQ(doc->eInfos->title, "a-b");
    EXPECT_EQ(doc->eInfos->author, "Me");
    EXPECT_EQ(doc->eInfos->subject, "S");
    EXPECT_EQ(doc->eInfos->keywords, "k");
    EXPECT_FALSE(doc->UseXMP);
    EXPECT_TRUE(doc->Optimize);
    EXPECT_EQ(doc->Pages[1].PageWidth, 400);
    EXPECT_EQ(doc->Pages[1].PageHeight, 843);

    Lay({"<set>xmp=1", "<set>optimize=NO", "<set>pageheight=600", "x"});
    EXPECT_TRUE(doc->UseXMP);
    EXPECT_FALSE(doc->Optimize);
    EXPECT_EQ(doc->Pages[1].PageHeight, 600);
}

Lines Numbered(int count) {
    Lines lines;
    for (int i = 1; i <= count; ++i) lines.push_back("line " + std::to_string(i));
    return lines;
}

// The last line on page 1 of a text of short lines.
std::string LastOnFirstPage(const vorDocument& doc) {
    std::string last;
    for (const PlacedRun& r : Runs(doc)) {
        if (r.page == 1) last = r.text->TextValue;
    }
    return last;
}

TEST_F(Layout, BottomMarginAndTopOfPageCommands) {
    Lines lines = Numbered(60);
    lines.insert(lines.begin(), "<set>bottom=20000");  // out of range: still 50
    Lay(lines);
    EXPECT_EQ(LastOnFirstPage(*doc), "line 46");  // a command line takes no space

    lines[0] = "<set>bottom=100";  // baselines 66 ... 738 stay above 743
    Lay(lines);
    EXPECT_EQ(LastOnFirstPage(*doc), "line 43");

    lines[0] = "<set>top=200";
    Lay(lines);
    auto runs = Runs(*doc);
    EXPECT_EQ(runs[1].text->y, 66);  // top takes effect from the next page on
    for (const PlacedRun& r : runs) {
        if (r.page == 2) {
            EXPECT_EQ(r.text->y, 216);
            break;
        }
    }
    lines[0] = "<set>top=high";  // not a number: the top stays at 50
    Lay(lines);
    for (const PlacedRun& r : Runs(*doc)) {
        if (r.page == 2) {
            EXPECT_EQ(r.text->y, 66);
            break;
        }
    }
}

TEST_F(Layout, ACommandAtTheBottomStillStartsANewPage) {
    Lines lines = Numbered(46);
    lines.push_back("<set>fontsize=12");
    lines.push_back("next");
    Lay(lines);
    auto runs = Runs(*doc);
    EXPECT_EQ(runs.back().page, 2);
    EXPECT_EQ(runs.back().text->y, 66);  // the top of the new page
}

TEST_F(Layout, RuleParametersAreFoundByTheirNames) {
    Lay({"a", "<set>line=lx:300;x:20;", "<set>line=x:20;y:100;lx:300;w:2;", "<set>line=ly:5",
         "<set>line=ly:5;"});
    const auto& rules = doc->Pages[1].Contents[0].Lines;
    ASSERT_EQ(rules.size(), 4u);
    EXPECT_EQ(rules[0].x, 300);  // "x:" is first found inside "lx:"
    EXPECT_EQ(rules[0].lx, 300);
    EXPECT_EQ(rules[0].y, 66);
    EXPECT_EQ(rules[1].x, 20);
    EXPECT_EQ(rules[1].y, 100);
    EXPECT_EQ(rules[1].lWidth, 2);
    EXPECT_EQ(rules[2].x, 40);  // defaults: current x, current y, width 1, length 400
    EXPECT_EQ(rules[2].y, 66);  // a parameter without its ";" keeps the default
    EXPECT_EQ(rules[2].lx, 400);
    EXPECT_EQ(rules[2].lWidth, 1);
    EXPECT_EQ(rules[3].y, 5);  // "y:" is found inside "ly:"
    EXPECT_EQ(rules[3].ly, 5);
}

TEST_F(Layout, LinkCommandMeasuresTheAddressAtThePreviousLine) {
    Lay({"a", "<set>link=http://x.org"});
    const auto& annots = doc->Pages[1].Annots;
    ASSERT_EQ(annots.size(), 1u);
    EXPECT_EQ(annots[0].Subtype, "Link");
    EXPECT_EQ(annots[0].Content, "http://x.org");
    EXPECT_EQ(annots[0].left, 34);            // 40 - 12 / 2
    EXPECT_EQ(annots[0].top, 843 - 68);       // y 66 + 2, kept as PDF y
    EXPECT_EQ(annots[0].width, 96);           // 12 characters * 12 / 3 * 2
    EXPECT_EQ(annots[0].height, 12);
    Lay({"<set>link="});
    EXPECT_TRUE(doc->Pages[1].Annots.empty());
}

TEST_F(Layout, HeadersRepeatOnEveryPage) {
    Lines lines = Numbered(50);
    lines.insert(lines.begin(), {"<set>header=&p/&pages", "<set>fontcolor=1 2 3"});
    Lay(lines);
    ASSERT_EQ(doc->HeaderTexts().size(), 1u);
    EXPECT_EQ(doc->HeaderTexts()[0].y, 50);
    std::string pdf;
    ASSERT_EQ(doc->BuildPdf(pdf), 0);
    ASSERT_EQ(doc->Pages[2].ContentsCount(), 2);
    EXPECT_EQ(doc->Pages[2].Contents[1].Texts[0].TextValue, "2/2");
    EXPECT_EQ(doc->Pages[2].Contents[1].Texts[0].fontcolor, "");
}

TEST_F(Layout, ColumnsFlowIntoTheNextColumnThenTheNextPage) {
    vorFormat format = test::DefaultFormat();
    format.DefaultLineLength = 200;
    Lines lines{"<set>xcolumns=30", "<set>columns=2"};
    for (const auto& line : Numbered(100)) lines.push_back(line);
    Lay(lines, format);
    auto runs = Runs(*doc);
    // Column top: the line after the command, 66. 46 lines a column.
    const vorText* first = runs[2].text;
    EXPECT_EQ(first->TextValue, "line 1");
    EXPECT_EQ(first->y, 66);
    const vorText* second = runs[2 + 46].text;
    EXPECT_EQ(second->TextValue, "line 47");
    EXPECT_EQ(runs[2 + 46].page, 1);
    EXPECT_EQ(second->x, 40 + 200 + 30);
    EXPECT_EQ(second->y, 66);
    const PlacedRun& third = runs[2 + 92];
    EXPECT_EQ(third.text->TextValue, "line 93");
    EXPECT_EQ(third.page, 2);
    EXPECT_EQ(third.text->x, 40);
}

TEST_F(Layout, WrappedTextOverflowsIntoTheSecondColumn) {
    vorFormat format = test::DefaultFormat();
    format.DefaultLineLength = 100;
    std::string paragraph;
    for (int i = 0; i < 300; ++i) paragraph += "word ";
    Lay({"intro", "<set>columns=2", paragraph}, format);
    auto runs = Runs(*doc);
    double secondColumnX = 40 + 100 + 20;
    bool sawSecond = false;
    for (const PlacedRun& r : runs) {
        if (r.page == 1 && r.text->x == secondColumnX) {
            if (!sawSecond) {
                EXPECT_EQ(r.text->y, 82);  // at the column top: the line after intro
            }
            sawSecond = true;
        }
    }
    EXPECT_TRUE(sawSecond);
    EXPECT_GT(doc->Pages.PagesCount(), 1);
}

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
    EXPECT_EQ(runs[4].text->TextValue, "next");
    EXPECT_EQ(runs[4].text->fontsize, 12);  // "next" is output line 5, not 4
    EXPECT_EQ(runs[2].text->y - runs[1].text->y, 16);
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
    std::string first = runs[0].text->TextValue;
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
    EXPECT_EQ(runs[0].text->fontname, "Arial");
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
    EXPECT_EQ(runs[2].text->TextValue, "");  // tags are never printed
    EXPECT_EQ(runs[3].text->TextValue, "");
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
