// The pieces that carry text beyond Windows-1252: faces, the text input's choice, the
// PDF text strings and the reading of character ids.
#include <gtest/gtest.h>

#include <string>

#include "font/UnicodeFace.h"
#include "font/UnicodeFonts.h"
#include "import/CidText.h"
#include "model/vorPages.h"
#include "pdf/CidFonts.h"
#include "pdf/PdfSyntax.h"
#include "util/Encoding.h"
#include "util/TextInput.h"

namespace scrivane {
namespace {

const UnicodeFace* Face(const char* name, bool bold = false) {
    const UnicodeFace* face = UnicodeFonts::Shared().ForFont(name, bold, false);
    if (!face) ADD_FAILURE() << "no Unicode face for " << name << " (fonts-dejavu-core?)";
    return face;
}

TEST(UnicodeFonts, StandardFontsHaveStandInsOfTheirKindAndWeight) {
    const UnicodeFace* sans = Face("Arial");
    const UnicodeFace* serif = Face("Times New Roman");
    const UnicodeFace* mono = Face("Courier");
    const UnicodeFace* bold = Face("Arial,Bold");
    ASSERT_TRUE(sans && serif && mono && bold);
    EXPECT_EQ(sans->postScriptName(), "DejaVuSans");
    EXPECT_EQ(serif->postScriptName(), "DejaVuSerif");
    EXPECT_EQ(mono->postScriptName(), "DejaVuSansMono");
    EXPECT_EQ(bold->postScriptName(), "DejaVuSans-Bold");
    EXPECT_EQ(Face("Helvetica", true), bold);  // one face object per file
    EXPECT_TRUE(mono->metrics().fixedPitch);
    EXPECT_TRUE(serif->metrics().serif);
    EXPECT_FALSE(sans->metrics().serif);
    // An installed family is taken by its own name; an unknown one falls back to sans.
    EXPECT_EQ(Face("DejaVu Serif")->postScriptName(), "DejaVuSerif");
    EXPECT_EQ(Face("No Such Family 42"), sans);
}

TEST(UnicodeFace, ShowsControlsAsBlanksAndMissingCharactersAsQuestionMarks) {
    const UnicodeFace* sans = Face("Arial");
    ASSERT_TRUE(sans);
    EXPECT_NE(sans->Glyph(U'Ω'), 0u);
    EXPECT_EQ(sans->ShownGlyph(U'Ω'), sans->Glyph(U'Ω'));
    EXPECT_EQ(sans->ShownGlyph(U'\r'), sans->Glyph(U' '));
    EXPECT_EQ(sans->ShownGlyph(0x0378), sans->Glyph(U'?'));    // unassigned
    EXPECT_EQ(sans->ShownGlyph(0x10FFFD), sans->Glyph(U'?'));  // beyond the basic plane
    // Widths in thousandths of an em, as the PDF's W array gives them.
    EXPECT_EQ(sans->CharUnits(U' '), 318);
    EXPECT_EQ(sans->CharUnits(U'A'), 684);
    const UnicodeFace* mono = Face("Courier");
    ASSERT_TRUE(mono);
    for (char32_t c : {U'i', U'W', U'Ж', U'Ω', U'→'}) EXPECT_EQ(mono->CharUnits(c), 602);
}

TEST(UnicodeFace, SubsetKeepsTheGlyphsAskedForUnderNewNumbers) {
    const UnicodeFace* sans = Face("Arial");
    ASSERT_TRUE(sans);
    std::vector<uint32_t> glyphs = {sans->Glyph(U'A'), sans->Glyph(U'Ж')};
    std::sort(glyphs.begin(), glyphs.end());
    FaceSubset subset;
    ASSERT_TRUE(sans->Subset(glyphs, {U'A', U'Ж'}, subset));
    ASSERT_EQ(subset.newGlyphs.size(), 2u);
    EXPECT_EQ(subset.newGlyphs[0], 1u);  // glyph 0 stays first
    EXPECT_EQ(subset.newGlyphs[1], 2u);
    EXPECT_LT(subset.bytes.size(), 20000u);  // the whole face is some 700 kB
    EXPECT_EQ(subset.bytes.compare(0, 4, std::string("\0\1\0\0", 4)), 0);  // TrueType
}

TEST(UnicodeFonts, CanShowWhatAStandInHas) {
    UnicodeFonts& fonts = UnicodeFonts::Shared();
    EXPECT_TRUE(fonts.CanShow(U'ą'));
    EXPECT_TRUE(fonts.CanShow(U'Ж'));
    EXPECT_TRUE(fonts.CanShow(U'∑'));
    EXPECT_FALSE(fonts.CanShow(0x0378));
    EXPECT_FALSE(fonts.CanShow(0x10FFFD));
}

const CanShowCharacter kAllButPrivate = [](char32_t c) { return c < 0xE000 || c > 0xF8FF; };

TEST(TextInputChoice, Windows1252TextStaysWindows1252WithOrWithoutFonts) {
    const std::string text = "caf\xC3\xA9 \xE2\x82\xAC 5\nnext";
    EngineText plain = ToEngineText(text);
    EngineText offered = ToEngineText(text, kAllButPrivate);
    EXPECT_FALSE(offered.utf8);
    EXPECT_EQ(offered.text, plain.text);
    EXPECT_EQ(offered.text, "caf\xE9 \x80 5\r\nnext");
    EXPECT_EQ(offered.replaced, 0u);
}

TEST(TextInputChoice, OtherCharactersKeepTheTextUtf8AndOnlyUnshownOnesBecomeQuestionMarks) {
    // Greek omega, a private-use character, a euro sign, over two lines (one LF, one CR).
    const std::string text = "\xCE\xA9 \xEE\x80\x80 \xE2\x82\xAC\nb\rc";
    EngineText wide = ToEngineText(text, kAllButPrivate);
    EXPECT_TRUE(wide.utf8);
    EXPECT_EQ(wide.text, "\xCE\xA9 ? \xE2\x82\xAC\r\nb\r\nc");
    EXPECT_EQ(wide.replaced, 1u);
    ASSERT_EQ(wide.replacements.size(), 1u);
    EXPECT_EQ(wide.replacements[0].line, 1);
    EXPECT_NE(wide.replacements[0].message.find("no installed font"), std::string::npos);
    // Without fonts it is today's text: every character beyond Windows-1252 a "?".
    EngineText narrow = ToEngineText(text);
    EXPECT_FALSE(narrow.utf8);
    EXPECT_EQ(narrow.text, "? ? \x80\r\nb\r\nc");
    EXPECT_EQ(narrow.replaced, 2u);
}

TEST(TextInputChoice, WhenNoFontShowsAnyOtherCharacterTheTextIsWindows1252) {
    EngineText text = ToEngineText("\xEE\x80\x80 \xC3\xA9", kAllButPrivate);
    EXPECT_FALSE(text.utf8);
    EXPECT_EQ(text.text, "? \xE9");
    EXPECT_EQ(text.replaced, 1u);
}

TEST(TextInputChoice, Utf16InputKeepsItsCharactersToo) {
    const std::string utf16le("\xFF\xFE\xA9\x03\x0A\x00\x3D\xD8\x00\xDE", 10);  // Ω LF 😀
    EngineText text = ToEngineText(utf16le, [](char32_t) { return true; });
    EXPECT_TRUE(text.utf8);
    EXPECT_EQ(text.text, "\xCE\xA9\r\n\xF0\x9F\x98\x80");
    EXPECT_EQ(ToUtf8Lines(text.text, true), "\xCE\xA9\n\xF0\x9F\x98\x80");
}

TEST(Encoding, HoldsBeyondCp1252LooksAtCharactersNotBytes) {
    EXPECT_FALSE(HoldsBeyondCp1252("plain"));
    EXPECT_FALSE(HoldsBeyondCp1252("\xC3\xA9\xE2\x82\xAC"));  // é €
    EXPECT_TRUE(HoldsBeyondCp1252("a\xCE\xA9"));               // Ω
    EXPECT_FALSE(HoldsBeyondCp1252("\xE9\x80"));               // not UTF-8 at all
}

TEST(PdfTextString, AsciiStaysLiteralAndTheRestIsUtf16WithItsBom) {
    std::string out;
    AppendTextString(out, "a(b)\\");
    EXPECT_EQ(out, "a\\(b\\)\\\\");
    out.clear();
    AppendTextString(out, "\xCE\xA9(");  // Ω(
    EXPECT_EQ(out, std::string("\xFE\xFF\x03\xA9\x00\\(", 7));
    // Bytes that a reader would take for line ends or string ends are escaped: U+0A0D
    // and U+285C are 0A 0D and 28 5C.
    out.clear();
    AppendTextString(out, "\xE0\xA8\x8D\xE2\xA1\x9C");
    EXPECT_EQ(out, std::string("\xFE\xFF\\n\\r\\(\\\\", 10));
    // Beyond the basic plane: a surrogate pair.
    out.clear();
    AppendTextString(out, "\xF0\x9F\x98\x80");
    EXPECT_EQ(out, std::string("\xFE\xFF\xD8\x3D\xDE\x00", 6));
}

TEST(CidText, DecodesShownIdsThroughTheMap) {
    CidText ids;
    ASSERT_TRUE(ids.ReadMap("2 beginbfchar\n<0001> <0041>\n<0002> <03A9>\nendbfchar\n"
                            "1 beginbfchar\n<0003> <D83DDE00>\nendbfchar\n"));
    using namespace std::string_literals;
    EXPECT_EQ(ids.Decode("(\0\1\0\2) Tj"s), "A\xCE\xA9");
    EXPECT_EQ(ids.Decode("[(\0\1) -120.5 (\0\3\0\2)] TJ"s), "A\xF0\x9F\x98\x80\xCE\xA9");
    EXPECT_EQ(ids.Decode("(\0\x09\0\1) Tj"s), "\xEF\xBF\xBD" "A");  // an id the map lacks
    EXPECT_EQ(ids.Decode("(\0\1\0) Tj"s), "A");  // an odd byte is no id
    EXPECT_TRUE(CidText::ShowsIds("(\0\1) Tj"s));
    EXPECT_TRUE(CidText::ShowsIds("[(\0\1) 3 (\0\2)] TJ"s));
    EXPECT_FALSE(CidText::ShowsIds("/F1 12 Tf"));
    CidText empty;
    EXPECT_FALSE(empty.ReadMap("no map here <0001> <0041>"));
}

// Ids of more than 2,560 characters reach high bytes that a literal string would have to
// escape: the ids leave them out, and the shared map reads every run back.
TEST(CidFonts, IdsNeedNoEscapesAndTheMapReadsEveryCharacterBack) {
    std::string text = "A (b) \\ c\td";
    for (char32_t c = 0x4E00; c < 0x4E00 + 3000; ++c) AppendUtf8(text, c);  // CJK: "?" glyphs
    AppendUtf8(text, 0x1F600);  // beyond the basic plane
    vorPages pages;
    pages.GetPage(1).AddText(text, "Helvetica", 12, 0, 0, "", 0, "", false);
    const std::vector<vorFont> fonts = {{"Helvetica", "1", "4"}};
    CidFonts cidFonts;
    ASSERT_TRUE(cidFonts.Prepare(pages, fonts));
    std::string shown;
    EXPECT_EQ(cidFonts.AppendShow(shown, text, 0), 3000u + 1u + 20u);  // the tab shows ten
    ASSERT_EQ(shown.front(), '(');
    const std::string_view ids = std::string_view(shown).substr(1, shown.size() - 6);
    EXPECT_EQ(ids.size() % 2, 0u);
    for (char c : ids) EXPECT_EQ(std::string_view("\\()\r\n").find(c), std::string_view::npos);
    std::string map;
    const auto keep = [](std::string&) { return 0; };  // no deflate: the map as text
    ASSERT_TRUE(cidFonts.AppendPart(map, cidFonts.PartCount() - 1, keep));
    CidText reader;
    ASSERT_TRUE(reader.ReadMap(map));
    std::string expected = text;
    expected.replace(expected.find('\t'), 1, std::string(10, ' '));
    EXPECT_EQ(reader.Decode(shown.substr(0, shown.size() - 1)), expected);
}

}  // namespace
}  // namespace scrivane
