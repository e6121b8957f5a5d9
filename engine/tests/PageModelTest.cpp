// The page model: pages appear when first used, runs go to the right block.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/vorOutline.h"
#include "model/vorPages.h"
#include "util/Encoding.h"

namespace scrivane {
namespace {

TEST(PageModel, GetPageAppendsMissingPagesAndReturnsTheOneAskedFor) {
    vorPages pages;
    vorPage& third = pages.GetPage(3);
    EXPECT_EQ(pages.PagesCount(), 3);
    EXPECT_EQ(&third, &pages[3]);
    EXPECT_EQ(&pages.GetPage(1), &pages[1]);  // an earlier page, not the newest
    EXPECT_EQ(&pages.GetPage(-1), &pages[3]);
    pages.GetPage(0);  // 0 always appends
    EXPECT_EQ(pages.PagesCount(), 4);
    pages.GetPage(-7);  // other negatives count as 0
    EXPECT_EQ(pages.PagesCount(), 5);
}

TEST(PageModel, GetContentCreatesExactlyOneBlockAndClampsIndexes) {
    vorPage page;
    vorContent& last = page.GetContent(-1);
    EXPECT_EQ(page.ContentsCount(), 1);
    EXPECT_EQ(&page.GetContent(5), &last);
    EXPECT_EQ(&page.GetContent(-3), &last);
    EXPECT_EQ(page.ContentsCount(), 1);
}

TEST(PageModel, FlaggedRunsGoToASecondBlock) {
    vorPage page;
    page.AddText("header 1", "", 10, 0, 0, "", 0, "", true);
    page.AddText("header 2", "", 10, 0, 0, "", 0, "", true);
    page.AddText("body", "", 10, 0, 0, "", 0, "", false);
    ASSERT_EQ(page.ContentsCount(), 2);
    ASSERT_EQ(page.Contents[0].Texts.size(), 1u);
    EXPECT_EQ(page.Contents[0].Text(page.Contents[0].Texts[0]), "body");
    ASSERT_EQ(page.Contents[1].Texts.size(), 2u);
    EXPECT_EQ(page.Contents[1].Text(page.Contents[1].Texts[1]), "header 2");
}

TEST(PageModel, RunsKeepAlignmentAndSplitArialBold) {
    vorContent block;
    const vorText& bold = block.AddText("a", "Arial,Bold", 12, 1, 2, "1 2 3", 40, "justify");
    EXPECT_EQ(block.FontName(bold), "Arial");
    EXPECT_EQ(block.Colour(bold), "1 2 3");
    EXPECT_TRUE(bold.Bold);
    EXPECT_EQ(bold.textalign, 3);
    const vorText& plain = block.AddText("b", "Courier", 12, 1, 2, "", 0, "right");
    EXPECT_EQ(block.FontName(plain), "Courier");
    EXPECT_EQ(block.Colour(plain), "");
    EXPECT_FALSE(plain.Bold);
    EXPECT_EQ(plain.textalign, 0);
}

// A block keeps each font name and colour once; its runs find theirs again, also in a
// copy of the block and past the few names a glance finds.
TEST(PageModel, RunsFindTheirFontAndColourAmongManyNames) {
    auto colour = [](int i) {  // 1,200 colours, each used twice far apart; a fifth none
        const int c = i % 1500;
        return c % 5 ? std::to_string(c % 256) + " " + std::to_string(c / 256) + " 0" : "";
    };
    vorContent block;
    for (int i = 0; i < 3000; ++i) {
        block.AddText("r", i % 3 ? "Helvetica" : "Courier", 10, 0, 0, colour(i), 0, "");
    }
    const vorContent copy = block;
    for (const vorContent* b : {static_cast<const vorContent*>(&block), &copy}) {
        for (int i = 0; i < 3000; ++i) {
            const vorText& run = b->Texts[static_cast<size_t>(i)];
            EXPECT_EQ(b->FontName(run), i % 3 ? "Helvetica" : "Courier");
            EXPECT_EQ(b->Colour(run), colour(i));
        }
    }
    EXPECT_EQ(block.Names.size(), 1u + 2u + 1200u);  // the empty text, fonts, colours
    EXPECT_EQ(block.Texts[0].colour, 0u);
    EXPECT_EQ(block.Texts[1].colour, block.Texts[1501].colour);
}

std::vector<std::string> TextsOf(const vorContent& block) {
    std::vector<std::string> texts;
    for (const vorText& run : block.Texts) texts.emplace_back(block.Text(run));
    return texts;
}

// Runs' texts share one string of their block: none may spill into its neighbours, and
// a text taken from the block itself survives the block growing while it is appended.
TEST(RunTexts, StayApartWholeAndExact) {
    vorContent block;
    const std::string nul("a\0b", 3);
    const std::string longText(40, 'x');  // past what a string holds without a heap block
    block.AddText("first", "", 10, 0, 0, "", 0, "");
    block.AddText("", "", 10, 0, 0, "", 0, "");
    block.AddText(nul, "", 10, 0, 0, "", 0, "");
    block.AddText(longText, "", 10, 0, 0, "", 0, "");
    std::vector<std::string> expected{"first", "", nul, longText};
    for (int i = 0; i < 200; ++i) {
        const vorText& source = block.Texts[static_cast<size_t>(i) % 4];
        expected.push_back(expected[static_cast<size_t>(i) % 4]);
        block.AddText(block.Text(source), "", 10, 0, 0, "", 0, "");
    }
    EXPECT_EQ(TextsOf(block), expected);
    size_t bytes = 0;
    for (const std::string& text : expected) bytes += text.size();
    EXPECT_EQ(block.TextBytes(), bytes);
}

// Blocks are values: a copy, a moved page and a changed copy each keep their own texts.
TEST(RunTexts, CopiesAndMovesKeepEveryRunsText) {
    auto page = std::make_unique<vorPage>();
    const std::vector<std::string> body{"a line long enough to need room of its own", "é", ""};
    for (const std::string& text : body) {
        page->AddText(text, "Arial", 10, 0, 0, "", 0, "", false);
    }
    page->AddText("Page 1", "Arial", 8, 0, 0, "", 0, "", true);

    vorContent copy = page->Contents[0];
    vorPage moved = std::move(*page);
    page.reset();
    for (int i = 0; i < 100; ++i) {
        copy.AddText("more text for the copy alone", "", 10, 0, 0, "", 0, "");
    }
    copy.ConvertTexts([](std::string_view text) { return "<" + std::string(text) + ">"; });

    EXPECT_EQ(TextsOf(moved.Contents[0]), body);
    EXPECT_EQ(TextsOf(moved.Contents[1]), std::vector<std::string>{"Page 1"});
    ASSERT_EQ(copy.Texts.size(), 103u);
    EXPECT_EQ(copy.Text(copy.Texts[0]), "<" + body[0] + ">");
    EXPECT_EQ(copy.Text(copy.Texts[2]), "<>");
    EXPECT_EQ(copy.Text(copy.Texts[102]), "<more text for the copy alone>");
    vorPages pages;
    pages.Kids.push_back(std::make_unique<vorPage>(moved));
    moved.Contents[0].ConvertTexts([](std::string_view) { return std::string(); });
    EXPECT_EQ(TextsOf(pages[1].Contents[0]), body);
}

// Converting may shorten one text and lengthen the next: each run still finds its own.
TEST(RunTexts, ConvertedTextsOfChangingLengthStayWithTheirRuns) {
    vorContent block;
    for (const char* text : {"caf\xc3\xa9", "x", "", "\xe2\x82\xac 5"}) {
        block.AddText(text, "", 10, 0, 0, "", 0, "");
    }
    block.ConvertTexts([](std::string_view text) {
        return text.size() == 1 ? std::string(50, text[0]) : Utf8ToCp1252(text);
    });
    EXPECT_EQ(TextsOf(block),
              (std::vector<std::string>{"caf\xe9", std::string(50, 'x'), "", "\x80 5"}));
    EXPECT_EQ(block.TextBytes(), 4u + 50u + 0u + 3u);
}

TEST(PageModel, AnnotationsKeepThePdfYOfTheirLowerEdge) {
    vorPage page;
    page.PageHeight = 800;
    page.AddAnnotation("note", "Text", 10, 100, 50, 12);
    ASSERT_EQ(page.Annots.size(), 1u);
    EXPECT_EQ(page.Annots[0].top, 700);
    EXPECT_EQ(page.Annots[0].Subtype, "Text");
}

TEST(PageModel, OutlineCountsAllDescendants) {
    vorOutline top;
    top.outlines.resize(2);
    top.outlines[1].outlines.resize(3);
    EXPECT_EQ(top.OutlinesCount(), 5);
    vorOutlines root;
    root.outlines = {top, vorOutline{}};
    EXPECT_EQ(root.TotalCount(), 7);
}

}  // namespace
}  // namespace scrivane
