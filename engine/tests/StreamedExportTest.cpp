// An export that never holds all of itself at once: the text laid out piece by piece,
// the file handed to its writer in pieces, finished pages that give back unused room.
// Each must give exactly what the whole-buffer path gives.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "document/vorDocument.h"
#include "util/AtomicFile.h"
#include "util/TextInput.h"

namespace scrivane {
namespace {

// Lines of every kind the layout treats apart: commands, empty lines, lines that wrap,
// lone CR and LF (line ends once converted), characters Windows-1252 lacks.
std::string MixedFileText(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) {
        switch (i % 7) {
            case 0: text += "<set>fontsize=" + std::to_string(10 + i % 5) + "\r\n"; break;
            case 1: text += "\r\n"; break;
            case 2: text += std::string(150 + i % 40, 'w') + " tail words here\r\n"; break;
            case 3: text += "lone\rcr and lone\nlf\r\n"; break;
            case 4: text += "snow \xE2\x98\x83 (and) back\\slash\r\n"; break;
            default: text += "line " + std::to_string(i) + " of the ledger\r\n";
        }
    }
    return text;
}

std::string PdfOf(vorDocument& doc) {
    std::string bytes;
    EXPECT_EQ(doc.BuildPdf(bytes), 0);
    return bytes;
}

TEST(TextPieces, JoinedTheyAreTheTextAndEachButTheLastEndsALine) {
    const std::vector<std::string> inputs = {
        "", "\r\n", "\r\n\r\nthird", "a\r\n", MixedFileText(60),
        std::string("\xFF\xFE" "a\0\r\0\n\0b\0\n\0", 12)};
    for (const std::string& input : inputs) {
        const EngineText whole = ToEngineText(input);
        for (size_t size : {1u, 2u, 3u, 7u, 64u, 1u << 20}) {
            const EngineText cut = ToEngineText(input, {}, size);
            EXPECT_TRUE(cut.text.empty());
            ASSERT_FALSE(cut.pieces.empty());
            std::string joined;
            for (size_t k = 0; k < cut.pieces.size(); ++k) {
                if (k + 1 < cut.pieces.size()) {
                    ASSERT_GE(cut.pieces[k].size(), 2u);
                    EXPECT_EQ(cut.pieces[k].substr(cut.pieces[k].size() - 2), "\r\n");
                }
                joined += cut.pieces[k];
            }
            EXPECT_EQ(joined, whole.text) << "piece size " << size;
            EXPECT_EQ(cut.replaced, whole.replaced);
            EXPECT_EQ(cut.replacements.size(), whole.replacements.size());
        }
    }
}

// The first CR LF of a text ends no line of its own and the last line follows the last
// CR LF: cut anywhere, the text must give the same lines, pages and source record.
TEST(TextPieces, LayoutFromPiecesIsLayoutFromTheWholeText) {
    const std::vector<std::string> inputs = {
        "", "\r\n", "\r\n\r\n", "\r\n\r\nthird", "\r\nonly", "a\r\n\r\n", "x\ry",
        MixedFileText(300)};
    for (const std::string& input : inputs) {
        const EngineText whole = ToEngineText(input);
        vorDocument expected;
        expected.AddBuffer(whole.text, test::DefaultFormat(), "", 10);
        const std::string expectedPdf = PdfOf(expected);
        for (size_t size : {1u, 2u, 3u, 5u, 700u}) {
            vorDocument doc;
            doc.AddBuffer(ToEngineText(input, {}, size).pieces, test::DefaultFormat(), "", 10);
            EXPECT_EQ(doc.FormatConditions(), expected.FormatConditions()) << size;
            EXPECT_EQ(doc.Pages.PagesCount(), expected.Pages.PagesCount()) << size;
            EXPECT_EQ(PdfOf(doc), expectedPdf) << "piece size " << size;
        }
    }
}

TEST(FinishedPages, KeepNoUnusedRoomAndTheirRunsIntact) {
    std::string text;
    for (int i = 0; i < 400; ++i) text += (i ? "\r\nrow " : "row ") + std::to_string(i);
    vorDocument doc;
    doc.AddBuffer(text, test::DefaultFormat(), "", 10);
    ASSERT_GT(doc.Pages.PagesCount(), 3);
    int row = 0;
    for (int32_t n = 1; n <= doc.Pages.PagesCount(); ++n) {
        const vorContent& block = doc.Pages[n].Contents.front();
        const std::vector<vorText>& runs = block.Texts;
        if (n < doc.Pages.PagesCount()) {
            EXPECT_EQ(runs.capacity(), runs.size()) << n;
            EXPECT_EQ(block.TextCapacity(), block.TextBytes()) << n;
        }
        for (const vorText& run : runs) {
            EXPECT_EQ(block.Text(run), "row " + std::to_string(row++));
        }
    }
    EXPECT_EQ(row, 400);
}

// Enough text for a file of several pieces.
vorDocument LargeDocument() {
    std::string text;
    unsigned seed = 7;
    for (int i = 0; i < 12000; ++i) {
        for (int c = 0; c < 40; ++c) {  // letters that deflate poorly
            seed = seed * 1103515245u + 12345u;
            text.push_back(static_cast<char>('a' + (seed >> 16) % 26));
        }
        text += "\r\n";
    }
    vorDocument doc;
    doc.AddBuffer(text, test::DefaultFormat(), "", 10);
    return doc;
}

TEST(StreamedFile, PiecesJoinedAreTheBuiltFileAndSaveAsWritesThem) {
    vorDocument doc = LargeDocument();
    const std::string built = PdfOf(doc);
    std::string joined;
    int pieces = 0;
    ASSERT_EQ(doc.Write(10, [&](std::string_view piece) {
        joined.append(piece);
        ++pieces;
        return true;
    }), kSaveOk);
    EXPECT_GT(pieces, 1) << built.size();
    EXPECT_EQ(joined, built);

    test::TempDir dir;
    ASSERT_EQ(doc.SaveAs(dir.File("out.pdf"), 10), kSaveOk);
    EXPECT_EQ(test::ReadFile(dir.File("out.pdf")), built);
    EXPECT_EQ(test::QpdfProblems(dir.File("out.pdf")), "");

    std::string xml;  // the other formats come whole, once
    pieces = 0;
    ASSERT_EQ(doc.Write(20, [&](std::string_view piece) {
        xml.append(piece);
        ++pieces;
        return true;
    }), kSaveOk);
    EXPECT_EQ(pieces, 1);
    EXPECT_NE(xml.find("entry"), std::string::npos);
}

TEST(StreamedFile, ARefusedPieceStopsTheWriteAndFailsIt) {
    vorDocument doc = LargeDocument();
    int calls = 0;
    EXPECT_EQ(doc.Write(10, [&](std::string_view) { return ++calls < 2; }), kSaveWriteFailed);
    EXPECT_EQ(calls, 2);  // nothing handed over after the refusal
}

TEST(AtomicFile, CommitReplacesTheTargetAndAnAbandonedWriteLeavesItAlone) {
    test::TempDir dir;
    const std::string target = dir.File("kept.txt");
    test::WriteFile(target, "old");
    {
        AtomicFile file;
        ASSERT_TRUE(file.Open(target));
        ASSERT_TRUE(file.Write("new "));
        ASSERT_TRUE(file.Write("half"));
    }  // dropped before Commit
    EXPECT_EQ(test::ReadFile(target), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);  // no temporary file left behind

    AtomicFile file;
    ASSERT_TRUE(file.Open(target));
    ASSERT_TRUE(file.Write("new "));
    ASSERT_TRUE(file.Write("whole"));
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(test::ReadFile(target), "new whole");
    EXPECT_FALSE(file.Write("late"));  // a committed file takes nothing more

    AtomicFile nowhere;
    EXPECT_FALSE(nowhere.Open(dir.File("missing/file.txt")));
    EXPECT_NE(nowhere.Error().find("cannot create"), std::string::npos);
    EXPECT_FALSE(nowhere.Write("x"));
    EXPECT_FALSE(nowhere.Commit());
}

}  // namespace
}  // namespace scrivane
