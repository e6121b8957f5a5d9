// Documents with text beyond Windows-1252: what the PDF, XHTML, XML and SVG files hold,
// what outside readers see in them, and what the import gives back.
#include <gtest/gtest.h>

#include <string>

#include <zlib.h>

#include "TestSupport.h"
#include "document/vorDocument.h"
#include "font/UnicodeFonts.h"
#include "pdf/Compression.h"
#include "util/TextInput.h"

namespace scrivane {
namespace {

// Polish, Czech, Greek, Russian, Ukrainian, Turkish, signs and arrows (UTF-8, CR LF).
const std::string kManyLanguages =
    "Zażółć gęślą jaźń\r\n"
    "Příliš žluťoučký kůň úpěl ďábelské ódy\r\n"
    "Ξεσκεπάζω την ψυχοφθόρα βδελυγμία\r\n"
    "Съешь же ещё этих мягких французских булок\r\n"
    "Чуєш їх, доцю, га? Кумедна ж ти, прощайся без ґольфів!\r\n"
    "Pijamalı hasta yağız şoföre çabucak güvendi İ\r\n"
    "∀x ∈ ℝ: x² ≥ 0, ∑ ≠ ∏, √2 ≈ 1.414 ← → ⇒ ⇔ „“ — … €";

std::string Build(const std::string& text, int32_t format, vorFormat working,
                  vorDocument* into = nullptr) {
    EngineOptions options;
    options.utf8Text = true;
    vorDocument local(options);
    vorDocument& document = into ? *into : local;
    document.AddBuffer(text, std::move(working), "", format);
    std::string bytes;
    EXPECT_EQ(document.Build(format, bytes), 0);
    return bytes;
}

std::string ReadBack(const std::string& bytes, int32_t format, bool* utf8 = nullptr) {
    vorDocument document;
    EXPECT_EQ(document.LoadFromBytes(bytes, format), kLoadOk);
    if (utf8) *utf8 = document.TextIsUtf8();
    std::string text;
    document.GetText(text);
    return text;
}

std::string Tool(const std::string& command) {
    std::string output;
    EXPECT_EQ(test::RunCommand(command, &output), 0) << command << ": " << output;
    return output;
}

TEST(UnicodePdf, EmbedsOneSubsetFontThatOutsideReadersAndTheImportReadBack) {
    test::TempDir dir;
    const std::string path = dir.File("many.pdf");
    test::WriteFile(path, Build(kManyLanguages, kTargetPdf, test::DefaultFormat()));
    EXPECT_EQ(test::QpdfProblems(path), "");
    const std::string fonts = Tool("pdffonts '" + path + "'");
    EXPECT_NE(fonts.find("+DejaVuSans"), std::string::npos) << fonts;
    EXPECT_NE(fonts.find("CID TrueType      Identity-H       yes yes yes"), std::string::npos)
        << fonts;
    EXPECT_EQ(std::count(fonts.begin(), fonts.end(), '\n'), 3) << fonts;  // one font
    std::string shown = Tool("pdftotext -enc UTF-8 '" + path + "' -");
    while (!shown.empty() && (shown.back() == '\n' || shown.back() == '\f')) shown.pop_back();
    EXPECT_EQ(shown, ToUtf8Lines(kManyLanguages, true));
    bool utf8 = false;
    EXPECT_EQ(ReadBack(test::ReadFile(path), kTargetPdf, &utf8), kManyLanguages);
    EXPECT_TRUE(utf8);
}

TEST(UnicodePdf, FontsOfOneFaceShareOneSubset) {
    const std::string text =
        "Ω Helvetica\r\n<set>fontname=Arial\r\nЖ Arial\r\n<set>fontname=Courier\r\n→ Courier";
    test::TempDir dir;
    const std::string path = dir.File("shared.pdf");
    test::WriteFile(path, Build(text, kTargetPdf, test::DefaultFormat()));
    EXPECT_EQ(test::QpdfProblems(path), "");
    const std::string fonts = Tool("pdffonts '" + path + "'");
    EXPECT_EQ(std::count(fonts.begin(), fonts.end(), '\n'), 4) << fonts;  // sans and mono
    EXPECT_NE(fonts.find("+DejaVuSans "), std::string::npos) << fonts;
    EXPECT_NE(fonts.find("+DejaVuSansMono "), std::string::npos) << fonts;
    std::string shown = Tool("pdftotext -enc UTF-8 '" + path + "' -");
    EXPECT_NE(shown.find("Ω Helvetica\nЖ Arial\n→ Courier"), std::string::npos) << shown;
    EXPECT_EQ(ReadBack(test::ReadFile(path), kTargetPdf), text);
}

TEST(UnicodePdf, CommandLinesAndInformationCarryTheirCharactersBothWays) {
    const std::string text =
        "<set>title=Ελληνικά → Ω\r\n<set>author=Łukasz Ørsted\r\n<set>xmp=1\r\nТекст\r\n"
        "<set>fontsize=14\r\nß∞";
    test::TempDir dir;
    const std::string path = dir.File("info.pdf");
    test::WriteFile(path, Build(text, kTargetPdf, test::DefaultFormat()));
    EXPECT_EQ(test::QpdfProblems(path), "");
    const std::string info = Tool("pdfinfo -enc UTF-8 '" + path + "'");
    EXPECT_NE(info.find("Title:           Ελληνικά → Ω\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Author:          Łukasz Ørsted\n"), std::string::npos) << info;
    // The XMP packet is UTF-8 XML: the title as it is, not converted twice.
    std::string packet;
    test::RunCommand("qpdf --qdf --object-streams=disable '" + path + "' - | grep -a 'dc:title'",
                     &packet);
    EXPECT_NE(packet.find("<dc:title>Ελληνικά → Ω</dc:title>"), std::string::npos) << packet;
    vorDocument document;
    ASSERT_EQ(document.LoadFromBytes(test::ReadFile(path), kTargetPdf), kLoadOk);
    std::string back;
    document.GetText(back);
    EXPECT_EQ(back, text);
    EXPECT_EQ(document.eInfos->title, "Ελληνικά → Ω");
}

TEST(UnicodePdf, JustifiedRunsWidenTheirSpacesAndStillReadBack) {
    vorFormat format = test::DefaultFormat();
    format.DefaultLineLength = 200;
    const std::string line =
        "Ξεσκεπάζω την ψυχοφθόρα βδελυγμία και τα λοιπά, με πολλές λέξεις ακόμη εδώ";
    const std::string text = "<set>textalign=justify\r\n" + line;
    test::TempDir dir;
    const std::string path = dir.File("justified.pdf");
    test::WriteFile(path, Build(text, kTargetPdf, format));
    EXPECT_EQ(test::QpdfProblems(path), "");
    Tool("qpdf --qdf --object-streams=disable '" + path + "' '" + dir.File("open.pdf") + "'");
    const std::string open = test::ReadFile(dir.File("open.pdf"));
    EXPECT_NE(open.find("] TJ\n"), std::string::npos);  // word spacing would not apply
    for (size_t at = open.find(" Tw\n"); at != std::string::npos; at = open.find(" Tw\n", at + 1)) {
        EXPECT_EQ(open.compare(at - 2, 2, "\n0"), 0);  // only resets
    }
    EXPECT_EQ(ReadBack(test::ReadFile(path), kTargetPdf), text);
}

TEST(UnicodeLayout, WrappingByWidthMeasuresWithTheEmbeddedFace) {
    const UnicodeFace* face = UnicodeFonts::Shared().ForFont("Helvetica", false, false);
    ASSERT_NE(face, nullptr);
    vorFormat format = test::DefaultFormat();
    format.DefaultLineLength = 100;  // points
    // No spaces: each piece grows until it is as wide as the column, then gives back the
    // character that passed it.
    const std::string line = [] {
        std::string s;
        for (int i = 0; i < 60; ++i) s += "Ш";
        return s;
    }();
    EngineOptions options;
    options.utf8Text = true;
    vorDocument document(options);
    document.AddBuffer(line, format, "", kTargetPdf);
    const vorContent& block = document.Pages[1].Contents.front();
    ASSERT_GE(block.Texts.size(), 2u);
    const double fontSize = 12;
    const int units = face->CharUnits(U'Ш');
    size_t fits = 1;  // characters until the width reaches the column
    while (fits * units * fontSize / 1000.0 < 100) ++fits;
    EXPECT_EQ(block.Text(block.Texts[0]).size(), 2 * (fits - 1));  // 2 bytes a character
    // The standard font's table would have measured "?" instead.
    EXPECT_NE(units, 556);
}

TEST(UnicodeLayout, CharacterLimitsCountCharactersNotBytes) {
    vorFormat format = test::DefaultFormat();
    format.DefaultMaxLenLine = 10;
    format.DefaultLineLength = 0;
    EngineOptions options;
    options.utf8Text = true;
    vorDocument document(options);
    document.AddBuffer("ΑΒΓΔΕΖΗΘΙΚΛΜΝΞ", format, "", kTargetPdf);
    const vorContent& block = document.Pages[1].Contents.front();
    ASSERT_EQ(block.Texts.size(), 2u);
    EXPECT_EQ(block.Text(block.Texts[0]), "ΑΒΓΔΕΖΗΘΙΚ");
    EXPECT_EQ(block.Text(block.Texts[1]), "ΛΜΝΞ");
}

TEST(UnicodeLayout, FormatFileValuesMeetTheUtf8Text) {
    // Format files hold Windows-1252: a bullet marker is the byte 0x95 there.
    vorFormat format = test::DefaultFormat();
    vorFormat hidden;
    hidden.conditionType = "leftlinevalue";
    hidden.conditionValue = "\x95 ";
    hidden.show = "NO";
    format.ListeFormats = {hidden};
    format.title = "Café";  // the properties are UTF-8 in every document
    EngineOptions options;
    options.utf8Text = true;
    vorDocument document(options);
    document.AddBuffer("Ω shown\r\n• hidden\r\nlast", format, "", kTargetPdf);
    const vorContent& block = document.Pages[1].Contents.front();
    ASSERT_EQ(block.Texts.size(), 3u);
    EXPECT_EQ(block.Text(block.Texts[0]), "Ω shown");
    EXPECT_EQ(block.Text(block.Texts[1]), "");  // the marked line is hidden
    EXPECT_EQ(block.Text(block.Texts[2]), "last");
    EXPECT_EQ(document.eInfos->title, "Café");
}

TEST(UnicodeXml, XhtmlXmlAndSvgHoldTheCharactersThemselvesAndReadBack) {
    for (int32_t format : {kTargetXhtml, kTargetSvg, kTargetXml}) {
        SCOPED_TRACE(format);
        const std::string bytes = Build(kManyLanguages, format, test::DefaultFormat());
        EXPECT_NE(bytes.find("Ξεσκεπάζω"), std::string::npos);
        EXPECT_NE(bytes.find("⇔ „“ — … €"), std::string::npos);
        test::TempDir dir;
        test::WriteFile(dir.File("f.xml"), bytes);
        EXPECT_EQ(test::RunCommand("xmllint --noout '" + dir.File("f.xml") + "'"), 0);
        bool utf8 = false;
        EXPECT_EQ(ReadBack(bytes, format, &utf8), kManyLanguages);
        EXPECT_TRUE(utf8);
    }
}

TEST(UnicodeXml, FilesOfWindows1252TextStillReadAsWindows1252) {
    vorDocument document;
    document.AddBuffer("caf\xE9 \x80", test::DefaultFormat(), "", kTargetXhtml);
    std::string bytes;
    ASSERT_EQ(document.Build(kTargetXhtml, bytes), 0);
    bool utf8 = true;
    EXPECT_EQ(ReadBack(bytes, kTargetXhtml, &utf8), "caf\xE9 \x80");
    EXPECT_FALSE(utf8);
}

// Two-byte glyph ids compress worse than Windows-1252 text: the pages of Greek prose must
// still deflate to within 5 % of what zlib level 9 gives for them.
TEST(UnicodePdf, GlyphIdStreamsDeflateAboutAsSmallAsZlibLevelNine) {
    const char* words[] = {
        "ψυχή",     "θάλασσα", "λιμάνι",  "και",      "το",      "φως",     "βιβλίο",
        "ημέρα",    "νύχτα",   "δρόμος",  "άνεμος",   "πέτρα",   "ο",       "μια",
        "ουρανός",  "Αθήνα",   "ωστόσο",  "μέτρηση",  "της",     "από",     "για",
        "φανάρι",   "Ξάνθη",   "λόγος",   "περιθώριο", "ώρα",    "γη",      "με",
        "ιδιαίτερα", "κήπος",  "σελίδα",  "παράγραφος", "νερό",  "χρόνος",  "σπίτι",
        "θύμηση",   "κόσμος",  "γράμμα",  "πόλη",     "ήλιος",   "να",      "στο"};
    std::string text;
    uint32_t seed = 7;
    for (int line = 0; line < 300; ++line) {
        for (int word = 0; word < 14; ++word) {
            seed = seed * 1103515245u + 12345u;
            text += words[(seed >> 16) % std::size(words)];
            text += word < 13 ? " " : "\r\n";
        }
    }
    const std::string pdf = Build(text, kTargetPdf, test::DefaultFormat());
    size_t ours = 0, best = 0, pages = 0;
    for (size_t at = pdf.find("stream\n"); at != std::string::npos;
         at = pdf.find("stream\n", at)) {
        const size_t start = at + 7, end = pdf.find("\nendstream", start);
        std::string data = pdf.substr(start, end - start);
        at = end + 10;
        if (Decompress(data) != 0 || data.find(") Tj") == std::string::npos) continue;
        ++pages;
        ours += end - start;
        uLongf size = compressBound(static_cast<uLong>(data.size()));
        std::string zlibs(size, '\0');
        ASSERT_EQ(compress2(reinterpret_cast<Bytef*>(zlibs.data()), &size,
                            reinterpret_cast<const Bytef*>(data.data()), data.size(), 9),
                  Z_OK);
        best += size;
    }
    EXPECT_GE(pages, 5u);
    EXPECT_LE(ours * 100, best * 105) << ours << " bytes against zlib's " << best;
}

TEST(UnicodePdf, Windows1252DocumentsKeepTheStandardFonts) {
    vorDocument document;
    document.AddBuffer("caf\xE9 \x80", test::DefaultFormat(), "", kTargetPdf);
    std::string bytes;
    ASSERT_EQ(document.Build(kTargetPdf, bytes), 0);
    EXPECT_NE(bytes.find("/Encoding/WinAnsiEncoding"), std::string::npos);
    EXPECT_EQ(bytes.find("Type0"), std::string::npos);
    EXPECT_EQ(bytes.find("/TextEncoding"), std::string::npos);
    bool utf8 = true;
    EXPECT_EQ(ReadBack(bytes, kTargetPdf, &utf8), "caf\xE9 \x80");
    EXPECT_FALSE(utf8);
}

}  // namespace
}  // namespace scrivane
