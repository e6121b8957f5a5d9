// Laying text out: command lines, page breaks, rules, links, headers and columns.
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

TEST_F(Layout, OperatorsSetAndMoveTheLastingDefaults) {
    Lay({"<set>x=50", "a", "<set>x+10", "b", "<set>x-5", "c", "<set>fontsize-2", "d",
         "<set>fontname-Arial", "e", "<set>dy=20", "f", "<set>x=abc", "g"});
    auto runs = Runs(*doc);
    EXPECT_EQ(runs[1].text->x, 50);
    EXPECT_EQ(runs[3].text->x, 60);
    EXPECT_EQ(runs[5].text->x, 55);
    EXPECT_EQ(runs[7].text->fontsize, 10);
    EXPECT_EQ(runs[9].font(), "Arial");  // the operator means nothing for faces
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
    EXPECT_EQ(runs[6].font(), "Helvetica");
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
    const vorContent& furniture = doc->Pages[2].Contents[1];
    EXPECT_EQ(furniture.Text(furniture.Texts[0]), "2/2");
    EXPECT_EQ(doc->Pages[2].Contents[1].Colour(doc->Pages[2].Contents[1].Texts[0]), "");
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
    EXPECT_EQ(runs[2].Text(), "line 1");
    EXPECT_EQ(first->y, 66);
    const vorText* second = runs[2 + 46].text;
    EXPECT_EQ(runs[2 + 46].Text(), "line 47");
    EXPECT_EQ(runs[2 + 46].page, 1);
    EXPECT_EQ(second->x, 40 + 200 + 30);
    EXPECT_EQ(second->y, 66);
    const PlacedRun& third = runs[2 + 92];
    EXPECT_EQ(third.Text(), "line 93");
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

}  // namespace
}  // namespace scrivane
