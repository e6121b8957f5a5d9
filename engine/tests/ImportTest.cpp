// Reading published files back into editable text.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "document/vorDocument.h"
#include "import/PdfReader.h"
#include "import/SourceText.h"

namespace scrivane {
namespace {

vorFormat WithConditions() {
    vorFormat format = test::DefaultFormat();
    format.DefaultLineLength = 300;
    auto condition = [](const char* type, const char* value, const char* show) {
        vorFormat c;
        c.conditionType = type;
        c.conditionValue = value;
        c.show = show;
        return c;
    };
    vorFormat heading = condition("leftlinevalue", "# ", "RIGHT");
    heading.bk = 1;
    heading.fontsize = "16";
    vorFormat header = condition("leftlinevalue", "@h ", "RIGHT");
    header.isHeader = true;
    vorFormat note = condition("leftlinevalue", "@n ", "");
    note.isAnnotation = true;
    format.ListeFormats = {heading, condition("leftlinevalue", "%%", "NO"), header, note,
                           condition("linevalue", "hidden line", "NO")};
    return format;
}

// A random text of the kinds of lines writers type. Every line ends in CR LF; lines never
// hold tabs (they become spaces) and the text never starts with CR LF.
std::string RandomText(std::mt19937& random) {
    const char* words[] = {"ink", "paper", "(margin)", "chap\\ter", "note", "caf\xE9", "a-b",
                           "x=y", "<b>", "&amp;", "W", "ii", "extraordinarily"};
    const char* commands[] = {"<set>fontsize=14", "<set>x+10", "<set>dy=18",
                              "<set>title=A (title)", "<set>unknown=1", "<set>fontcolor=200 0 0",
                              "<set>textalign=justify", "<set>textalign=right",
                              "<set>linelength=200", "<set>linelength=300", "<set>maxcar=40",
                              "<set>linelength=0"};
    auto sentence = [&](size_t length) {
        std::string line;
        while (line.size() < length) {
            if (!line.empty()) line += random() % 7 ? " " : "  ";
            line += words[random() % 13];
        }
        return line;
    };
    std::string text;
    int count = 1 + static_cast<int>(random() % 60);
    for (int i = 0; i < count; ++i) {
        std::string line;
        switch (random() % 9) {
            case 0: line = commands[random() % 12]; break;
            case 1: line = "# " + sentence(random() % 30); break;
            case 2: line = "%% " + sentence(random() % 20); break;
            case 3: line = sentence(200 + random() % 600); break;  // wraps
            case 4: line = ""; break;
            case 5: line = "@n " + sentence(20); break;
            case 6: line = random() % 2 ? "hidden line" : "@h Page &p"; break;
            default: line = sentence(random() % 80); break;
        }
        if (i == 0 && line.empty()) line = "first";
        text += line + "\r\n";
    }
    return text;
}

class RoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(RoundTrip, PublishedFilesGiveTheTextBack) {
    const int target = GetParam();
    const char* extension = target == 10 ? "pdf" : target == 20 ? "htm" : "svg";
    test::TempDir dir;
    std::mt19937 random(1234 + target);
    for (int trial = 0; trial < 40; ++trial) {
        std::string text = RandomText(random);
        vorDocument writer;
        writer.AddBuffer(text, WithConditions(), "/any/where/mine.pdf.format.vantor.dorvex", target);
        std::string file = dir.File("doc." + std::string(extension));
        ASSERT_EQ(writer.SaveAs(file, target), 0);
        if (target == 10) {
            ASSERT_EQ(test::QpdfProblems(file), "") << trial;
        }

        vorDocument reader;
        ASSERT_EQ(reader.LoadFile(file), 0) << trial;
        std::string back;
        ASSERT_EQ(reader.GetText(back), 0);
        EXPECT_EQ(back, text) << "trial " << trial;
        EXPECT_EQ(reader.eInfos->cff, "mine");
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, RoundTrip, ::testing::Values(10, 20, 40));

std::string Published(const std::string& text, int target, bool optimize, test::TempDir& dir,
                      const char* name) {
    EngineOptions options;
    options.optimize = optimize;
    vorDocument writer(options);
    writer.AddBuffer(text, WithConditions(), "", target);
    std::string file = dir.File(name);
    EXPECT_EQ(writer.SaveAs(file, target), 0);
    return file;
}

TEST(Import, XmlAndOptimizedPdfGiveTheVisibleTextOnly) {
    test::TempDir dir;
    std::string text = "# Title\r\n<set>fontsize=14\r\n%% secret\r\nbody";
    for (auto [target, name, optimize] :
         {std::tuple{30, "doc.xml", false}, std::tuple{10, "small.pdf", true}}) {
        vorDocument reader;
        ASSERT_EQ(reader.LoadFile(Published(text, target, optimize, dir, name)), 0) << name;
        std::string back;
        reader.GetText(back);
        EXPECT_EQ(back, "Title\r\n\r\n\r\nbody") << name;
    }
}

TEST(Import, BytesGiveWhatTheFileGives) {
    test::TempDir dir;
    const std::string text = "<set>title=From memory\r\n# Title\r\n%% secret\r\nbody line";
    for (auto [target, name, optimize] :
         {std::tuple{kTargetPdf, "doc.pdf", false}, std::tuple{kTargetPdf, "small.pdf", true},
          std::tuple{kTargetXhtml, "doc.htm", false}, std::tuple{kTargetXml, "doc.xml", false},
          std::tuple{kTargetSvg, "doc.svg", false}}) {
        const std::string file = Published(text, target, optimize, dir, name);
        vorDocument fromFile, fromBytes;
        ASSERT_EQ(fromFile.LoadFile(file), kLoadOk) << name;
        const std::string bytes = test::ReadFile(file);
        EXPECT_EQ(FormatOfContent(bytes).code, target) << name;
        ASSERT_EQ(fromBytes.LoadFromBytes(bytes, target), kLoadOk) << name;
        std::string expected, back;
        fromFile.GetText(expected);
        fromBytes.GetText(back);
        EXPECT_EQ(back, expected) << name;
        EXPECT_NE(back.find("body line"), std::string::npos) << name;
        EXPECT_EQ(fromBytes.eInfos->title, fromFile.eInfos->title) << name;
        EXPECT_EQ(fromBytes.Pages.PagesCount(), fromFile.Pages.PagesCount()) << name;
    }
}

TEST(Import, BytesThatAreNoFileOfOursGiveTheFileStatuses) {
    const std::string noise(200, 'x');
    const std::string otherPdf = "%PDF-1.4\n%%Producer (another program)\n" + noise + "\n%%EOF\n";
    const struct {
        std::string bytes;
        int32_t format;
        int16_t status;
    } cases[] = {
        {"%PDF-1.4 too short", kTargetPdf, LoadStatusOfPdf(kPdfTooShort)},
        {noise, kTargetPdf, LoadStatusOfPdf(kPdfNoHeader)},
        {otherPdf, kTargetPdf, LoadStatusOfPdf(kPdfProducerRefused)},
        {"", kTargetXml, kXmlUnreadable},
        {"<document><unclosed></document>", kTargetXml, kXmlUnreadable},
        {"<svg producer='Vantor Jotter 1.4.0'/>", kTargetXml, kXmlWrongRoot},
        {"<document title='t'/>", kTargetXml, kXmlNoProducer},
        {"<svg producer='Another 2.0'/>", kTargetSvg, kXmlOtherProducer},
        {"<html><head><meta GENERATOR='Another'/></head></html>", kTargetXhtml, kXmlOtherProducer},
        {noise, 0, kLoadUnknownKind},
        {noise, 25, kLoadUnknownKind},
    };
    for (const auto& c : cases) {
        vorDocument document;
        EXPECT_EQ(document.LoadFromBytes(c.bytes, c.format), c.status) << c.bytes;
        std::string text;
        document.GetText(text);
        EXPECT_EQ(text, "") << c.bytes;
    }
    // The values scripts and the editor know.
    EXPECT_EQ(LoadStatusOfPdf(kPdfTooShort), -1018);
    EXPECT_EQ(LoadStatusOfPdf(kPdfProducerRefused), -1002);
}

TEST(Import, StandardInputIsToldByWhatItHolds) {
    EXPECT_EQ(FormatOfContent("%PDF-1.4\n...").code, kTargetPdf);
    EXPECT_EQ(FormatOfContent("<?xml version='1.0'?><svg producer='x'/>").code, kTargetSvg);
    EXPECT_EQ(FormatOfContent("<?xml version='1.0'?><html><head/></html>").code, kTargetXhtml);
    EXPECT_EQ(FormatOfContent("<document/>").code, kTargetXml);
    EXPECT_EQ(FormatOfContent("").code, kTargetXml);
    // Only the first 4 KiB are looked at.
    EXPECT_EQ(FormatOfContent("<document>" + std::string(5000, ' ') + "<svg").code, kTargetXml);
}

TEST(Import, PageHeadersAreNotTakenForText) {
    test::TempDir dir;
    std::string text = "<set>header=Page &p of &pages";
    for (int i = 0; i < 70; ++i) text += "\r\nline " + std::to_string(i);
    vorDocument reader;
    ASSERT_EQ(reader.LoadFile(Published(text, 10, false, dir, "h.pdf")), 0);
    std::string back;
    reader.GetText(back);
    EXPECT_EQ(back, text);
}

TEST(Import, SourceLinesGoBackInFrontOfTheirLines) {
    vorPages pages;
    vorContent& block = pages.AddNewPage().GetContent(1);
    for (const char* run : {"one", "two", "", "four", "five", "six", ""}) {
        block.AddText(run, "", 10, 0, 0, "", 0, "");
    }
    std::vector<std::string> source{"0:(cff='x')", "3:<set>x=1", "5:<vor>lb</vor>",
                                    "7:<vor>lb</vor>", "x:junk", "99:beyond"};
    EXPECT_EQ(RebuildSourceText(pages, source), "one\r\ntwo\r\n<set>x=1\r\nfourfive\r\nsix");
    EXPECT_EQ(RebuildSourceText(pages, {}), "one\r\ntwo\r\n\r\nfour\r\nfive\r\nsix\r\n");
    EXPECT_EQ(RebuildSourceText(vorPages{}, source), "");
}

TEST(Import, ConvertedTextCarriesPositionCommands) {
    vorPages pages;
    vorPage& page = pages.AddNewPage();
    page.PageHeight = 800;
    page.GetContent(1).AddText("Hello", "", 12, 72.5, 100, "", 0, "");
    vorInfos infos;  // UTF-8, as the information always is; the converted text is Windows-1252
    infos.title = "T \xC3\xA9";
    infos.author = "\xCE\xA9";
    EXPECT_EQ(PositionedText(pages, infos),
              "<set>author=?\r\n<set>subject=\r\n<set>title=T \xE9\r\n<set>keywords=\r\n\r\n\r\n"
              "<set>x=72.5\r\n<set>y=700\r\n<set>fontsize=12\r\nHello\r\n");
}

class PdfChecks : public ::testing::Test {
protected:
    int16_t Load(const std::string& bytes) {
        std::string file = dir.File("x.pdf");
        test::WriteFile(file, bytes);
        vorDocument reader;
        return reader.LoadFile(file);
    }
    std::string Own(const std::string& text = "hello") {
        vorDocument writer;
        writer.AddBuffer(text, test::DefaultFormat(), "", 10);
        std::string bytes;
        writer.BuildPdf(bytes);
        return bytes;
    }
    test::TempDir dir;
};

TEST_F(PdfChecks, FileChecksComeInTheirOrderWithTheirCodes) {
    std::string own = Own();
    vorDocument reader;
    EXPECT_EQ(reader.LoadFile(""), -5);
    EXPECT_EQ(reader.LoadFile(dir.File("missing.pdf")), -10);
    EXPECT_EQ(Load("%PDF-" + std::string(94, ' ')), -1018);  // 99 bytes
    EXPECT_EQ(Load("%XYZ-" + std::string(200, ' ')), -1020);
    std::string lower = own;
    lower.replace(0, 5, "%pdf-");
    EXPECT_EQ(Load(lower), 0);  // the header is compared in capitals
    std::string newer = own;
    newer.replace(newer.find("JTR-1.4"), 7, "JTR-1.5");
    EXPECT_EQ(Load(newer), -1002);
    std::string noEnd = own.substr(0, own.rfind("%%EOF"));
    EXPECT_EQ(Load(noEnd), -1025);
    std::string foreign = "%PDF-1.4\n1 0 obj\n<< /Producer (someone else) >>\nendobj\n" +
                          std::string(100, ' ') + "\n%%EOF\n";
    EXPECT_EQ(Load(foreign), -1002);
}

TEST_F(PdfChecks, DamagedTablesGiveCodesNeverCrashes) {
    std::string own = Own("a\r\n<set>x=5\r\nb");
    size_t xref = own.rfind("\nxref\n") + 1;
    auto damaged = [&](size_t at, const std::string& with) {
        std::string copy = own;
        copy.replace(at, with.size(), with);
        return Load(copy);
    };
    size_t start = own.rfind("startxref") + 10;
    size_t digits = own.find('\n', start) - start;
    size_t firstEntry = own.find("65535 f\r\n", xref) + 9;  // after the free entry
    EXPECT_EQ(damaged(start, "x"), -1027);
    EXPECT_EQ(damaged(start, std::string(digits, '9')), -1030);
    EXPECT_EQ(damaged(xref, "XREF"), -1035);
    EXPECT_EQ(damaged(xref + 5, "0 9999"), -1045);
    EXPECT_EQ(damaged(firstEntry + 3, "x"), -1050);
    EXPECT_EQ(damaged(own.find("trailer"), "trailor"), -1065);
    EXPECT_EQ(damaged(own.find("/Root"), "/Rxxx"), -1055);
    EXPECT_EQ(damaged(firstEntry, "9999999999"), -1061);

    // Every truncation and a flipped byte anywhere: a code or success, never a crash.
    for (size_t cut = 0; cut < own.size(); cut += 7) {
        int16_t status = Load(own.substr(0, cut) + "\n%%EOF");
        EXPECT_LE(status, 0);
        std::string flipped = own;
        flipped[cut] = static_cast<char>(flipped[cut] ^ 0x5A);
        EXPECT_LE(Load(flipped), 0);
    }
}

TEST(ContentStreamReader, RunsComeBackUnescaped) {
    const std::string data = "BT\n(a\\)b) Tj\nET\n(\\\\\\(x\\)\\r\\n) Tj\nxx\n";
    auto object = [&](const std::string& length) {
        return "7 0 obj\n<</Length " + length + " >>\nstream\n" + data + "\nendstream\nendobj\n";
    };
    std::vector<std::string> runs;
    std::string good = object(std::to_string(data.size()));
    ASSERT_EQ(ReadOwnContentStream(good, good, runs), 0);
    EXPECT_EQ(runs, (std::vector<std::string>{"a)b", "\\(x)\r\n"}));
    for (const std::string& length : {std::to_string(data.size() + 100000), std::string("3")}) {
        std::string bad = object(length);  // past the file, or not ending at "endstream"
        EXPECT_EQ(ReadOwnContentStream(bad, bad, runs), -5) << length;
    }
    EXPECT_EQ(ReadOwnContentStream("7 0 obj\n<</Length 4>>\n", "7 0 obj\n<</Length 4>>\n", runs),
              -4);
    std::string junk = "7 0 obj\n<</Length 5 /Filter /FlateDecode >>\nstream\nxxxxx\nendstream\n";
    EXPECT_EQ(ReadOwnContentStream(junk, junk, runs), -85);
}

TEST_F(PdfChecks, RepeatedPagesAndHugeTextsAreRefused) {
    std::string text;
    for (int i = 0; i < 60; ++i) text += "line\r\n";
    std::string own = Own(text);  // two pages: /Kids[5 0 R 7 0 R]
    std::string twice = own;
    size_t kids = twice.find("/Kids[5 0 R 7 0 R]");
    ASSERT_NE(kids, std::string::npos);
    twice.replace(kids, 18, "/Kids[5 0 R 5 0 R]");  // the same page listed twice
    EXPECT_EQ(Load(twice), -1080);
    EXPECT_EQ(Load(own), 0);
}

TEST(Import, ManySourceEntriesForOneLineCostTheirLengthOnly) {
    vorPages pages;
    pages.AddNewPage().GetContent(1).AddText("end", "", 10, 0, 0, "", 0, "");
    std::vector<std::string> source(200000, "1:ab");
    std::string text = RebuildSourceText(pages, source);  // quadratic would take minutes
    EXPECT_EQ(text.size(), 400003u);
    EXPECT_EQ(text.substr(text.size() - 5), "abend");
}

TEST(Import, LineEndsInsideALineSurviveEveryFormat) {
    test::TempDir dir;
    std::string text = "a\rb\r\n<set>x=50\r\nc\nd";
    for (auto [target, name] : {std::pair{10, "l.pdf"}, std::pair{20, "l.htm"}, std::pair{40, "l.svg"}}) {
        vorDocument writer;
        writer.AddBuffer(text, test::DefaultFormat(), "", target);
        ASSERT_EQ(writer.SaveAs(dir.File(name), target), 0);
        vorDocument reader;
        ASSERT_EQ(reader.LoadFile(dir.File(name)), 0) << name;
        std::string back;
        reader.GetText(back);
        EXPECT_EQ(back, text) << name;
    }
}

}  // namespace
}  // namespace scrivane
