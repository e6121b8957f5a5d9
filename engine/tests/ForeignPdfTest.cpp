// The conversion of PDF files other programs wrote: file checks, text placement, word
// spaces, reading order, fonts' encodings, limits, damaged files, and the words of the
// sample files under testdata/foreign/ against pdftotext's.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "import/ForeignPdf.h"
#include "import/PdfReader.h"
#include "pdf/Compression.h"
#include "util/Encoding.h"

namespace scrivane {
namespace {

// A PDF file put together from object bodies, with a correct cross-reference table.
class PdfBuilder {
public:
    int Add(std::string body) {
        objects_.push_back(std::move(body));
        return static_cast<int>(objects_.size());
    }
    static std::string Stream(const std::string& dict, const std::string& data) {
        return "<< " + dict + " /Length " + std::to_string(data.size()) + " >>\nstream\n" +
               data + "\nendstream";
    }
    static std::string Ref(int n) { return std::to_string(n) + " 0 R"; }

    std::string Build(int root, int info = 0) const {
        std::string out = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
        std::vector<size_t> offsets;
        for (size_t i = 0; i < objects_.size(); ++i) {
            offsets.push_back(out.size());
            out += std::to_string(i + 1) + " 0 obj\n" + objects_[i] + "\nendobj\n";
        }
        size_t xref = out.size();
        out += "xref\n0 " + std::to_string(objects_.size() + 1) + "\n0000000000 65535 f \n";
        for (size_t offset : offsets) {
            char entry[24];
            std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
            out += entry;
        }
        out += "trailer\n<< /Size " + std::to_string(objects_.size() + 1) + " /Root " +
               Ref(root) + (info ? " /Info " + Ref(info) : "") + " >>\nstartxref\n" +
               std::to_string(xref) + "\n%%EOF\n";
        return out;
    }

    // One page showing content; the objects added so far can be named in resources.
    std::string OnePage(const std::string& content, const std::string& resources = kHelvetica,
                        const std::string& mediaBox = "[0 0 612 792]") {
        int stream = Add(Stream("", content));
        int pages = static_cast<int>(objects_.size()) + 2;
        int page = Add("<< /Type /Page /Parent " + Ref(pages) + " /MediaBox " + mediaBox +
                       " /Resources " + resources + " /Contents " + Ref(stream) + " >>");
        Add("<< /Type /Pages /Kids [" + Ref(page) + "] /Count 1 >>");
        return Build(Add("<< /Type /Catalog /Pages " + Ref(pages) + " >>"));
    }

