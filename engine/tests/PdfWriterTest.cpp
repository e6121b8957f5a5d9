// The PDF file: object numbering, object texts, cross-reference table and trailer.
#include <gtest/gtest.h>

#include <regex>

#include <zlib.h>
#include <string>

#include "TestSupport.h"
#include "document/vorDocument.h"
#include "pdf/Compression.h"
#include "pdf/PdfObjects.h"
#include "pdf/PdfSyntax.h"

namespace scrivane {
namespace {

EngineOptions Optimized(bool on) {
    EngineOptions options;
    options.optimize = on;
    return options;
}


// The text of object n ("n 0 obj" up to its "endobj").
std::string ObjectText(const std::string& pdf, int n) {
    std::string head = "\n" + std::to_string(n) + " 0 obj\n";
    size_t at = pdf.find(head);
    if (at == std::string::npos) return {};
    size_t end = pdf.find("endobj\n", at);
    return pdf.substr(at + 1, end + 7 - at - 1);
}

// The inflated stream of a content-stream object.
std::string StreamOf(const std::string& object) {
    size_t start = object.find("stream\n") + 7;
    size_t end = object.rfind("\nendstream");
    std::string data = object.substr(start, end - start);
    if (object.find("/FlateDecode") != std::string::npos) {
        EXPECT_EQ(Decompress(data), 0);
    }
    return data;
}

std::string Pdf(vorDocument& doc) {
    std::string bytes;
    EXPECT_EQ(doc.BuildPdf(bytes), 0);
    return bytes;
}

TEST(PdfFile, OnePageOptimizedHasSixObjectsAndAMatchingTrailer) {
    vorDocument doc(Optimized(true));
    doc.AddBuffer("Hello", test::DefaultFormat(), "", 10);
    std::string pdf = Pdf(doc);
    EXPECT_EQ(pdf.substr(0, 9), "%PDF-1.4\n");
    EXPECT_NE(pdf.find("xref\n0 7\n0000000000 65535 f\r\n0000000009 00000 n\r\n"),
              std::string::npos);
    EXPECT_NE(pdf.find("trailer\n<<\n/Size 7\n/Root 2 0 R\n/Info 1 0 R\n>>\nstartxref\n"),
              std::string::npos);
    EXPECT_EQ(ObjectText(pdf, 2), "2 0 obj\n<</Type/Catalog/Pages 3 0 R>>endobj\n");
    EXPECT_EQ(ObjectText(pdf, 3), "3 0 obj\n<</Type/Pages/Count 1/Kids[5 0 R]>>\nendobj\n");
    EXPECT_EQ(ObjectText(pdf, 4),
              "4 0 obj\n<</Type/Font/Subtype/TrueType/Name/F1/BaseFont/Helvetica"
              "/Encoding/WinAnsiEncoding>>\nendobj\n");
    EXPECT_EQ(ObjectText(pdf, 5),
              "5 0 obj\n<</Type/Page/Parent 3 0 R/Resources<</Font<</F1 4 0 R>>>>"
              "/MediaBox[0 0 596 843]/Contents [ 6 0 R ]>>\nendobj\n");
    EXPECT_EQ(StreamOf(ObjectText(pdf, 6)), "BT\n/F1 12 Tf\n40 777 Td\n(Hello) Tj\nET\n");
    EXPECT_EQ(ObjectText(pdf, 7), "");
}

TEST(PdfFile, EveryXrefOffsetPointsAtItsObject) {
    std::string text;
    for (int i = 0; i < 120; ++i) text += "Line (" + std::to_string(i) + ") \\ end\r\n";
    vorDocument doc;
    vorFormat format = test::DefaultFormat();
    format.title = "Offsets";
    doc.UseXMP = true;
    doc.AddBuffer(text, format, "x.pdf.format.vantor.dorvex", 10);
    doc.AddAnnotation("Text", "note (1)", 10, 10, 100, 20, 2);
    std::string pdf = Pdf(doc);

    size_t xref = pdf.rfind("\nxref\n") + 1;
    std::smatch start;
    std::string tail = pdf.substr(pdf.rfind("startxref\n"));
    ASSERT_TRUE(std::regex_search(tail, start, std::regex("startxref\n(\\d+)\n%%EOF")));
    EXPECT_EQ(std::stoul(start[1]), xref);

    std::smatch header;
    std::string table = pdf.substr(xref);
    ASSERT_TRUE(std::regex_search(table, header, std::regex("^xref\n0 (\\d+)\n")));
    int size = std::stoi(header[1]);
    EXPECT_NE(table.find("/Size " + std::to_string(size) + "\n"), std::string::npos);
    size_t entries = xref + header.length(0) + 20;  // after the free entry
    for (int n = 1; n < size; ++n) {
        std::string entry = pdf.substr(entries + 20 * (n - 1), 20);
        ASSERT_EQ(entry.substr(10), " 00000 n\r\n");
        size_t offset = std::stoul(entry.substr(0, 10));
        EXPECT_EQ(pdf.compare(offset, std::to_string(n).size() + 7, std::to_string(n) + " 0 obj\n"), 0)
            << "object " << n;
    }
    test::TempDir dir;
    test::WriteFile(dir.File("offsets.pdf"), pdf);
    EXPECT_EQ(test::QpdfProblems(dir.File("offsets.pdf")), "");
}

TEST(PdfFile, ObjectsAreNumberedFontsPagesBlocksImagesAnnotationsThenMetadataAndSource) {
    test::TempDir dir;
    std::string jpeg = dir.File("pic.jpg");
    test::WriteFile(jpeg, test::MinimalJpeg(8, 8));
    vorDocument doc;
    doc.UseXMP = true;
    doc.AddBuffer("a\r\n<set>xmp=1", test::DefaultFormat(), "", 10);
    doc.AddText("b", 1, 10, 0, 100, "Courier", "", 0, "");
    doc.AddImage(jpeg, 1, 0, 0, 0, 0);
    doc.AddAnnotation("Link", "http://x", 0, 0, 10, 10, 1);
    doc.AddImage(jpeg, 2, 0, 0, 0, 0);
    std::string pdf = Pdf(doc);
    // Info 1, catalog 2, pages 3, fonts 4-5, page 6, block 7, image 8, annotation 9,
    // page 10, block 11 (same image: no new object), metadata 12, source 13.
    EXPECT_NE(ObjectText(pdf, 5).find("/BaseFont/Courier"), std::string::npos);
    EXPECT_NE(ObjectText(pdf, 6).find("/Type/Page/"), std::string::npos);
    EXPECT_NE(ObjectText(pdf, 6).find("/XObject <<\n/I8 8 0 R\n>>\n"), std::string::npos);
    EXPECT_NE(ObjectText(pdf, 6).find("/Annots [ 9 0 R ]\n"), std::string::npos);
    EXPECT_NE(ObjectText(pdf, 8).find("/Subtype /Image\n/Width 8\n"), std::string::npos);
    EXPECT_NE(ObjectText(pdf, 10).find("/XObject <<\n/I8 8 0 R\n>>"), std::string::npos);
    EXPECT_NE(ObjectText(pdf, 12).find("/Type /Metadata"), std::string::npos);
    EXPECT_NE(ObjectText(pdf, 2).find("/Metadata 12 0 R\n"), std::string::npos);
    EXPECT_NE(ObjectText(pdf, 1).find("/FC(13)"), std::string::npos);
    EXPECT_EQ(StreamOf(ObjectText(pdf, 13)), "BT\n/F1 0 Tf\n0 843 Td\n(2:<set>xmp=1) Tj\nET\n");
    EXPECT_EQ(ObjectText(pdf, 14), "");
    test::WriteFile(dir.File("numbered.pdf"), pdf);
    EXPECT_EQ(test::QpdfProblems(dir.File("numbered.pdf")), "");
}

TEST(PdfFile, OutlineEntriesLinkToTheirNeighboursAndCountTheirDescendants) {
    vorDocument doc(Optimized(true));
    vorFormat format = test::DefaultFormat();
    vorFormat heading;
    heading.conditionType = "leftlinevalue";
    heading.show = "RIGHT";
    for (auto [marker, level] : {std::pair{"1 ", 1}, std::pair{"2 ", 2}, std::pair{"3 ", 3}}) {
        heading.conditionValue = marker;
        heading.bk = static_cast<int16_t>(level);
        format.ListeFormats.push_back(heading);
    }
    // Levels 1, 2, 3, 2, 1: numbered depth first after the root.
    doc.AddBuffer("1 A (x)\r\n2 B\r\n3 C\r\n2 D\r\n1 E", format, "", 10);
    doc.AddAnnotation("Link", "http://a/(b)", 100, 100, 400, 200, 1);
    std::string pdf = Pdf(doc);
    // Info 1, catalog 2, pages 3, font 4, page 5, block 6, annotation 7, root 8, A 9,
    // B 10, C 11, D 12, E 13.
    EXPECT_NE(ObjectText(pdf, 2).find("/Outlines 8 0 R\n/PageMode /UseOutlines\n"),
              std::string::npos);
    EXPECT_EQ(ObjectText(pdf, 7),
              "7 0 obj\n<<\n/Type /Annot\n/Subtype /Link\n/Rect [100 743 500 943]\n"
              "/Border [ 0 0 0 ]\n/A << /Type /Action\n/S /URI\n/URI (http://a/\\(b\\))\n"
              ">>\n>>\nendobj\n");
    EXPECT_EQ(ObjectText(pdf, 8),
              "8 0 obj\n<< \n/Type /Outlines\n/First 9 0 R\n/Last 13 0 R\n/Count 5\n>>\n"
              "endobj\n");
    EXPECT_EQ(ObjectText(pdf, 9),
              "9 0 obj\n<< /Title (A \\(x\\))\n/Parent 8 0 R\n/Next 13 0 R\n/Count 3\n"
              "/First 10 0 R\n/Last 12 0 R\n/Dest [5 0 R /FitH 789]\n>>\nendobj\n");
    EXPECT_NE(ObjectText(pdf, 10).find("/Parent 9 0 R\n/Next 12 0 R\n/Count -1\n/First 11 0 R"),
              std::string::npos);  // deeper levels start closed
    EXPECT_NE(ObjectText(pdf, 12).find("/Parent 9 0 R\n/Prev 10 0 R\n/Dest"), std::string::npos);
    EXPECT_NE(ObjectText(pdf, 13).find("/Parent 8 0 R\n/Prev 9 0 R\n/Dest"), std::string::npos);
    test::TempDir dir;
    test::WriteFile(dir.File("outline.pdf"), pdf);
    EXPECT_EQ(test::QpdfProblems(dir.File("outline.pdf")), "");
}

TEST(PdfFile, ProducerKeyStartsAtThe22ndCharacterAndNamesTheOptimizeSwitch) {
    for (bool optimize : {false, true}) {
        vorDocument doc(Optimized(optimize));
        doc.AddBuffer("x", test::DefaultFormat(), "", 10);
        std::string pdf = Pdf(doc);
        EXPECT_EQ(pdf.substr(21, 15), "Dorvex (JTR-1.4");
        EXPECT_EQ(pdf.substr(21, 19), optimize ? "Dorvex (JTR-1.4.0)/" : "Dorvex (JTR-1.4.0-n");
        EXPECT_EQ(pdf.find("/FC(") == std::string::npos, optimize);
    }
}

TEST(PdfFile, InfoValuesAreEscapedAndEmptyOnesLeftOut) {
    vorDocument doc;
    vorFormat format = test::DefaultFormat();
    format.title = "a(b)c\\d";
    format.keywords = "k";
    doc.AddBuffer("", format, "", 10);
    std::string info = ObjectText(Pdf(doc), 1);
    EXPECT_NE(info.find("/Creator(https://vantor.example/jotter)/Title(a\\(b\\)c\\\\d)"
                        "/Keywords(k)/Producer(Vantor Jotter 1.4.0 - https://vantor.example/"
                        "jotter)\n>>\nendobj\n"),
              std::string::npos)
        << info;
    EXPECT_EQ(info.find("/Author"), std::string::npos);
}

// The operators of one block on a fresh 843-point page.
std::string Stream(const vorContent& block, const std::vector<vorFont>& fonts) {
    PdfWriteState state;
    state.fonts = &fonts;
    state.currentPageHeight = 843;
    return ContentStreamText(block, state);
}

TEST(ContentStream, RunsAreEscapedColouredAndPlaced) {
    std::vector<vorFont> fonts{{"Helvetica", "1", "4"}, {"Arial,Bold", "2", "5"}};
    vorContent block;
    block.AddText("a(b)c\\d\tz", "Helvetica", 12, 40.5, 100.25, "", 0, "");
    block.AddText("bold", "Arial,Bold", 9, 10, 10, "255 128 0", 0, "");
    block.AddText("black", "Unknown", 9, 10, 10, "0 0 0", 0, "");
    EXPECT_EQ(Stream(block, fonts),
              "BT\n/F1 12 Tf\n40.5 742.75 Td\n(a\\(b\\)c\\\\d          z) Tj\nET\n"
              "q\nBT\n/F2 9 Tf\n1 0.50196 0 rg\n10 833 Td\n(bold) Tj\nET\nQ\n"
              "q\nBT\n/F1 9 Tf\n10 833 Td\n(black) Tj\nET\nQ\n");
}

TEST(ContentStream, JustifiedRunsSpreadTheirExtraWidth) {
    std::vector<vorFont> fonts{{"Helvetica", "1", "4"}};
    auto justified = [&](const std::string& text, double xdelta) {
        vorContent block;
        block.AddText(text, "Helvetica", 10, 0, 0, "", xdelta, "justify");
        std::string s = Stream(block, fonts);
        return s.substr(3, s.find("/F1") - 3);
    };
    EXPECT_EQ(justified("a b c", 100), "2.5 Tw\n");
    EXPECT_EQ(justified(" ab ", 100), "1.25 Tc\n");  // no inner space: spread per character
    EXPECT_EQ(justified("abc", 0), "0 Tw\n");
    EXPECT_EQ(justified("", 50), "0 Tw\n");  // nothing to spread over, never a division by 0
    EXPECT_EQ(justified("a b", 1), "0.05 Tw\n");
    vorContent plain;
    plain.AddText("a b", "Helvetica", 10, 0, 0, "", 100, "left");
    EXPECT_EQ(Stream(plain, fonts).find("Tw"), std::string::npos);
}

TEST(ContentStream, SpacingLeftByAJustifiedRunIsResetForTheNextRun) {
    std::vector<vorFont> fonts{{"Helvetica", "1", "4"}};
    vorContent block;
    block.AddText("longword", "Helvetica", 10, 0, 0, "", 80, "justify");  // 80/(20*8) Tc
    block.AddText("a b", "Helvetica", 10, 0, 0, "", 40, "justify");      // 2 Tw, 0 Tc
    block.AddText("plain", "Helvetica", 10, 0, 0, "", 0, "");            // 0 Tw
    block.AddText("plain", "Helvetica", 10, 0, 0, "", 0, "");            // nothing to reset
    std::string s = Stream(block, fonts);
    EXPECT_NE(s.find("BT\n0.5 Tc\n/F1"), std::string::npos) << s;
    EXPECT_NE(s.find("BT\n2 Tw\n0 Tc\n/F1"), std::string::npos) << s;
    EXPECT_NE(s.find("BT\n0 Tw\n/F1 10 Tf\n0 843 Td\n(plain)"), std::string::npos) << s;
    EXPECT_NE(s.find("ET\nBT\n/F1 10 Tf\n0 843 Td\n(plain) Tj\nET\n", s.size() - 60),
              std::string::npos)
        << s;
}

TEST(ContentStream, ImagesAndRulesComeBeforeTextInPdfCoordinates) {
    std::vector<vorFont> fonts{{"Helvetica", "1", "4"}};
    vorContent block;
    block.AddText("t", "Helvetica", 10, 0, 0, "", 0, "");
    vorImage image;
    image.ImageWidth = 100;
    image.ImageHeight = 50;
    image.x = 20;
    image.y = 100.5;  // 843 - 100.5 - 50 = 692.5, rounded to the even 692
    image.ImageNumber = "9";
    block.AddImage(image);
    block.AddLine({40, 100.5, 400, 2, 1.5});
    std::string s = Stream(block, fonts);
    EXPECT_EQ(s.substr(0, s.find("BT")),
              "q\n100 0 0 50 20 692 cm\n/I9 Do\nQ\n1.5 w\n40 742 m\n440 740 l\nS\n");
}

TEST(PdfSyntaxRules, ColoursAndNumbers) {
    EXPECT_EQ(ColourOperands("255 128 0"), "1 0.50196 0");
    EXPECT_EQ(ColourOperands("1 254 255"), "0.00392 0.99607 1");
    EXPECT_EQ(ColourOperands("300 -4 x"), "1 0 0");  // clamped, nonsense counts as 0
    EXPECT_EQ(ColourOperands("12"), "0.04705 0 0");
    EXPECT_EQ(EscapeRun("\t"), std::string(10, ' '));
    EXPECT_EQ(EscapeLiteral("\t(\\)"), "\t\\(\\\\\\)");
}

TEST(Compression, RoundTripsAndGrowsPastASmallHint) {
    std::string original;
    for (int i = 0; i < 20000; ++i) original += "BT /F1 12 Tf (same text again) Tj ET\n";
    std::string data = original;
    ASSERT_EQ(Compress(data), 0);
    EXPECT_EQ(LastCompressionSizes().before, original.size());
    EXPECT_EQ(LastCompressionSizes().after, data.size());
    EXPECT_LT(data.size() * 50, original.size());  // inflates far past ten times its size
    ASSERT_EQ(Decompress(data, 16), 0);
    EXPECT_EQ(data, original);
}

// zlib inflates what we write, and the streams are no larger than zlib's best gives.
TEST(Compression, ZlibInflatesItAndItIsNoLargerThanZlibLevelNine) {
    std::string page;
    for (int i = 0; i < 60; ++i) {
        page += "BT\n/F1 12 Tf\n40 " + std::to_string(777 - 16 * i) + " Td\n(Line " +
                std::to_string(i * 7919 % 1000) + " of the harbour ledger, quietly) Tj\nET\n";
    }
    for (const std::string& text : {std::string("short"), page, std::string(300000, 'q')}) {
        std::string ours = text;
        ASSERT_EQ(Compress(ours), 0);
        uLongf size = compressBound(static_cast<uLong>(text.size()));
        std::string zlibs(size, '\0');
        ASSERT_EQ(compress2(reinterpret_cast<Bytef*>(zlibs.data()), &size,
                            reinterpret_cast<const Bytef*>(text.data()), text.size(), 9),
                  Z_OK);
        // Below some tens of bytes the data is stored as it is, a few bytes more than zlib.
        // One byte repeated is no page: there it is enough that it shrinks past 800 times.
        if (text == page) {
            EXPECT_LE(ours.size(), size * 105 / 100);
        } else if (text.size() > 100) {
            EXPECT_LE(ours.size() * 800, text.size());
        }

        uLongf inflatedSize = static_cast<uLongf>(text.size() + 1);
        std::string inflated(inflatedSize, '\0');
        ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(inflated.data()), &inflatedSize,
                             reinterpret_cast<const Bytef*>(ours.data()), ours.size()),
                  Z_OK);
        inflated.resize(inflatedSize);
        EXPECT_EQ(inflated, text);
    }
    std::string fast = "level one";
    ASSERT_EQ(Compress(fast, 1), 0);  // another level after the usual one still round-trips
    ASSERT_EQ(Decompress(fast), 0);
    EXPECT_EQ(fast, "level one");
}

