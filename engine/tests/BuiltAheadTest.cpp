// Page streams built on other threads while the layout goes on: the file's bytes are
// those of a document built after the layout, a page changed after it was handed over is
// built again (or, when its runs were let go, the document says it must be laid out
// again and refuses to be written).
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "LayoutFixture.h"
#include "pdf/FinishedPageStreams.h"
#include "pdf/PageStreams.h"
#include "pdf/PdfWriter.h"

namespace scrivane {
namespace {

using Streams = EngineOptions::StreamsDuringLayout;

// Pages of different heights with justified runs (whose spacing lasts into the page's
// furniture block), two fonts, a rule and furniture on some pages.
struct Handmade {
    vorPages pages;
    vorInfos infos;
    std::vector<vorFont> fonts{{"Helvetica", "1", ""}, {"Courier", "2", ""}};

    explicit Handmade(int count) {
        for (int p = 0; p < count; ++p) {
            vorPage& page = pages.AddNewPage();
            page.PageHeight = static_cast<int16_t>(700 + 13 * (p % 5));
            for (int line = 0; line < 20; ++line) {
                const bool justified = (p + line) % 4 == 0;
                page.AddText("page " + std::to_string(p) + " line " + std::to_string(line),
                             line % 7 ? "Helvetica" : "Courier", 10, 40, 50 + 16 * line,
                             line % 5 ? "" : "200 10 10", justified ? 60 : 0,
                             justified || line == 19 ? "justify" : "", false);
            }
            page.AddLine({40, 20, 500, 0, 1});
            if (p % 2 == 0) page.AddText("furniture", "Courier", 8, 40, 20, "", 0, "", true);
        }
    }

    // Hands every page over to `finished` and waits for them.
    void HandOver(FinishedPageStreams& finished) {
        auto ids = std::make_shared<FinishedPageStreams::FontIds>();
        for (const vorFont& font : fonts) ids->emplace(font.BaseFont, font.FontID);
        for (size_t i = 0; i < pages.Kids.size(); ++i) {
            finished.Add(i, *pages.Kids[i], pages.Kids[i]->PageHeight, ids);
        }
        finished.Finish();
    }

    int16_t Build(std::string& bytes, FinishedPageStreams* finished = nullptr) {
        PdfSource source;
        source.pages = &pages;
        source.infos = &infos;
        source.fonts = &fonts;
        source.threads = 2;
        source.finished = finished;
        return BuildPdfFile(source, bytes);
    }
};

TEST(FinishedPageStreams, GiveTheBytesOfStreamsBuiltByTheWriter) {
    Handmade plain(9);
    std::string expected;
    ASSERT_EQ(plain.Build(expected), kPdfOk);
    for (bool letRunsGo : {false, true}) {
        for (unsigned workers : {1u, 3u}) {
            Handmade ahead(9);
            FinishedPageStreams finished(workers, letRunsGo);
            ahead.HandOver(finished);
            EXPECT_EQ(ahead.pages[4].Contents[0].Texts.empty(), letRunsGo);
            std::string bytes;
            ASSERT_EQ(ahead.Build(bytes, &finished), kPdfOk);
            EXPECT_EQ(bytes, expected) << "workers " << workers << " letRunsGo " << letRunsGo;
            EXPECT_FALSE(finished.AnyLost());
        }
    }
}

TEST(FinishedPageStreams, APageChangedAfterwardsIsBuiltAgainOrRefused) {
    Handmade changedPlain(5);
    changedPlain.pages[2].AddText("late", "Helvetica", 10, 40, 600, "", 0, "", false);
    changedPlain.pages[4].PageHeight = 900;
    std::string expected;
    ASSERT_EQ(changedPlain.Build(expected), kPdfOk);

    Handmade kept(5);
    FinishedPageStreams keeping(1, false);
    kept.HandOver(keeping);
    kept.pages[2].AddText("late", "Helvetica", 10, 40, 600, "", 0, "", false);
    kept.pages[4].PageHeight = 900;
    std::string bytes;
    ASSERT_EQ(kept.Build(bytes, &keeping), kPdfOk);
    EXPECT_EQ(bytes, expected);

    Handmade letGo(5);
    FinishedPageStreams letting(1, true);
    letGo.HandOver(letting);
    EXPECT_FALSE(letting.AnyLost());
    letGo.pages[4].PageHeight = 900;
    letting.Recheck(2, letGo.pages[3]);  // another page: still as built
    EXPECT_FALSE(letting.AnyLost());
    letting.Recheck(3, letGo.pages[4]);
    EXPECT_TRUE(letting.Lost(3));
    EXPECT_FALSE(letting.Lost(2));
    EXPECT_TRUE(letting.AnyLost());
    EXPECT_EQ(letGo.Build(bytes, &letting), kPdfRunsLetGo);
    EXPECT_TRUE(bytes.empty());
}

// A text of some pages with what building ahead must follow: a second font from the
// third page on, justified runs, a rule, a picture on one page, headers with the page
// count.
class BuiltAhead : public test::Layout {
protected:
    BuiltAhead() {
        std::filesystem::create_directories(dir.path() / "texts");
        options.textFolder = dir.File("texts");
        test::WriteFile(dir.File("texts/logo.jpg"),
                        test::ReadFile(std::string(SCRIVANE_TESTDATA) + "/logo.jpg"));
    }

