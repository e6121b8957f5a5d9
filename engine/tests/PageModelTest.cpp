// The page model: pages appear when first used, runs go to the right block.
#include <gtest/gtest.h>

#include <string>

#include "model/vorOutline.h"
#include "model/vorPages.h"

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