TEST(Compression, EmptyInputGivesTheEightByteStream) {
    std::string data;
    ASSERT_EQ(Compress(data), 0);
    EXPECT_EQ(data.size(), 8u);
    EXPECT_EQ(LastCompressionSizes().before, 0u);
    ASSERT_EQ(Decompress(data), 0);
    EXPECT_EQ(data, "");
}

TEST(Compression, DamagedTruncatedAndOversizedStreamsFailWithoutChangingTheData) {
    std::string original(100000, 'z');
    std::string packed = original;
    ASSERT_EQ(Compress(packed), 0);

    std::string truncated = packed.substr(0, packed.size() / 2);
    EXPECT_NE(Decompress(truncated), 0);
    EXPECT_EQ(truncated, packed.substr(0, packed.size() / 2));

    std::string damaged = packed;
    damaged[0] = '\x01';  // not a zlib header
    EXPECT_NE(Decompress(damaged), 0);

    std::string bounded = packed;
    EXPECT_NE(Decompress(bounded, 0, 50000), 0);  // would inflate past the bound
    EXPECT_EQ(bounded, packed);
    EXPECT_EQ(Decompress(bounded, 0, 100000), 0);  // exactly the bound is fine
}

// A reader of other programs' files keeps what inflated before damage, never past the bound.
TEST(Compression, KeepPrefixModeKeepsWhatInflatedBeforeTheDamage) {
    std::string original;
    for (int i = 0; i < 20000; ++i) original += std::to_string(i * 7919) + " ";
    std::string packed = original;
    ASSERT_EQ(Compress(packed), 0);

    std::string half = packed.substr(0, packed.size() / 2);
    ASSERT_EQ(Decompress(half, 0, kMaxInflatedSize, DamagedStream::kKeepPrefix), 0);
    EXPECT_GT(half.size(), 0u);
    EXPECT_LT(half.size(), original.size());
    EXPECT_EQ(original.compare(0, half.size(), half), 0);

    std::string noHeader = packed;
    noHeader[0] = '\x01';
    ASSERT_EQ(Decompress(noHeader, 0, kMaxInflatedSize, DamagedStream::kKeepPrefix), 0);
    EXPECT_EQ(noHeader, "");

    // All the bytes, then the checksum cut off: the bound is met, not passed.
    std::string noChecksum = packed.substr(0, packed.size() - 4);
    std::string strict = noChecksum;
    EXPECT_NE(Decompress(strict, 0, original.size()), 0);
    EXPECT_EQ(strict, noChecksum);
    ASSERT_EQ(Decompress(noChecksum, 0, original.size(), DamagedStream::kKeepPrefix), 0);
    EXPECT_EQ(noChecksum, original);

    std::string bounded = packed;
    EXPECT_EQ(Decompress(bounded, 0, original.size() - 1, DamagedStream::kKeepPrefix),
              Z_BUF_ERROR);
    EXPECT_EQ(bounded, packed);
    EXPECT_EQ(Decompress(bounded, 0, 0), Z_BUF_ERROR);  // not even one byte may come out
}

