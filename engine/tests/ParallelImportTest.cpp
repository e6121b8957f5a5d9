// Reading our PDFs back with the pages' streams read on several threads: the same pages,
// text and failures whatever the number of threads, and the stretch-wise copies of the
// reader's text conversions.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "document/vorDocument.h"
#include "import/PdfReader.h"
#include "util/TextInput.h"

namespace scrivane {
namespace {

// Forty-odd pages of lines with characters the writer escapes and some past ASCII.
std::string ManyPagesPdf() {
    std::string text;
    for (int i = 0; i < 2000; ++i) {
        text += "line " + std::to_string(i) + (i % 3 ? " (paren) back\\slash" : " caf\xE9 \x80") +
                "\r\n";
        if (i % 97 == 0) text += "<set>fontsize=" + std::to_string(9 + i % 4) + "\r\n";
    }
    vorDocument writer;
    writer.AddBuffer(text, test::DefaultFormat(), "", 10);
    std::string bytes;
    EXPECT_EQ(writer.BuildPdf(bytes), 0);
    return bytes;
}

// Everything a read gives, as one text: status, pages, their sizes and runs, source lines.
std::string Reading(std::string_view pdf, unsigned threads) {
    PdfContents contents;
    std::string out = "status " + std::to_string(ParseOwnPdf(pdf, contents, threads)) + "\n";
    for (const auto& page : contents.pages.Kids) {
        out += "page " + std::to_string(page->PageWidth) + "x" +
               std::to_string(page->PageHeight) + " blocks " +
               std::to_string(page->Contents.size()) + "\n";
        for (const vorContent& block : page->Contents) {
            for (const vorText& run : block.Texts) {
                out += block.Text(run);
                out += "\n";
            }
        }
    }
    for (const std::string& line : contents.sourceLines) out += "source " + line + "\n";
    return out;
}

TEST(ParallelImport, AnyNumberOfThreadsGivesTheSameDocument) {
    const std::string pdf = ManyPagesPdf();
    const std::string one = Reading(pdf, 1);
    ASSERT_EQ(one.substr(0, 9), "status 0\n");
    EXPECT_GT(std::count(one.begin(), one.end(), '\n'), 2000);
    for (unsigned threads : {2u, 3u, 8u, 0u}) EXPECT_EQ(Reading(pdf, threads), one) << threads;
}

// A damaged stream in the middle: the pages before it and the page itself, and the status
// of that page, as a reader going page after page would leave them.
TEST(ParallelImport, TheFirstDamagedPageInPageOrderDecides) {
    const std::string pdf = ManyPagesPdf();
    std::vector<size_t> streams;
    for (size_t at = pdf.find("stream\n"); at != std::string::npos;
         at = pdf.find("stream\n", at + 1)) {
        if (pdf.compare(at - 3, 3, "end") != 0) streams.push_back(at + 7);
    }
    ASSERT_GT(streams.size(), 20u);
    for (size_t damagedStream : {size_t{0}, size_t{5}, streams.size() / 2}) {
        std::string damaged = pdf;
        for (size_t i = 2; i < 40; ++i) damaged[streams[damagedStream] + i] ^= 0x55;
        const std::string one = Reading(damaged, 1);
        EXPECT_EQ(one.substr(0, 10), "status -85") << damagedStream;
        for (unsigned threads : {2u, 8u}) EXPECT_EQ(Reading(damaged, threads), one);
    }
    // A page listed twice fails where it comes again (the third page repeats the first),
    // after the pages before it are read.
    std::string twice = pdf;
    const size_t kids = twice.find("/Kids[") + 6;
    const std::string first = twice.substr(kids, twice.find(' ', kids) - kids);
    size_t third = kids;
    for (int i = 0; i < 2; ++i) third = twice.find(" 0 R ", third) + 5;
    ASSERT_EQ(twice.find(' ', third) - third, first.size());
    twice.replace(third, first.size(), first);
    const std::string one = Reading(twice, 1);
    EXPECT_EQ(one.substr(0, 10), "status -80");
    EXPECT_NE(one.find("\npage "), std::string::npos);  // the first two pages are read
    EXPECT_EQ(Reading(twice, 8), one);
}

TEST(ParallelImport, EscapesAndLoneBackslashesComeBackAsWritten) {
    const std::string data = "(x\\qy\\\\) Tj\n(ab\\) Tj\n(\\)\\(\\r) Tj\n(plain) Tj\n";
    const std::string object =
        "7 0 obj\n<</Length " + std::to_string(data.size()) + " >>\nstream\n" + data +
        "\nendstream\nendobj\n";
    std::vector<std::string> runs;
    ASSERT_EQ(ReadOwnContentStream(object, object, runs), 0);
    EXPECT_EQ(runs, (std::vector<std::string>{"x\\qy\\", "ab\\", ")(\r", "plain"}));
}

TEST(ParallelImport, TextGoesBackToUtf8LinesWhereverItsSpecialBytesFall) {
    const std::string pad = "abcdefghijklmnopqrst";
    for (size_t at = 0; at <= pad.size(); ++at) {
        const std::string head = pad.substr(0, at), tail = pad.substr(at);
        EXPECT_EQ(ToUtf8Lines(head + "\r\n" + tail), head + "\n" + tail);
        EXPECT_EQ(ToUtf8Lines(head + "\r" + tail), head + "\r" + tail);  // a lone CR stays
        EXPECT_EQ(ToUtf8Lines(head + "\xE9\x80" + tail), head + "\xC3\xA9\xE2\x82\xAC" + tail);
    }
    EXPECT_EQ(ToUtf8Lines("\r\n\r\n\r"), "\n\n\r");
}

}  // namespace
}  // namespace scrivane
