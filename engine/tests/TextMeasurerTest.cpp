#include "text/TextMeasurer.h"

#include <gtest/gtest.h>

#include <string>

namespace scrivane {
namespace {

// Expected widths are read from the AFM metrics of the standard fonts, not from the
// generated tables.

TEST(TextMeasurerTest, WidthsAreAfmUnitsScaledToTwipsAtTheAbsoluteSize) {
    TextMeasurer m;  // Helvetica 10 pt
    EXPECT_EQ(m.font(), StandardFont::Helvetica);
    EXPECT_DOUBLE_EQ(m.MeasureTwips(" "), 55.6);  // 278/1000 em * 10 pt * 20
    m.SetFont("Arial", false, false, -12.0);
    EXPECT_DOUBLE_EQ(m.size(), 12.0);
    EXPECT_DOUBLE_EQ(m.MeasureTwips("W W"), (944 + 278 + 944) * 12.0 * 20 / 1000);
}

TEST(TextMeasurerTest, GlyphWidthsMatchAfmMetricsByWindows1252Byte) {
    const struct {
        const char* face;
        unsigned char byte;
        int units;
    } cases[] = {
        {"Helvetica", 'A', 667},           {"Arial Bold", 'A', 722},
        {"Helvetica-BoldOblique", 'm', 889}, {"Times-Roman", 'a', 444},
        {"Times-Bold", 'A', 722},          {"Times New Roman Italic", 'A', 611},
        {"Times-BoldItalic", 'A', 667},    {"Courier-BoldOblique", 'i', 600},
        // Bytes are Windows-1252 glyphs, not the AFM's own codes: in the fonts' standard
        // encoding 0x27 and 0x60 are quoteright and quoteleft.
        {"Helvetica", 0x27, 191},          {"Helvetica", 0x60, 333},
        {"Helvetica", 0x80, 556},          {"Times-Italic", 0x97, 889},  // Euro, emdash
        {"Helvetica", 0xA0, 278},          {"Helvetica", 0xAD, 333},  // no-break space, soft hyphen
        {"Symbol", 'a', 631},              {"ZapfDingbats", 0xA1, 732},  // their own codes
    };
    TextMeasurer m;  // reused, so nothing may leak from one face to the next
    for (const auto& c : cases) {
        m.SetFont(c.face, false, false, 10);
        EXPECT_EQ(m.GlyphUnits(c.byte), c.units) << c.face << " byte " << int(c.byte);
    }
}

TEST(TextMeasurerTest, ControlBytesHaveNoWidthButATabIsTenSpaces) {
    TextMeasurer m;
    for (int f = 0; f <= static_cast<int>(StandardFont::ZapfDingbats); ++f) {
        m.SetFont(static_cast<StandardFont>(f), 10);
        EXPECT_EQ(m.GlyphUnits('\t'), 10 * m.GlyphUnits(' ')) << m.fontName();
        EXPECT_GT(m.GlyphUnits(' '), 0) << m.fontName();
        bool symbolic = f >= static_cast<int>(StandardFont::Symbol);  // no Windows-1252 holes
        for (unsigned char b : {0x00, 0x0A, 0x1F, 0x7F, 0x81, 0x9D}) {
            if (b >= 0x20 && symbolic) continue;
            EXPECT_EQ(m.GlyphUnits(b), 0) << m.fontName() << " byte " << +b;
        }
    }
}

TEST(TextMeasurerTest, FaceNamesAndStyleFlagsMapToStandardFonts) {
    const struct {
        const char* face;
        bool bold, italic;
        StandardFont expected;
    } cases[] = {
        {"Arial", true, true, StandardFont::HelveticaBoldOblique},
        {"Some Unknown Face", false, true, StandardFont::HelveticaOblique},
        {"TIMES NEW ROMAN", true, false, StandardFont::TimesBold},
        {"Times-Bold", false, true, StandardFont::TimesBoldItalic},  // the flag adds to the name
        {"Courier New", false, false, StandardFont::Courier},
        {"courier", true, false, StandardFont::CourierBold},
        {"Courier-Oblique", false, false, StandardFont::CourierOblique},
        {"Symbol", true, true, StandardFont::Symbol},  // no styled variants
        {"ITC Zapf Dingbats", false, true, StandardFont::ZapfDingbats},
        {"Dingbats", false, false, StandardFont::ZapfDingbats},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolveStandardFont(c.face, c.bold, c.italic), c.expected) << c.face;
    EXPECT_STREQ(StandardFontName(StandardFont::CourierBoldOblique), "Courier-BoldOblique");
    EXPECT_STREQ(StandardFontName(StandardFont::TimesRoman), "Times-Roman");
}

// The measurer keeps the last name it resolved: every change of name, flag or font set
// another way must still be followed, in any order.
TEST(TextMeasurerTest, EachSetFontFollowsTheNameAndFlagsGivenLast) {
    TextMeasurer measurer;
    const struct {
        const char* face;
        bool bold, italic;
        StandardFont expected;
    } steps[] = {
        {"Courier New", false, false, StandardFont::Courier},
        {"Courier New", true, false, StandardFont::CourierBold},
        {"Courier New", true, true, StandardFont::CourierBoldOblique},
        {"Times New Roman", true, true, StandardFont::TimesBoldItalic},
        {"Courier New", false, false, StandardFont::Courier},
        {"Courier New", false, false, StandardFont::Courier},
    };
    for (const auto& step : steps) {
        measurer.SetFont(step.face, step.bold, step.italic, 12);
        EXPECT_EQ(measurer.font(), step.expected) << step.face;
        EXPECT_EQ(measurer.size(), 12);
    }
    measurer.SetFont(StandardFont::Symbol, 9);
    measurer.SetFont("Courier New", false, false, 11);  // the same name as before that
    EXPECT_EQ(measurer.font(), StandardFont::Courier);
    EXPECT_EQ(measurer.GlyphUnits('i'), 600);  // Courier's widths, not Symbol's
}

TEST(TextMeasurerTest, PrefixSumsEqualTheWholeMeasureWithoutOverflow) {
    TextMeasurer m;
    m.SetFont("Times New Roman", true, false, 10.5);
    // High bytes must not be read as negative chars.
    const std::string text = "Caf\xE9 \x80" "5 \x93quoted\x94\tend\xFF\xA0\xAD";
    long long prefix = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        prefix += m.GlyphUnits(static_cast<unsigned char>(text[i]));
        ASSERT_EQ(prefix, m.MeasureUnits(std::string_view(text).substr(0, i + 1))) << i;
    }
    EXPECT_DOUBLE_EQ(m.UnitsToTwips(prefix), m.MeasureTwips(text));

    m.SetFont("Times-Bold", false, false, 10);
    EXPECT_EQ(m.MeasureUnits(std::string(3'000'000, 'W')), 3'000'000'000LL);  // > 32 bits
}

}  // namespace
}  // namespace scrivane