TEST(Xmp, PacketCarriesTheTitleOnlyWhenThereIsOne) {
    vorXMP xmp;
    xmp.title = "Caf\xE9 \"quoted\"";
    std::string packet = xmp.toFS(30);
    EXPECT_EQ(packet.rfind("<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>\n", 0), 0u);
    EXPECT_NE(packet.find("xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\""),
              std::string::npos);
    EXPECT_NE(packet.find("<dc:title>Caf\xC3\xA9 \"quoted\"</dc:title>"), std::string::npos);
    EXPECT_NE(packet.find("<?xpacket end='r'?>"), std::string::npos);

    std::string object = xmp.toFS(10);
    EXPECT_EQ(object.find('"'), std::string::npos);  // quotes become apostrophes
    std::smatch length;
    ASSERT_TRUE(std::regex_search(object, length, std::regex("/Length (\\d+) >> stream\n")));
    size_t start = object.find(" stream\n") + 8;
    EXPECT_EQ(object.substr(start + std::stoul(length[1])), "\nendstream\nendobj\n");

    vorXMP untitled;
    EXPECT_EQ(untitled.toFS(30).find("dc:title"), std::string::npos);
}

TEST(SaveAs, WritesThroughATemporaryFileAndKeepsTheOldFileOnFailure) {
    test::TempDir dir;
    std::string target = dir.File("out.pdf");
    vorDocument doc;
    doc.AddBuffer("saved", test::DefaultFormat(), "", 10);
    ASSERT_EQ(doc.SaveAs(target, 10), 0);
    EXPECT_EQ(test::QpdfProblems(target), "");
    std::string text;
    test::RunCommand("pdftotext '" + target + "' -", &text);
    EXPECT_NE(text.find("saved"), std::string::npos);

    // Unwritable folder: the old file stays as it was.
    std::string before = test::ReadFile(target);
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
    vorDocument other;
    other.AddBuffer("other", test::DefaultFormat(), "", 10);
    int16_t status = other.SaveAs(target, 10);
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
    if (::geteuid() != 0) {  // root writes anywhere; the missing-folder case below still holds
        EXPECT_NE(status, 0);
        EXPECT_EQ(test::ReadFile(target), before);
    }
    EXPECT_NE(other.SaveAs(dir.File("missing/out.pdf"), 10), 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);  // no temporary file left behind
    EXPECT_EQ(other.SaveAs(dir.File("x.doc"), 50), kSaveUnsupportedFormat);
}

TEST(SaveAs, HeadersAreStampedOnEveryPageOnce) {
    vorDocument doc;
    std::string text;
    for (int i = 0; i < 60; ++i) text += "body\r\n";
    doc.AddBuffer(text, test::DefaultFormat(), "", 10);
    PageHeader header;
    header.TextValue = "Page &p of &pages && more";
    header.x = 40;
    header.y = 20;
    doc.AddHeaderText(header);
    std::string pdf = Pdf(doc);
    std::string again = Pdf(doc);
    ASSERT_EQ(doc.Pages.PagesCount(), 2);
    ASSERT_EQ(doc.Pages[2].ContentsCount(), 2);
    ASSERT_EQ(doc.Pages[2].Contents[1].Texts.size(), 1u);
    const vorContent& furniture = doc.Pages[2].Contents[1];
    EXPECT_EQ(furniture.Text(furniture.Texts[0]), "Page 2 of 2 & more");
    EXPECT_EQ(pdf, again);
}

}  // namespace
}  // namespace scrivane
