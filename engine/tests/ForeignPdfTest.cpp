// The conversion of PDF files other programs wrote: file checks, text operators and
// fonts' encodings, limits against hostile files, damaged files, and the words of the
// sample files under testdata/foreign/ against pdftotext's.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "import/ForeignPdf.h"
#include "import/PdfReader.h"
#include "pdf/Compression.h"
#include "util/Encoding.h"

namespace scrivane {
namespace {

using Texts = std::vector<std::string>;
using Lines = std::vector<Texts>;  // the texts of each page's runs, in order

std::string Stream(const std::string& dict, const std::string& data) {
    return "<< " + dict + " /Length " + std::to_string(data.size()) + " >>\nstream\n" + data +
           "\nendstream";
}

// Resources with Helvetica as /F1, and more entries after it.
std::string Resources(const std::string& more = "") {
    return "<< /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica "
           "/Encoding /WinAnsiEncoding >> >> " + more + " >>";
}

// A PDF file of the given objects (object n is objects[n - 1], the last one the catalog),
// with a correct cross-reference table.
std::string Build(const Texts& objects, const std::string& trailer = "") {
    std::string out = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n", size = std::to_string(objects.size() + 1);
    std::string table = "xref\n0 " + size + "\n0000000000 65535 f \n";
    for (size_t i = 0; i < objects.size(); ++i) {
        char entry[24];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", out.size());
        table += entry;
        out += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    return out + table + "trailer\n<< /Size " + size + " /Root " + std::to_string(objects.size()) +
           " 0 R " + trailer + " >>\nstartxref\n" + std::to_string(out.size()) + "\n%%EOF\n";
}

// One page drawn by the content stream; resources may name the objects given as 1 0 R on.
std::string OnePage(const std::string& stream, const std::string& resources = Resources(),
                    Texts objects = {}, const std::string& box = "[0 0 612 792]") {
    auto ref = [n = objects.size()](size_t k) { return std::to_string(n + k) + " 0 R"; };
    objects.push_back(stream);
    objects.push_back("<< /Type /Page /Parent " + ref(3) + " /MediaBox " + box +
                      " /Resources " + resources + " /Contents " + ref(1) + " >>");
    objects.push_back("<< /Type /Pages /Kids [" + ref(2) + "] /Count 1 >>");
    objects.push_back("<< /Type /Catalog /Pages " + ref(3) + " >>");
    return Build(objects);
}

struct Converted {
    int16_t status = 0;
    vorPages pages;
    vorInfos infos;
    Lines lines;
};

Converted Convert(const std::string& bytes, const ForeignPdfLimits& limits = {}) {
    test::TempDir dir;
    test::WriteFile(dir.File("in.pdf"), bytes);
    Converted c;
    c.status = ConvertForeignPdf(dir.File("in.pdf"), c.pages, c.infos, limits);
    for (int n = 1; n <= c.pages.PagesCount(); ++n) {
        c.lines.emplace_back();
        const vorContent& block = c.pages[n].GetContent(1);
        for (const vorText& run : block.Texts) c.lines.back().emplace_back(block.Text(run));
    }
    return c;
}

TEST(ForeignPdfFile, FileChecksGiveTheirCodes) {
    test::TempDir dir;
    vorPages pages;
    vorInfos infos;
    EXPECT_EQ(ConvertForeignPdf("", pages, infos), kPdfNoFileName);
    EXPECT_EQ(ConvertForeignPdf(dir.File("none.pdf"), pages, infos), kPdfFileMissing);
    const std::pair<std::string, int> cases[] = {
        {"%PDF-1.4\n%%EOF\n", kPdfTooShort},
        {std::string(200, 'x') + "%%EOF", kPdfNoHeader},
        {"%PDF-1.4\n" + std::string(200, ' '), kPdfNoEof},
        {"%PDF-1.4\n" + std::string(200, '(') + "\n%%EOF\n", kForeignPdfUnreadable}};
    for (const auto& [bytes, code] : cases) EXPECT_EQ(Convert(bytes).status, code);
}

// The box starts at (100, 100) and ends at 941.9: x counts from 100, y down from 941.9.
// cm, Tm, T*, ' and " move the text; Q brings back the colour.
TEST(ForeignPdfText, RunsCarryPositionSizeAndColour) {
    Converted c = Convert(OnePage(Stream("",
        "q 2 0 0 2 0 0 cm 0 0 1 sc BT /F1 10 Tf 10 100 Td (big) Tj ET Q\n"
        "BT /F1 10 Tf 10 300 Td (small) Tj ET 1 0 0 rg\n"
        "BT /F1 1 Tf 12 0 0 12 300 400 Tm (matrix) Tj ET 0.5 g\n"
        "BT /F1 10 Tf 14 TL 72 700 Td (one) Tj T* (two) Tj 1 0 0 0 k (three) ' 1 0 (four) \" ET"),
        Resources(), {}, "[100 100 695.3 941.9]"));
    ASSERT_EQ(c.lines.size(), 1u);
    EXPECT_EQ(c.pages[1].PageWidth, 595);
    EXPECT_EQ(c.pages[1].PageHeight, 842);
    Texts runs;  // text, x, y, size and colour
    const vorContent& block = c.pages[1].GetContent(1);
    for (const vorText& run : block.Texts) {
        char line[100];
        const std::string text(block.Text(run));
        std::snprintf(line, sizeof line, "%s %g %g %d %s", text.c_str(), run.x, run.y,
                      run.fontsize, block.Colour(run).c_str());
        runs.push_back(line);
    }
    // y is the PDF's own, from the bottom of the 842-point page; lines come top first.
    EXPECT_EQ(runs, (Texts{"one -28 600.1 10 128 128 128", "two -28 586.1 10 128 128 128",
                           "three -28 572.1 10 0 255 255", "four -28 558.1 10 0 255 255",
                           "matrix 200 300.1 12 255 0 0",
                           "small -90 200.1 10 ", "big -80 100.1 20 0 0 255"}));
}

// Pages inherit box and resources; a node that names itself again adds no page. The
// Info strings (UTF-16, or PDFDocEncoding with its em dash 0x84) become UTF-8, every
// character kept.
TEST(ForeignPdfFile, PageTreeAndInfo) {
    Converted c = Convert(Build(
        {Stream("", "BT /F1 10 Tf 72 700 Td"), Stream("", "(two streams) Tj ET"),
         Stream("", "BT /F1 10 Tf 72 700 Td (second page) Tj ET"),
         "<< /Type /Pages /Kids [5 0 R] /Count 2 /MediaBox [0 0 400 500] /Resources " +
             Resources() + " >>",
         "<< /Type /Pages /Parent 4 0 R /Kids [6 0 R 7 0 R 5 0 R] /Count 2 >>",
         "<< /Type /Page /Parent 5 0 R /Contents [1 0 R 2 0 R] >>",
         "<< /Type /Page /Parent 5 0 R /MediaBox [0 0 300 300] /Contents 3 0 R >>",
         "<< /Title <FEFF0043006100660065 00E9 0020 2013 0020 2603> /Author (A\\204B) >>",
         "<< /Type /Catalog /Pages 4 0 R >>"},
        "/Info 8 0 R"));
    EXPECT_EQ(c.lines, (Lines{{"two streams"}, {"second page"}}));
    EXPECT_EQ(c.pages[1].PageHeight, 500);
    EXPECT_EQ(c.pages[2].PageHeight, 300);
    EXPECT_EQ(c.infos.title, "Cafeé – ☃");
    EXPECT_EQ(c.infos.author, "A—B");
}

// Content and fonts of one page, and the lines of text it gives in reading order.
struct TextCase {
    std::string name, content;
    Texts expected;
    std::string resources = Resources();
    Texts objects = {};
    ForeignPdfLimits limits = {};
};

void ExpectLines(const std::vector<TextCase>& cases) {
    for (const TextCase& c : cases) {
        Converted r = Convert(OnePage(Stream("", c.content), c.resources, c.objects), c.limits);
        EXPECT_EQ(r.status, 0) << c.name;
        EXPECT_EQ(r.lines, Lines{c.expected}) << c.name;
    }
}

TEST(ForeignPdfText, OperatorsGiveTheLines) {
    std::string many;
    Texts words;
    for (int i = 0; i < 1000; ++i) {
        words.push_back("w" + std::to_string(i));
        many += "BT /F1 10 Tf 72 " + std::to_string(780 - i * 12) + " Td (" + words.back() +
                ") Tj ET\n";
    }
    const std::string huge(200, '9');  // 1e200: squared, no longer a finite number
    ExpectLines({
        // Helvetica at 10 pt: "Hel" is 15 pt wide, "lo" 7.78 pt; a space is 2.78 pt.
        {"word spaces",
         "BT /F1 10 Tf 72 700 Td <48 656C> Tj 15 0 Td (lo) Tj 10.78 0 Td (World) Tj ET\n"
         "BT /F1 10 Tf 72 650 Td (tou) Tj 15.4 0 Td (ching) Tj ET\n"
         "BT /F1 10 Tf 72 600 Td [(Wor) -150 (ld) -250 (wide)] TJ ET\n"
         "BT /F1 10 Tf 72 550 Td 2.5 Tc (AS) Tj 0.5 Tc 20 0 Td (AS) Tj ET\n"
         "BT /F1 10 Tf 72 500 Td 0 Tc -2.5 Tw (a b) Tj 0 Tw 30 0 Td (c d) Tj ET",
         {"Hello World", "touching", "World wide", "A S AS", "ab c d"}},
        {"reading order",
         "BT /F1 10 Tf 72 600 Td (third) Tj ET BT /F1 10 Tf 200 700 Td (right) Tj ET\n"
         "BT /F1 10 Tf 72 701.5 Td (left) Tj ET BT /F1 10 Tf 72 650 Td (second) Tj ET\n"
         "BT /F1 10 Tf 72 696 Td (below) Tj ET\n"
         "BT /F1 10 Tf 300 700 Td (far) Tj 15 3 Td /F1 6 Tf (2) Tj ET",
         {"left right far 2", "below", "second", "third"}},
        {"damaged content",
         "BT /F1 10 Tf 72 700 Td (before) Tj ) ] >> } 1 2 3 4 5 6 7 8 Tj ET\n"
         "BI /W 4 /H 1 /BPC 8 /CS /G ID \x01(x) Tj\xFF EI\nBT /Nofont 10 Tf 72 680 Td "
         "(no font) Tj /F1 Tf ET BT /F1 10 Tf 72 670 Td [ [ 1 ] (nested) ] TJ ET\n"
         "q " + huge + " 0 0 " + huge + " 0 0 cm " + huge + " 0 0 " + huge + " 0 0 cm\n"
         "BT /F1 10 Tf 5 5 Td (lost) Tj ET Q BT /F1 10 Tf 72 660 Td (after) Tj ET <</Unclosed",
         {"before", "no font", "nested", "after"}},
        {"operator limit", many, Texts(words.begin(), words.begin() + 20), Resources(), {},
         {.maxOperatorsPerPage = 100}},  // five operators a run
        {"text limit", many, Texts(words.begin(), words.begin() + 5), Resources(), {},
         {.maxTextBytes = 5 * 50}}});  // "w0".."w4" and 48 for each run
}

// Forms 1..4 show their number with an /F1 of their own, then draw the next and form 1.
Texts NestedForms() {
    Texts forms;
    for (int i = 1; i <= 4; ++i) {
        const std::string next = i < 4 ? "/N " + std::to_string(i + 1) + " 0 R" : "";
        forms.push_back(Stream(
            "/Type /XObject /Subtype /Form /BBox [0 0 500 500] /Matrix [1 0 0 1 10 -20] "
            "/Resources << /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica "
            "/Encoding << /Differences [102 /F] >> >> >> /XObject << " + next +
                " /Self 1 0 R >> >>",
            "BT /F1 10 Tf 72 700 Td (form" + std::to_string(i) + ") Tj ET /N Do /Self Do"));
    }
    return forms;
}

TEST(ForeignPdfText, FontsAndFormsGiveTheLines) {
    const std::string font = "<< /Type /Font /Subtype /Type1 /BaseFont /Times-Roman ";
    const std::string simple =
        "<< /Font << /D " + font + "/Encoding << /BaseEncoding /WinAnsiEncoding "
        "/Differences [65 /eacute /quoteright /fi /uni00E7 /a.sc /f_l /notaglyph] >> >> "
        "/M " + font + "/Encoding /MacRomanEncoding >> /S " + font +
        "/Encoding /StandardEncoding >> /N " + font + ">> /U " + font + "/ToUnicode 1 0 R >> "
        "/W " + font + "/FirstChar 65 /Widths [1000] >> >> >>";
    const std::string composite =
        "<< /Font << /F0 << /Type /Font /Subtype /Type0 /BaseFont /Sans /Encoding /Identity-H "
        "/DescendantFonts [<< /Type /Font /Subtype /CIDFontType2 /BaseFont /Sans /DW 500 "
        "/W [1 [600 700] 10 20 250] >>] /ToUnicode 1 0 R >> >> >>";
    const std::string drawForms = "BT /F1 10 Tf 72 760 Td (f) Tj ET q 1 0 0 1 0 -100 cm /X Do "
                                  "Q /X Do BT /F1 10 Tf 72 750 Td (f) Tj ET";
    ExpectLines({
        // The font's own width of A (10 pt) makes the second A touch the first.
        {"simple fonts",
         "BT /D 10 Tf 72 700 Td (ABCDEFG) Tj ET BT /M 10 Tf 72 680 Td (\\216\\325) Tj ET\n"
         "BT /S 10 Tf 72 660 Td (\\047\\341) Tj ET BT /N 10 Tf 72 640 Td (\\047\\351) Tj ET\n"
         "BT /U 10 Tf 72 620 Td (AB) Tj ET BT /W 10 Tf 72 600 Td (A) Tj 10 0 Td (A) Tj ET",
         {"\xE9\x92" "fi\xE7" "afl" "G", "\xE9\x92", "\x92\xC6", "'\xE9", "bB", "AA"}, simple,
         {Stream("", "begincmap 1 begincodespacerange <00> <FF> endcodespacerange "
                     "1 beginbfchar <41> <0062> endbfchar endcmap")}},
        // 600 + 700 + 3 * 250 + 500 + 500 = 3050: the second string starts where it ends.
        {"identity-h",
         "BT /F0 10 Tf 72 700 Td <00010002001000110012 00200021> Tj 30.5 0 Td <0001> Tj ET",
         {"H\xE9" "abcfl?H"}, composite,
         {Stream("", "/CIDInit /ProcSet findresource begin 12 dict begin begincmap\n"
                     "1 begincodespacerange <0000> <FFFF> endcodespacerange\n"
                     "2 beginbfchar <0001> <0048> <0002> <00E9> endbfchar\n2 beginbfrange "
                     "<0010> <0012> <0061>\n<0020> <0021> [<0066006C> <D83DDE00>]\n"
                     "endbfrange endcmap")}},
        // Drawn twice, a cycle of forms stops each time where it meets itself.
        {"forms", drawForms,
         {"f", "f", "Form1", "Form2", "Form3", "Form4", "Form1", "Form2", "Form3", "Form4"},
         Resources("/XObject << /X 1 0 R >>"), NestedForms()},
        {"forms, depth limit", drawForms, {"f", "f", "Form1", "Form2", "Form1", "Form2"},
         Resources("/XObject << /X 1 0 R >>"), NestedForms(), {.maxFormDepth = 2}}});
}

TEST(ForeignPdfLimits, StreamsThatInflateTooFarAreCutOrRefused) {
    // A content stream of 8 MB that deflates to a few kilobytes.
    std::string data = "BT /F1 10 Tf 72 700 Td (start) Tj ET\n" + std::string(8 << 20, ' ') +
                       "BT /F1 10 Tf 72 600 Td (end) Tj ET";
    ASSERT_EQ(Compress(data), 0);
    const std::string bytes = OnePage(Stream("/Filter /FlateDecode", data));
    EXPECT_EQ(Convert(bytes).lines, (Lines{{"start", "end"}}));
    EXPECT_EQ(Convert(bytes, {.maxStreamBytes = 1 << 20}).lines, Lines{{"start"}});
    EXPECT_EQ(Convert(bytes, {.maxDecodedBytes = 1 << 20}).lines, Lines{{"start"}});

    // A cross-reference stream that would inflate to 8 MB: refused before qpdf opens it.
    std::string xref(8 << 20, '\0');
    ASSERT_EQ(Compress(xref), 0);
    const std::string file =
        "%PDF-1.5\n1 0 obj\n" +
        Stream("/Type /XRef /Size 2 /W [1 4 2] /Root 2 0 R /Filter /FlateDecode", xref) +
        "\nendobj\nstartxref\n9\n%%EOF\n";
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Convert(file, {.maxStreamBytes = 1 << 20}).status, kForeignPdfUnreadable);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    // Object streams must fit as well.
    EXPECT_EQ(Convert(test::ReadFile(SCRIVANE_TESTDATA "/foreign/pango-objstm.pdf"),
                      {.maxStreamBytes = 600}).status, kForeignPdfUnreadable);
}

// A ToUnicode map and a width array that go over the same codes again and again take
// their share of assignments and no more.
TEST(ForeignPdfLimits, MapsAndWidthsThatRepeatThemselvesStopEarly) {
    std::string map = "2000 beginbfrange", widths = "/W [";
    for (int i = 0; i < 2000; ++i) {
        map += " <0000> <FFFF> <0041>";
        widths += " 0 65535 500";
    }
    const std::string font =
        "<< /Font << /F0 << /Type /Font /Subtype /Type0 /BaseFont /Sans /Encoding /Identity-H "
        "/DescendantFonts [<< /Type /Font /Subtype /CIDFontType2 /BaseFont /Sans " + widths +
        "] >>] /ToUnicode 1 0 R >> >> >>";
    auto start = std::chrono::steady_clock::now();
    Converted c = Convert(OnePage(Stream("", "BT /F0 10 Tf 72 700 Td <0001 0002> Tj ET"), font,
                                  {Stream("", map + " endbfrange")}));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(c.lines, Lines{{"BC"}});
}

// Found by review: pages that share a list naming one stream thousands of times had it
// decoded that often (2,000 such pages took 10 s). Decodings now count against a budget.
TEST(ForeignPdfLimits, StreamsListedOverAndOverStopAtTheDecodingBudget) {
    std::string contents = "[2 0 R";
    for (int i = 0; i < 4096; ++i) contents += " 1 0 R";
    Texts objects = {Stream("", ""), Stream("", "BT /F1 10 Tf 72 700 Td (text) Tj ET"),
                     contents + "]"};
    std::string kids;
    for (int page = 0; page < 3; ++page) {
        objects.push_back("<< /Type /Page /Parent 7 0 R /Resources " + Resources() +
                          " /Contents 3 0 R >>");
        kids += std::to_string(objects.size()) + " 0 R ";
    }
    objects.push_back("<< /Type /Pages /Kids [" + kids + "] /Count 3 >>");
    objects.push_back("<< /Type /Catalog /Pages 7 0 R >>");
    const std::string file = Build(objects);
    EXPECT_EQ(Convert(file).lines, (Lines{{"text"}, {"text"}, {"text"}}));
    EXPECT_EQ(Convert(file, {.maxStreamsDecoded = 5000}).lines, (Lines{{"text"}, {"text"}, {}}));
}

Texts SampleFiles() {
    Texts files;
    for (const auto& entry : std::filesystem::directory_iterator(SCRIVANE_TESTDATA "/foreign")) {
        if (entry.path().extension() == ".pdf") files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Copies cut short, overwritten here and there, or with a piece taken out.
TEST(ForeignPdfFile, DamagedCopiesGiveACodeAndNeverHang) {
    std::mt19937_64 random(88172645463325252ull);  // fixed, so a failure can be replayed
    auto next = [&random](size_t bound) { return static_cast<size_t>(random() % bound); };
    for (const std::string& file : SampleFiles()) {
        const std::string original = test::ReadFile(file);
        for (int round = 0; round < 24; ++round) {
            std::string bytes = original;
            if (round % 3 == 0) {
                bytes.resize(100 + next(bytes.size() - 100));
                bytes += "\n%%EOF\n";
            } else if (round % 3 == 1) {
                for (int i = 0; i < 12; ++i) bytes[next(bytes.size())] = char(next(256));
            } else {
                bytes.erase(20 + next(bytes.size() - 40), 1 + next(400));
            }
            auto start = std::chrono::steady_clock::now();
            const int status = Convert(bytes).status;
            EXPECT_TRUE(status == 0 || status == kForeignPdfUnreadable || status == kPdfNoEof ||
                        status == kPdfTooShort || status == kPdfNoHeader)
                << file << " round " << round << ": " << status;
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
        }
    }
}

// Words: runs of letters and digits, Windows-1252 letters included.
Texts Words(std::string text) {
    for (char& ch : text) {
        if (auto c = static_cast<unsigned char>(ch); c < 0xC0 && !std::isalnum(c)) ch = ' ';
    }
    std::istringstream in(text);
    return Texts(std::istream_iterator<std::string>(in), std::istream_iterator<std::string>());
}

// The share of the longer list that the longest common subsequence of the two covers.
double InOrder(const Texts& a, const Texts& b) {
    std::vector<size_t> row(b.size() + 1, 0), previous(b.size() + 1, 0);
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j) {
            row[j] = a[i - 1] == b[j - 1] ? previous[j - 1] + 1 : std::max(previous[j], row[j - 1]);
        }
        std::swap(row, previous);
    }
    return double(previous[b.size()]) / double(std::max(a.size(), b.size()));
}

TEST(ForeignPdfWords, SampleFilesReadAsPdftotextReadsThem) {
    if (test::RunCommand("pdftotext -v") != 0) GTEST_SKIP() << "pdftotext is not installed";
    const Texts files = SampleFiles();
    ASSERT_GE(files.size(), 4u);
    for (const std::string& file : files) {
        std::string theirs, ours;
        ASSERT_EQ(test::RunCommand("pdftotext -q -layout -enc UTF-8 '" + file + "' -", &theirs), 0);
        Converted c = Convert(test::ReadFile(file));
        ASSERT_EQ(c.status, 0) << file;
        for (const Texts& page : c.lines) {
            for (const std::string& line : page) ours += line + "\n";
        }
        EXPECT_GE(InOrder(Words(ours), Words(Utf8ToCp1252(theirs))), 0.95) << file;
    }
}

}  // namespace
}  // namespace scrivane
