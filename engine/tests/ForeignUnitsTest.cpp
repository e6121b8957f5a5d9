// The units of the foreign PDF conversion on their own: CMaps, glyph names, Unicode text
// to Windows-1252, and the assembly of shown strings into lines.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "import/foreign/CMap.h"
#include "import/foreign/ForeignFont.h"
#include "import/foreign/GlyphNames.h"
#include "import/foreign/LineAssembler.h"
#include "import/foreign/UnicodeText.h"

namespace scrivane::foreign {
namespace {

CMap Parse(const std::string& program) {
    CMap map;
    ParseCMap(program, map);
    return map;
}

std::string TextOf(const CMap& map, uint32_t code) {
    auto found = map.text.find(code);
    return found == map.text.end() ? "(none)" : found->second;
}

TEST(ForeignCMap, CodeSpacesChooseTheLengthOfCodes) {
    ForeignFont font;
    font.composite = true;
    font.ranges = Parse("2 begincodespacerange <00> <80> <8140> <9FFC> <0102030405> <06> "
                        "endcodespacerange").ranges;
    ASSERT_EQ(font.ranges.size(), 2u);  // five bytes are no code
    const std::string shown("\x41\x81\x40\x90", 4);
    EXPECT_EQ(CodeLength(font, shown, 0), 1u);
    EXPECT_EQ(CodeLength(font, shown, 1), 2u);
    EXPECT_EQ(CodeLength(font, shown, 3), 1u);  // in no range, one byte left
    font.composite = false;
    EXPECT_EQ(CodeLength(font, shown, 1), 1u);
}

// Glyph names, counting destinations, arrays longer than their range, reversed ranges,
// codes given as literal strings; stray tokens end a section but not the map.
TEST(ForeignCMap, CharsAndRangesGiveTheTextOfCodes) {
    const CMap map = Parse(
        "3 beginbfchar <01> /fi <0102030405> <0041> <02> /nosuchglyph (C) <00E9> endbfchar\n"
        "4 beginbfrange <0010> <0011> <00660066> <0020> <0021> [<0041> <0042> <0043>]\n"
        "<0030> <002F> <0041> <0040> <0040> <D83DDE00> endbfrange\n"
        "1 beginbfchar <03> <0058> ) ] beginbfchar <04> <0059> endbfchar");
    EXPECT_EQ(TextOf(map, 0x01), "fi");
    EXPECT_EQ(TextOf(map, 0x02), "(none)");
    EXPECT_EQ(TextOf(map, 'C'), "\xE9");
    EXPECT_EQ(TextOf(map, 0x10), "ff");
    EXPECT_EQ(TextOf(map, 0x11), "fg");  // the last unit counts up
    EXPECT_EQ(TextOf(map, 0x20), "A");
    EXPECT_EQ(TextOf(map, 0x21), "B");
    EXPECT_EQ(TextOf(map, 0x22), "(none)");
    EXPECT_EQ(TextOf(map, 0x30), "(none)");
    EXPECT_EQ(TextOf(map, 0x40), "?");  // beyond the Basic Multilingual Plane
    EXPECT_EQ(TextOf(map, 0x03), "X");
    EXPECT_EQ(TextOf(map, 0x04), "Y");
}

TEST(ForeignCMap, LimitsHoldWhateverTheMapAsks) {
    std::string ranges = "300 begincodespacerange";
    for (int i = 0; i < 300; ++i) ranges += " <00> <FF>";
    EXPECT_EQ(Parse(ranges + " endcodespacerange").ranges.size(), kMaxCodeRanges);
    // Three ranges of 65,536 codes: the map stops at its size.
    const CMap big = Parse("3 beginbfrange <000000> <00FFFF> <0041> <010000> <01FFFF> <0041> "
                           "<020000> <02FFFF> <0041> endbfrange");
    EXPECT_EQ(big.text.size(), kMaxMapEntries);
}

// Found by review: every range of a few bytes assigned 65,536 codes again, so a map of
// repeated ranges ran for hours. Each assignment now counts against an allowance.
TEST(ForeignCMap, RangesOverTheSameCodesStopAtTheAllowance) {
    std::string program = "1000 beginbfrange";
    for (int i = 0; i < 1000; ++i) program += " <0000> <FFFF> <0041>";
    program += " endbfrange 1 beginbfchar <0001> <0058> endbfchar";
    size_t left = 100'000;
    CMap map;
    ParseCMap(program, map, left);
    EXPECT_EQ(left, 0u);
    EXPECT_EQ(map.text.size(), 65536u);
    EXPECT_EQ(TextOf(map, 1), "B");  // the bfchar after the ranges came too late
    EXPECT_EQ(Parse(program).text.size(), 65536u);  // the default allowance holds as well
}

TEST(ForeignGlyphNames, NamesGiveTheirWindows1252Text) {
    const std::pair<const char*, const char*> known[] = {
        {"eacute", "\xE9"}, {"Euro", "\x80"},   {"minus", "-"},         {"uni0041", "A"},
        {"uni00410300", "A?"}, {"u00E9", "\xE9"}, {"u1F600", "?"},     {"a.sc", "a"},
        {"f_f_i", "ffi"},   {"uniFB01", "fi"}, {"T_h.alt", "(kept)"}, {"uni004", "(kept)"},
        {"f_nosuch", "(kept)"}, {"", "(kept)"}};
    for (const auto& [name, expected] : known) {
        std::string text = "(kept)";
        EXPECT_EQ(GlyphText(name, text), std::string(expected) != "(kept)") << name;
        EXPECT_EQ(text, expected) << name;
    }
}

TEST(ForeignUnicodeText, Utf16BecomesWindows1252) {
    using namespace std::string_literals;
    EXPECT_EQ(Utf16ToCp1252("\x00\x41\x20\x13\xFB\x01\xD8\x3D\xDE\x00\x00\x09\x00\x01\x20\xAC"s),
              "A\x96" "fi? \x80");
    EXPECT_EQ(Utf16ToCp1252("\xE9"), "\xE9");              // one byte: that character
    EXPECT_EQ(Utf16ToCp1252("\x00\x42\x00"s), "B");        // an odd last byte is no unit
    EXPECT_EQ(Utf16ToCp1252("\xFF\xFE\x00\x41"s), "?A");   // big-endian, no byte order mark
}

Piece At(std::string text, double x, double xEnd, double y, double size = 10) {
    Piece piece;
    piece.text = std::move(text);
    piece.x = x;
    piece.xEnd = xEnd;
    piece.y = y;
    piece.size = size;
    return piece;
}

// Runs hold the PDF's y, from the bottom of a page 1000 high.
std::vector<std::string> Emitted(const LineAssembler& lines) {
    vorContent block;
    lines.Emit(block, 1000);
    std::vector<std::string> texts;
    for (const vorText& run : block.Texts) {
        std::string text(block.Text(run));
        texts.push_back(text + " @" + std::to_string(static_cast<int>(run.x)) + "," +
                        std::to_string(static_cast<int>(run.y)) + " " + block.Colour(run));
    }
    return texts;
}

// Pieces that go on from the last join it; lines come top to bottom, pieces left to
// right, a gap wider than a fifth of the size (or a tenth by a space) is a word break.
TEST(ForeignLines, PiecesBecomeLinesInReadingOrder) {
    ForeignPdfLimits limits;
    ConversionBudget budget(limits);
    LineAssembler lines(budget);
    lines.Add(At("lower", 10, 40, 200));
    lines.Add(At("right", 100, 130, 100));
    lines.Add(At("Hel", 10, 25, 101));
    lines.Add(At("lo", 25.5, 35, 101));    // touches: same word
    lines.Add(At("gap", 38, 50, 101));     // 3 points: a word break
    Piece red = At("red", 53, 60, 101);
    red.colour = {255, 0, 0};
    lines.Add(red);                          // another colour: a piece of its own
    lines.Add(At("nan", NAN, 10, 300));      // not finite: dropped
    EXPECT_EQ(Emitted(lines), (std::vector<std::string>{"Hello gap red right @10,899 ",
                                                         "lower @10,800 "}));
}

TEST(ForeignLines, TextPastTheBudgetIsDropped) {
    ForeignPdfLimits limits;
    limits.maxTextBytes = 2 * 48 + 10;  // two runs of up to 5 characters
    ConversionBudget budget(limits);
    LineAssembler lines(budget);
    lines.Add(At("one", 10, 20, 100));
    lines.Add(At("two", 10, 20, 200));
    EXPECT_FALSE(budget.textFull);
    lines.Add(At("three", 10, 20, 300));
    EXPECT_TRUE(budget.textFull);
    EXPECT_EQ(Emitted(lines).size(), 2u);
}

}  // namespace
}  // namespace scrivane::foreign