    test::Lines Text(const std::string& late = "") {
        test::Lines lines{"<set>header=Page &p of &pages", "<set>textalign=justify"};
        for (int i = 0; i < 400; ++i) {
            if (i == 120) lines.push_back("<set>fontname=Courier");
            if (i == 60) lines.push_back("<img src='logo.jpg'>");
            if (i == 30) lines.push_back("<set>line=lx:300;x:20;");
            if (i == 200 && !late.empty()) lines.push_back(late);
            lines.push_back("Line " + std::to_string(i) + " of a text that fills some pages, " +
                            std::string(i % 3 ? "long enough to be wrapped once or twice on "
                                                "its way down the page"
                                              : "short"));
        }
        return lines;
    }

    // The PDF of the text as laid out with that way of building; status as Build says.
    int16_t Pdf(const test::Lines& text, Streams streams, std::string& bytes) {
        options.streamsDuringLayout = streams;
        Lay(text);
        EXPECT_GT(doc->Pages.PagesCount(), 5);
        return doc->Build(kTargetPdf, bytes);
    }

    test::TempDir dir;
};

// On a machine of one core nothing is built ahead and these hold trivially.
TEST_F(BuiltAhead, EveryWayGivesTheSameFile) {
    std::string expected, bytes;
    ASSERT_EQ(Pdf(Text(), Streams::kOff, expected), kSaveOk);
    for (Streams streams : {Streams::kKeepRuns, Streams::kLetRunsGo}) {
        options.streamsDuringLayout = streams;
        Lay(Text());
        int emptied = 0;  // pages whose runs went once their stream was built
        for (const auto& page : doc->Pages.Kids) emptied += page->Contents[0].Texts.empty();
        const bool ahead = PageStreams::DefaultThreads() > 1;
        EXPECT_EQ(emptied > 0, ahead && streams == Streams::kLetRunsGo);
        ASSERT_EQ(doc->Build(kTargetPdf, bytes), kSaveOk);
        EXPECT_FALSE(doc->LayoutMustBeRedone());
        EXPECT_EQ(bytes, expected);
    }
}

TEST_F(BuiltAhead, APageSizeOrHeaderPictureSetLateIsFollowed) {
    for (const char* late : {"<set>pageheight=700", "<set>imgheader=logo.jpg"}) {
        std::string expected, bytes;
        ASSERT_EQ(Pdf(Text(late), Streams::kOff, expected), kSaveOk);
        ASSERT_EQ(Pdf(Text(late), Streams::kKeepRuns, bytes), kSaveOk);
        EXPECT_FALSE(doc->LayoutMustBeRedone());
        EXPECT_EQ(bytes, expected) << late;
        if (PageStreams::DefaultThreads() < 2) continue;
        // The runs of the first pages are gone: the document says so and writes nothing.
        EXPECT_EQ(Pdf(Text(late), Streams::kLetRunsGo, bytes), kPdfRunsLetGo) << late;
        EXPECT_TRUE(doc->LayoutMustBeRedone());
        EXPECT_TRUE(bytes.empty());
    }
}

}  // namespace
}  // namespace scrivane
