// Page streams built and deflated on several threads: the same file whatever the number
// of threads, every stream the text the page asks for, and a failure that fails the file.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <new>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "pdf/Compression.h"
#include "pdf/OrderedPool.h"
#include "pdf/PdfObjects.h"
#include "pdf/PdfWriter.h"

namespace scrivane {
namespace {

// Pages of different heights with justified runs (whose spacing lasts from one run to
// the next), coloured runs, rules and a second block of page furniture.
struct Sample {
    vorPages pages;
    vorInfos infos;
    std::vector<vorFont> fonts{{"Helvetica", "1", ""}, {"Courier", "2", ""}};
    std::vector<std::string> sourceLines{"0:sample.format", "3:<set>justify", "9:<np>"};

    explicit Sample(int count) {
        for (int p = 0; p < count; ++p) {
            vorPage& page = pages.AddNewPage();
            page.PageHeight = static_cast<int16_t>(700 + 13 * (p % 5));
            for (int line = 0; line < 30; ++line) {
                const std::string text = "page " + std::to_string(p) + " line " +
                                         std::to_string(line) + (line % 3 ? " a b (c)" : "x");
                const bool justified = (p + line) % 4 == 0;
                page.AddText(text, line % 7 ? "Helvetica" : "Courier", 10, 40, 50 + 16 * line,
                             line % 5 == 0 ? "200 10 10" : "", justified ? 60 : 0,
                             justified ? "justify" : "", false);
            }
            page.AddLine({40, 20, 500, 0, 1});
            if (p % 3 == 0) page.AddText("header", "Helvetica", 8, 40, 20, "", 0, "", true);
        }
        // The last block leaves word spacing set for the stream after it.
        pages.Kids.back()->Contents.back().AddText("the end of it", "Helvetica", 10, 40, 600,
                                                   "", 40, "justify");
    }

    PdfSource Source(unsigned threads, bool compress = true) {
        PdfSource source;
        source.pages = &pages;
        source.infos = &infos;
        source.fonts = &fonts;
        source.sourceLines = &sourceLines;
        source.compress = compress;
        source.threads = threads;
        return source;
    }
};

std::string Build(const PdfSource& source) {
    std::string bytes;
    EXPECT_EQ(BuildPdfFile(source, bytes), kPdfOk);
    return bytes;
}

// Every stream of the file, in file order, inflated when it is deflated.
std::vector<std::string> Streams(const std::string& pdf) {
    std::vector<std::string> streams;
    for (size_t at = pdf.find("stream\n"); at != std::string::npos;
         at = pdf.find("stream\n", at)) {
        const size_t start = at + 7;
        const size_t end = pdf.find("\nendstream", start);
        std::string data = pdf.substr(start, end - start);
        const size_t filter = pdf.rfind("/FlateDecode", at);
        if (filter != std::string::npos && filter > pdf.rfind(" obj\n", at)) {
            EXPECT_EQ(Decompress(data), 0);
        }
        streams.push_back(std::move(data));
        at = end + 10;
    }
    return streams;
}

TEST(ParallelPdf, TheBytesAreTheSameForOneTwoAndEightThreads) {
    Sample sample(40);
    const std::string one = Build(sample.Source(1));
    ASSERT_FALSE(one.empty());
    EXPECT_EQ(Build(sample.Source(2)), one);
    EXPECT_EQ(Build(sample.Source(8)), one);
    EXPECT_EQ(Build(sample.Source(0)), one);  // one per core
}

// The streams are what one pass over the pages in order gives, spacing carried from run
// to run within a page and from the last page into the source stream.
TEST(ParallelPdf, EveryStreamInflatesToTheTextOfItsBlock) {
    Sample sample(25);
    std::vector<std::string> expected;
    PdfWriteState state;
    state.fonts = &sample.fonts;
    for (const auto& page : sample.pages.Kids) {
        StartPage(*page, state);
        for (const vorContent& content : page->Contents) {
            expected.push_back(ContentStreamText(content, state));
        }
    }
    vorContent source;
    for (const std::string& line : sample.sourceLines) source.AddText(line, "", 0, 0, 0, "", 0, "");
    expected.push_back(ContentStreamText(source, state));
    ASSERT_NE(expected.back().find("0 Tw"), std::string::npos);  // the last page left some set

    for (unsigned threads : {1u, 3u, 8u}) {
        EXPECT_EQ(Streams(Build(sample.Source(threads))), expected) << threads << " threads";
    }
    EXPECT_EQ(Streams(Build(sample.Source(4, false))), expected);
}

TEST(ParallelPdf, AStreamThatCannotBeDeflatedFailsTheWholeFile) {
    Sample sample(30);
    for (unsigned threads : {1u, 2u, 8u}) {
        // 40 page blocks (a page in three has a header block), then the source stream.
        for (int failing : {0, 17, 39, 40}) {
            std::atomic<int> calls{0};
            PdfSource source = sample.Source(threads);
            source.deflate = [&calls, failing](std::string& data) {
                return calls++ == failing ? -4 : Compress(data);
            };
            std::string bytes = "old";
            EXPECT_EQ(BuildPdfFile(source, bytes), kPdfOutOfMemory) << threads << "/" << failing;
            EXPECT_TRUE(bytes.empty());
        }
        PdfSource throwing = sample.Source(threads);
        std::atomic<int> calls{0};
        throwing.deflate = [&calls](std::string& data) {
            if (++calls == 12) throw std::bad_alloc();
            return Compress(data);
        };
        std::string bytes;
        EXPECT_EQ(BuildPdfFile(throwing, bytes), kPdfOutOfMemory);
        EXPECT_TRUE(bytes.empty());
    }
}

TEST(OrderedPoolRules, ResultsComeInOrderEachJobOnceAndNeverTooFarAhead) {
    for (unsigned threads : {1u, 2u, 3u, 8u}) {
        for (size_t count : {size_t{0}, size_t{1}, size_t{200}}) {
            constexpr size_t kWindow = 5;
            std::vector<std::atomic<int>> runs(count);
            std::atomic<size_t> taken{0};
            std::atomic<bool> tooFar{false};
            OrderedPool<size_t> pool(count, threads, kWindow, [&](size_t index, unsigned worker) {
                // The pool counts an item taken just before the test does.
                if (index > taken + kWindow || worker >= threads) tooFar = true;
                ++runs[index];
                std::this_thread::sleep_for(std::chrono::microseconds((index * 37) % 50));
                return index * 3;
            });
            for (size_t i = 0; i < count; ++i) {
                ASSERT_EQ(pool.Take(i), i * 3);
                ++taken;
            }
            EXPECT_FALSE(tooFar);
            for (size_t i = 0; i < count; ++i) EXPECT_EQ(runs[i], 1) << i;
        }
    }
}

TEST(OrderedPoolRules, AJobThatThrowsStopsTheResultsAtOrBeforeIt) {
    for (unsigned threads : {1u, 2u, 8u}) {
        OrderedPool<int> pool(100, threads, 8, [](size_t index, unsigned) {
            if (index == 37) throw std::runtime_error("job 37");
            return static_cast<int>(index);
        });
        size_t reached = 0;
        try {
            for (; reached < 100; ++reached) EXPECT_EQ(pool.Take(reached), static_cast<int>(reached));
            ADD_FAILURE() << "no job failed";
        } catch (const std::runtime_error& error) {
            EXPECT_STREQ(error.what(), "job 37");
        }
        EXPECT_LE(reached, 37u);
        if (threads == 1) {
            EXPECT_EQ(reached, 37u);
        }
    }  // the pool stops and joins its threads with items left undone
}

}  // namespace
}  // namespace scrivane