    static inline const std::string kHelvetica =
        "<< /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica "
        "/Encoding /WinAnsiEncoding >> >> >>";

private:
    std::vector<std::string> objects_;
};

struct Converted {
    int16_t status = 0;
    vorPages pages;
    vorInfos infos;
    // The texts of page n's runs, in order.
    std::vector<std::string> Texts(int n = 1) {
        std::vector<std::string> texts;
        if (n > pages.PagesCount()) return texts;
        for (const vorText& run : pages[n].GetContent(1).Texts) texts.push_back(run.TextValue);
        return texts;
    }
    const vorText& Run(size_t i, int n = 1) { return pages[n].GetContent(1).Texts.at(i); }
};

Converted ConvertBytes(const std::string& bytes, const ForeignPdfLimits& limits = {}) {
    test::TempDir dir;
    std::string path = dir.File("in.pdf");
    test::WriteFile(path, bytes);
    Converted result;
    result.status = ConvertForeignPdf(path, result.pages, result.infos, limits);
    return result;
}

using Texts = std::vector<std::string>;

TEST(ForeignPdfFile, FileChecksComeBeforeParsing) {
    test::TempDir dir;
    vorPages pages;
    vorInfos infos;
    EXPECT_EQ(ConvertForeignPdf("", pages, infos), kPdfNoFileName);
    EXPECT_EQ(ConvertForeignPdf(dir.File("none.pdf"), pages, infos), kPdfFileMissing);
    EXPECT_EQ(ConvertBytes("%PDF-1.4\n%%EOF\n").status, kPdfTooShort);
    EXPECT_EQ(ConvertBytes(std::string(200, 'x') + "%%EOF").status, kPdfNoHeader);
    EXPECT_EQ(ConvertBytes("%PDF-1.4\n" + std::string(200, ' ')).status, kPdfNoEof);
    EXPECT_EQ(ConvertBytes("%PDF-1.4\n" + std::string(200, '(') + "\n%%EOF\n").status,
              kPdfUnreadable);
    EXPECT_EQ(pages.PagesCount(), 0);
}

TEST(ForeignPdfFile, InfoStringsBecomeWindows1252) {
    PdfBuilder pdf;
    // UTF-16 with a character Windows-1252 lacks; PDFDocEncoding's em dash is 0x84.
    int info = pdf.Add("<< /Title <FEFF0043006100660065 00E9 0020 2013 0020 2603> "
                       "/Author (A\\204B) /Subject (plain) /Keywords <FEFF0078> >>");
    int pages = pdf.Add("<< /Type /Pages /Kids [] /Count 0 >>");
    Converted c = ConvertBytes(pdf.Build(pdf.Add("<< /Type /Catalog /Pages 2 0 R >>"), info));
    ASSERT_EQ(c.status, 0);
    (void)pages;
    EXPECT_EQ(c.infos.title, "Cafe\xE9 \x96 ?");
    EXPECT_EQ(c.infos.author, "A\x97" "B");
    EXPECT_EQ(c.infos.subject, "plain");
    EXPECT_EQ(c.infos.keywords, "x");
    EXPECT_EQ(c.pages.PagesCount(), 0);
}

TEST(ForeignPdfText, PositionsAreFromTheTopLeftAndSizesAsDrawn) {
    PdfBuilder pdf;
    Converted c = ConvertBytes(pdf.OnePage(
        "q 2 0 0 2 0 0 cm BT /F1 10 Tf 10 100 Td (big) Tj ET Q\n"
        "BT /F1 10 Tf 10 300 Td (small) Tj ET\n"
        "BT /F1 1 Tf 12 0 0 12 300 400 Tm (matrix) Tj ET\n"
        "BT /F1 10 Tf 14 TL 72 700 Td (one) Tj T* (two) Tj (three) ' 1 0 (four) \" ET",
        PdfBuilder::kHelvetica, "[100 100 695.3 941.9]"));
    ASSERT_EQ(c.status, 0);
    ASSERT_EQ(c.pages.PagesCount(), 1);
    EXPECT_EQ(c.pages[1].PageWidth, 595);
    EXPECT_EQ(c.pages[1].PageHeight, 842);
    ASSERT_EQ(c.Texts(), (Texts{"one", "two", "three", "four", "matrix", "small", "big"}));
    // The box starts at (100, 100): x counts from 100, y down from 941.9.
    EXPECT_DOUBLE_EQ(c.Run(0).x, -28);
    EXPECT_NEAR(c.Run(0).y, 241.9, 1e-9);
    EXPECT_NEAR(c.Run(3).y, 241.9 + 3 * 14, 1e-9);
    EXPECT_EQ(c.Run(4).fontsize, 12);
    EXPECT_DOUBLE_EQ(c.Run(4).x, 200);
    EXPECT_EQ(c.Run(5).fontsize, 10);
    EXPECT_EQ(c.Run(6).fontsize, 20);
    EXPECT_DOUBLE_EQ(c.Run(6).x, -80);
    EXPECT_NEAR(c.Run(6).y, 741.9, 1e-9);
    EXPECT_EQ(c.Run(0).fontname, "");
}

TEST(ForeignPdfText, PageTreePassesAttributesDown) {
    PdfBuilder pdf;
    int content1 = pdf.Add(PdfBuilder::Stream("", "BT /F1 10 Tf 72 700 Td"));
    int content2 = pdf.Add(PdfBuilder::Stream("", "(two streams) Tj ET"));
    int content3 = pdf.Add(PdfBuilder::Stream("", "BT /F1 10 Tf 72 700 Td (second page) Tj ET"));
    // 4: root of the tree, 5: an inner node, 6 and 7: pages.
    pdf.Add("<< /Type /Pages /Kids [5 0 R] /Count 2 /MediaBox [0 0 400 500] /Resources " +
            PdfBuilder::kHelvetica + " >>");
    pdf.Add("<< /Type /Pages /Parent 4 0 R /Kids [6 0 R 7 0 R 5 0 R] /Count 2 >>");
    pdf.Add("<< /Type /Page /Parent 5 0 R /Contents [" + PdfBuilder::Ref(content1) + " " +
            PdfBuilder::Ref(content2) + "] >>");
    pdf.Add("<< /Type /Page /Parent 5 0 R /MediaBox [0 0 300 300] /Contents " +
            PdfBuilder::Ref(content3) + " >>");
    Converted c = ConvertBytes(pdf.Build(pdf.Add("<< /Type /Catalog /Pages 4 0 R >>")));
    ASSERT_EQ(c.status, 0);
    ASSERT_EQ(c.pages.PagesCount(), 2);  // the node that names itself again adds nothing
    EXPECT_EQ(c.pages[1].PageHeight, 500);
    EXPECT_EQ(c.pages[2].PageHeight, 300);
    EXPECT_EQ(c.Texts(1), Texts{"two streams"});
    EXPECT_EQ(c.Texts(2), Texts{"second page"});
    EXPECT_DOUBLE_EQ(c.Run(0, 2).y, -400);
}

TEST(ForeignPdfText, GapsKerningAndSpacingDecideWordSpaces) {
    PdfBuilder pdf;
    // Helvetica at 10 pt: "Hel" is 15 pt wide, "lo" 7.78 pt; a space is 2.78 pt.
    Converted c = ConvertBytes(pdf.OnePage(
        "BT /F1 10 Tf 72 700 Td (Hel) Tj 15 0 Td (lo) Tj 10.78 0 Td (World) Tj ET\n"
        "BT /F1 10 Tf 72 650 Td (tou) Tj 15.4 0 Td (ching) Tj ET\n"
        "BT /F1 10 Tf 72 600 Td [(Wor) -150 (ld) -250 (wide)] TJ ET\n"
        "BT /F1 10 Tf 72 550 Td 2.5 Tc (AS) Tj 0.5 Tc 20 0 Td (AS) Tj ET\n"
        "BT /F1 10 Tf 72 500 Td 0 Tc -2.5 Tw (a b) Tj 0 Tw 30 0 Td (c d) Tj ET"));
    ASSERT_EQ(c.status, 0);
    EXPECT_EQ(c.Texts(), (Texts{"Hello World", "touching", "World wide", "A S AS", "ab c d"}));
}

TEST(ForeignPdfText, RunsComeInReadingOrder) {
    PdfBuilder pdf;
    Converted c = ConvertBytes(pdf.OnePage(
        "BT /F1 10 Tf 72 600 Td (third) Tj ET\n"
        "BT /F1 10 Tf 200 700 Td (right) Tj ET\n"
        "BT /F1 10 Tf 72 701.5 Td (left) Tj ET\n"
        "BT /F1 10 Tf 72 650 Td (second) Tj ET\n"
        "BT /F1 10 Tf 72 696 Td (below) Tj ET\n"
        "BT /F1 10 Tf 300 700 Td (far) Tj 15 3 Td /F1 6 Tf (2) Tj ET"));
    ASSERT_EQ(c.status, 0);
    EXPECT_EQ(c.Texts(), (Texts{"left right far 2", "below", "second", "third"}));
    EXPECT_DOUBLE_EQ(c.Run(0).x, 72);
    EXPECT_DOUBLE_EQ(c.Run(0).y, 90.5);
}

TEST(ForeignPdfText, SimpleFontEncodingsAndWidths) {
    PdfBuilder pdf;
    int toUnicode = pdf.Add(PdfBuilder::Stream(
        "", "begincmap 1 begincodespacerange <00> <FF> endcodespacerange "
            "1 beginbfchar <41> <0062> endbfchar endcmap"));
    std::string font = "<< /Type /Font /Subtype /Type1 /BaseFont /Times-Roman ";
    std::string resources =
        "<< /Font << /D " + font +
        "/Encoding << /BaseEncoding /WinAnsiEncoding "
        "/Differences [65 /eacute /quoteright /fi /uni00E7 /a.sc /f_l /notaglyph] >> >> "
        "/M " + font + "/Encoding /MacRomanEncoding >> "
        "/S " + font + "/Encoding /StandardEncoding >> "
        "/N " + font + ">> "
        "/U " + font + "/ToUnicode " + PdfBuilder::Ref(toUnicode) + " >> "
        "/W " + font + "/FirstChar 65 /Widths [1000] >> >> >>";
    Converted c = ConvertBytes(pdf.OnePage(
        "BT /D 10 Tf 72 700 Td (ABCDEFG) Tj ET\n"
        "BT /M 10 Tf 72 680 Td (\\216\\325) Tj ET\n"
        "BT /S 10 Tf 72 660 Td (\\047\\341) Tj ET\n"
        "BT /N 10 Tf 72 640 Td (\\047\\351) Tj ET\n"
        "BT /U 10 Tf 72 620 Td (AB) Tj ET\n"
        // The font's own width of A (10 pt) makes the next string touch it.
        "BT /W 10 Tf 72 600 Td (A) Tj 10 0 Td (A) Tj ET",
        resources));
    ASSERT_EQ(c.status, 0);
    EXPECT_EQ(c.Texts(), (Texts{"\xE9\x92" "fi\xE7" "afl" "G", "\xE9\x92", "\x92\xC6", "'\xE9",
                                "bB", "AA"}));
}

TEST(ForeignPdfText, CompositeFontsReadThroughToUnicode) {
    PdfBuilder pdf;
    int toUnicode = pdf.Add(PdfBuilder::Stream(
        "", "/CIDInit /ProcSet findresource begin 12 dict begin begincmap\n"
            "1 begincodespacerange <0000> <FFFF> endcodespacerange\n"
            "2 beginbfchar <0001> <0048> <0002> <00E9> endbfchar\n"
            "2 beginbfrange <0010> <0012> <0061>\n<0020> <0021> [<0066006C> <D83DDE00>]\n"
            "endbfrange endcmap"));
    std::string resources =
        "<< /Font << /F0 << /Type /Font /Subtype /Type0 /BaseFont /Sans /Encoding /Identity-H "
        "/DescendantFonts [<< /Type /Font /Subtype /CIDFontType2 /BaseFont /Sans /DW 500 "
        "/W [1 [600 700] 10 20 250] >>] /ToUnicode " + PdfBuilder::Ref(toUnicode) + " >> >> >>";
    // 600 + 700 + 3 * 250 + 500 + 500 = 3050: the second string starts where it ends.
    Converted c = ConvertBytes(pdf.OnePage(
        "BT /F0 10 Tf 72 700 Td <00010002001000110012 00200021> Tj 30.5 0 Td <0001> Tj ET",
        resources));
    ASSERT_EQ(c.status, 0);
    EXPECT_EQ(c.Texts(), Texts{"H\xE9" "abcfl?H"});
}

TEST(ForeignPdfText, ColourOperatorsGiveTheRunColour) {
    PdfBuilder pdf;
    Converted c = ConvertBytes(pdf.OnePage(
        "BT /F1 10 Tf 1 0 0 rg 72 700 Td (red) Tj ET\n"
        "BT /F1 10 Tf 0.5 g 72 680 Td (grey) Tj ET\n"
        "BT /F1 10 Tf 1 0 0 0 k 72 660 Td (cyan) Tj ET\n"
        "q 0 0 1 sc BT /F1 10 Tf 72 640 Td (blue) Tj ET Q\n"
        "BT /F1 10 Tf 72 620 Td (restored) Tj ET"));
    ASSERT_EQ(c.status, 0);
    ASSERT_EQ(c.Texts().size(), 5u);
    EXPECT_EQ(c.Run(0).fontcolor, "255 0 0");
    EXPECT_EQ(c.Run(1).fontcolor, "128 128 128");
    EXPECT_EQ(c.Run(2).fontcolor, "0 255 255");
    EXPECT_EQ(c.Run(3).fontcolor, "0 0 255");
    EXPECT_EQ(c.Run(4).fontcolor, "0 255 255");  // Q brings back the colour before q
}

TEST(ForeignPdfText, FormsAreDrawnToABoundedDepth) {
    PdfBuilder pdf;
    // Forms 1..4, each showing its number and drawing the next; form 1 also draws itself.
    for (int i = 1; i <= 4; ++i) {
        std::string next = i < 4 ? "/N " + PdfBuilder::Ref(i + 1) : "";
        pdf.Add(PdfBuilder::Stream(
            "/Type /XObject /Subtype /Form /BBox [0 0 500 500] /Matrix [1 0 0 1 10 -20] "
            "/Resources << /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> >> "
            "/XObject << " + next + " /Self 1 0 R >> >>",
            "BT /F1 10 Tf 72 700 Td (form" + std::to_string(i) + ") Tj ET /N Do /Self Do"));
    }
    std::string resources = "<< /XObject << /X 1 0 R >> >>";
    std::string page = pdf.OnePage("q 1 0 0 1 0 -100 cm /X Do Q /X Do", resources);
    Converted c = ConvertBytes(page);
    ASSERT_EQ(c.status, 0);
    EXPECT_EQ(c.Texts(), (Texts{"form1", "form2", "form3", "form4", "form1", "form2", "form3",
                                "form4"}));
    EXPECT_DOUBLE_EQ(c.Run(0).x, 82);
    EXPECT_DOUBLE_EQ(c.Run(0).y, 112);
    EXPECT_DOUBLE_EQ(c.Run(4).y, 212);

    ForeignPdfLimits shallow;
    shallow.maxFormDepth = 2;
    EXPECT_EQ(ConvertBytes(page, shallow).Texts(), (Texts{"form1", "form2", "form1", "form2"}));
}

TEST(ForeignPdfText, FontsOfTheSameNameInOtherResourcesStayApart) {
    PdfBuilder pdf;
    pdf.Add(PdfBuilder::Stream(
        "/Type /XObject /Subtype /Form /BBox [0 0 500 500] /Resources << /Font << /F1 << "
        "/Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding << /Differences [65 /Z] >> "
        ">> >> >>",
        "BT /F1 10 Tf 72 650 Td (A) Tj ET"));
    Converted c = ConvertBytes(pdf.OnePage(
        "BT /F1 10 Tf 72 700 Td (A) Tj ET /X Do BT /F1 10 Tf 72 600 Td (A) Tj ET",
        "<< /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> >> "
        "/XObject << /X 1 0 R >> >>"));
    ASSERT_EQ(c.status, 0);
    EXPECT_EQ(c.Texts(), (Texts{"A", "Z", "A"}));
}

TEST(ForeignPdfText, DamagedContentIsSkippedNotFatal) {
    std::string huge(200, '9');  // 1e200: squared, no longer a finite number
    PdfBuilder pdf;
    Converted c = ConvertBytes(pdf.OnePage(
        "BT /F1 10 Tf 72 700 Td (before) Tj ) ] >> } 1 2 3 4 5 6 7 8 Tj ET\n"
        "BI /W 4 /H 1 /BPC 8 /CS /G ID \x01(x) Tj\xFF EI\n"
        "BT /Nofont 10 Tf 72 680 Td (no font) Tj /F1 Tf ET\n"
        "BT /F1 10 Tf 72 670 Td [ [ 1 ] (nested) ] TJ ET\n"
        "q " + huge + " 0 0 " + huge + " 0 0 cm " + huge + " 0 0 " + huge + " 0 0 cm\n"
        "BT /F1 10 Tf 5 5 Td (lost) Tj ET Q\n"
        "BT /F1 10 Tf 72 660 Td (after) Tj ET <</Unclosed"));
    ASSERT_EQ(c.status, 0);
    EXPECT_EQ(c.Texts(), (Texts{"before", "no font", "nested", "after"}));
}

TEST(ForeignPdfLimits, OperatorAndTextLimitsCutTheConversion) {
    std::string content;
    for (int i = 0; i < 1000; ++i) {
        content += "BT /F1 10 Tf 72 " + std::to_string(780 - i * 12) + " Td (w" +
                   std::to_string(i) + ") Tj ET\n";
    }
    PdfBuilder pdf;
    std::string bytes = pdf.OnePage(content);
    EXPECT_EQ(ConvertBytes(bytes).Texts().size(), 1000u);

    ForeignPdfLimits fewOperators;
    fewOperators.maxOperatorsPerPage = 100;  // five operators a run
    Converted cut = ConvertBytes(bytes, fewOperators);
    EXPECT_EQ(cut.status, 0);
    EXPECT_EQ(cut.Texts().size(), 20u);
    EXPECT_EQ(cut.Texts().front(), "w0");

    ForeignPdfLimits littleText;
    littleText.maxTextBytes = 5 * 50;  // "w0".."w4" and 48 for each run
    EXPECT_EQ(ConvertBytes(bytes, littleText).Texts().size(), 5u);
}

TEST(ForeignPdfLimits, StreamsThatInflateTooFarAreCutOrRefused) {
    // A content stream of 8 MB that deflates to a few kilobytes.
    std::string data = "BT /F1 10 Tf 72 700 Td (start) Tj ET\n" + std::string(8 << 20, ' ') +
                       "BT /F1 10 Tf 72 600 Td (end) Tj ET";
    ASSERT_EQ(Compress(data), 0);
    ASSERT_LT(data.size(), 50000u);
    PdfBuilder pdf;
    int stream = pdf.Add(PdfBuilder::Stream("/Filter /FlateDecode", data));
    pdf.Add("<< /Type /Page /Parent 3 0 R /MediaBox [0 0 612 792] /Resources " +
            PdfBuilder::kHelvetica + " /Contents " + PdfBuilder::Ref(stream) + " >>");
    pdf.Add("<< /Type /Pages /Kids [2 0 R] /Count 1 >>");
    std::string bytes = pdf.Build(pdf.Add("<< /Type /Catalog /Pages 3 0 R >>"));
    ForeignPdfLimits small;
    small.maxStreamBytes = 1 << 20;
    EXPECT_EQ(ConvertBytes(bytes).Texts(), (Texts{"start", "end"}));
    EXPECT_EQ(ConvertBytes(bytes, small).Texts(), Texts{"start"});
    small.maxStreamBytes = 64 << 20;
    small.maxDecodedBytes = 1 << 20;
    EXPECT_EQ(ConvertBytes(bytes, small).Texts(), Texts{"start"});

    // A cross-reference stream that would inflate to 8 MB: refused before qpdf opens it.
    std::string xref(8 << 20, '\0');
    ASSERT_EQ(Compress(xref), 0);
    std::string file = "%PDF-1.5\n1 0 obj\n" +
                       PdfBuilder::Stream("/Type /XRef /Size 2 /W [1 4 2] /Root 2 0 R "
                                          "/Filter /FlateDecode", xref) +
                       "\nendobj\nstartxref\n9\n%%EOF\n";
    small.maxStreamBytes = 1 << 20;
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ConvertBytes(file, small).status, kPdfUnreadable);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    // Object streams must fit as well.
    std::string objectStreams = test::ReadFile(SCRIVANE_TESTDATA "/foreign/pango-objstm.pdf");
    ASSERT_NE(objectStreams.find("/ObjStm"), std::string::npos);
    EXPECT_EQ(ConvertBytes(objectStreams).status, 0);
    small.maxStreamBytes = 600;
    EXPECT_EQ(ConvertBytes(objectStreams, small).status, kPdfUnreadable);
}

std::vector<std::string> SampleFiles() {
    std::vector<std::string> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(SCRIVANE_TESTDATA "/foreign")) {
        if (entry.path().extension() == ".pdf") files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(ForeignPdfFile, DamagedCopiesGiveACodeAndNeverHang) {
    // A fixed sequence, so that a failure can be replayed.
    unsigned long long seed = 88172645463325252ull;
    auto next = [&seed](size_t bound) {
        seed ^= seed << 13;
        seed ^= seed >> 7;
        seed ^= seed << 17;
        return static_cast<size_t>(seed % bound);
    };
    std::vector<std::string> files = SampleFiles();
    ASSERT_FALSE(files.empty());
    for (const std::string& file : files) {
        std::string original = test::ReadFile(file);
        for (int round = 0; round < 24; ++round) {
            std::string bytes = original;
            switch (round % 3) {
                case 0:  // cut short, the end marker kept
                    bytes.resize(100 + next(bytes.size() - 100));
                    bytes += "\n%%EOF\n";
                    break;
                case 1:  // bytes overwritten
                    for (int i = 0; i < 12; ++i) {
                        bytes[next(bytes.size())] = static_cast<char>(next(256));
                    }
                    break;
                default:  // a piece taken out
                    bytes.erase(20 + next(bytes.size() - 40), 1 + next(400));
                    break;
            }
            auto start = std::chrono::steady_clock::now();
            Converted c = ConvertBytes(bytes);
            EXPECT_TRUE(c.status == 0 || c.status == kPdfUnreadable || c.status == kPdfNoEof ||
                        c.status == kPdfTooShort || c.status == kPdfNoHeader)
                << file << " round " << round << ": " << c.status;
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
        }
    }
}

// Words: runs of letters and digits, Windows-1252 letters included. Punctuation and
// hyphens split words on both sides alike.
std::vector<std::string> Words(const std::string& cp1252) {
    std::vector<std::string> words;
    std::string word;
    for (char ch : cp1252) {
        auto c = static_cast<unsigned char>(ch);
        bool letter = std::isalnum(c) || (c >= 0xC0 && c != 0xD7 && c != 0xF7) || c == 0x8A ||
                      c == 0x8C || c == 0x8E || c == 0x9A || c == 0x9C || c == 0x9E || c == 0x9F;
        if (letter) {
            word.push_back(ch);
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

// The length of the longest common subsequence of two word lists.
size_t CommonWords(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    std::vector<size_t> row(b.size() + 1, 0), previous(b.size() + 1, 0);
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j) {
            row[j] = a[i - 1] == b[j - 1] ? previous[j - 1] + 1 : std::max(previous[j], row[j - 1]);
        }
        std::swap(row, previous);
    }
    return previous[b.size()];
}

TEST(ForeignPdfWords, SampleFilesReadAsPdftotextReadsThem) {
    if (test::RunCommand("pdftotext -v") != 0) GTEST_SKIP() << "pdftotext is not installed";
    std::vector<std::string> files = SampleFiles();
    ASSERT_GE(files.size(), 4u);
    for (const std::string& file : files) {
        std::string expected;
        std::string command = "pdftotext -q -layout -enc UTF-8 '" + file + "' -";
        ASSERT_EQ(test::RunCommand(command, &expected), 0);
        std::vector<std::string> theirs = Words(Utf8ToCp1252(expected));

        Converted c;
        c.status = ConvertForeignPdf(file, c.pages, c.infos);
        ASSERT_EQ(c.status, 0) << file;
        std::string text;
        for (int n = 1; n <= c.pages.PagesCount(); ++n) {
            for (const std::string& line : c.Texts(n)) text += line + "\n";
        }
        std::vector<std::string> ours = Words(text);
        ASSERT_GT(theirs.size(), 100u) << file;
        double ratio = static_cast<double>(CommonWords(ours, theirs)) /
                       static_cast<double>(std::max(ours.size(), theirs.size()));
        std::printf("  %-22s %4zu words, pdftotext %4zu, in order %.1f %%\n",
                    std::filesystem::path(file).filename().c_str(), ours.size(), theirs.size(),
                    ratio * 100);
        EXPECT_GE(ratio, 0.95) << file;
    }
}

}  // namespace
}  // namespace scrivane
