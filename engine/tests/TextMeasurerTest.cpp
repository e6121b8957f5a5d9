#include "document/TextMeasurer.h"

#include <gtest/gtest.h>

#include <string>

namespace scrivane {
namespace {

// Expected values below are read from the AFM metrics of the standard fonts, not
// from the generated tables.

TEST(TextMeasurerTest, DefaultIsHelveticaTenPointAndTwipsScaleWithSize) {
    TextMeasurer m;
    EXPECT_EQ(m.font(), StandardFont::Helvetica);
    EXPECT_STREQ(m.fontName(), "Helvetica");
    EXPECT_DOUBLE_EQ(m.size(), 10.0);
    EXPECT_EQ(m.GlyphUnits(' '), 278);
    EXPECT_DOUBLE_EQ(m.MeasureTwips(" "), 55.6);  // 278/1000 em * 10 pt * 20

    m.SetFont("Helvetica", false, false, 12.0);
    EXPECT_EQ(m.GlyphUnits('W'), 944);
    EXPECT_DOUBLE_EQ(m.MeasureTwips("W W"), (944 + 278 + 944) * 12.0 * 20 / 1000);
    EXPECT_DOUBLE_EQ(m.UnitsToTwips(1000), 240.0);  // one em at 12 pt
    EXPECT_DOUBLE_EQ(m.MeasureTwips(""), 0.0);
}

struct GlyphCase {
    const char* face;
    unsigned char byte;
    int units;
};

TEST(TextMeasurerTest, GlyphWidthsMatchAfmMetrics) {
    const GlyphCase cases[] = {
        {"Helvetica", 'A', 667},
        {"Helvetica", 'i', 222},
        {"Helvetica", 'm', 833},
        {"Helvetica-Bold", 'a', 556},
        {"Helvetica-Bold", 'A', 722},
        {"Helvetica-BoldOblique", 'm', 889},
        {"Times-Roman", ' ', 250},
        {"Times-Roman", 'a', 444},
        {"Times-Bold", 'A', 722},
        {"Times-Bold", 'W', 1000},
        {"Times-Italic", 'A', 611},
        {"Times-Italic", 'W', 833},
        {"Times-BoldItalic", 'A', 667},
        {"Times-BoldItalic", 'W', 889},
        // Bytes are looked up by their Windows-1252 glyph, not by the AFM's own code:
        // 0x27 and 0x60 are quoteright/quoteleft in the fonts' standard encoding.
        {"Helvetica", 0x27, 191},  // quotesingle
        {"Helvetica", 0x60, 333},  // grave
        {"Helvetica", 0x92, 222},  // quoteright
        {"Helvetica", 0x80, 556},  // Euro
        {"Helvetica", 0xE9, 556},  // eacute
        {"Helvetica", 0x95, 350},  // bullet
        {"Helvetica", 0x97, 1000},  // emdash
        {"Helvetica", 0xDF, 611},  // germandbls
        {"Helvetica", 0xFF, 500},  // ydieresis
        {"Helvetica-Bold", 0x27, 238},
        {"Times-Roman", 0x80, 500},
        {"Times-Roman", 0xE9, 444},
        {"Times-Roman", 0x96, 500},  // endash
        {"Times-Roman", 0x99, 980},  // trademark
        {"Times-Italic", 0x97, 889},
    };
    TextMeasurer m;
    for (const auto& c : cases) {
        m.SetFont(c.face, false, false, 10);
        EXPECT_EQ(m.GlyphUnits(c.byte), c.units) << c.face << " byte " << int(c.byte);
    }
}

TEST(TextMeasurerTest, NoBreakSpaceAndSoftHyphenMeasureLikeSpaceAndHyphen) {
    TextMeasurer m;
    for (const char* face : {"Helvetica", "Times-Bold", "Courier-Oblique"}) {
        m.SetFont(face, false, false, 10);
        EXPECT_EQ(m.GlyphUnits(0xA0), m.GlyphUnits(' ')) << face;
        EXPECT_EQ(m.GlyphUnits(0xAD), m.GlyphUnits('-')) << face;
    }
    m.SetFont("Helvetica", false, false, 10);
    EXPECT_EQ(m.GlyphUnits(0xAD), 333);
}

TEST(TextMeasurerTest, ControlAndUndefinedBytesHaveNoWidthButTabIsTenSpaces) {
    TextMeasurer m;
    for (const char* face : {"Helvetica", "Times-Roman", "Courier"}) {
        m.SetFont(face, false, false, 10);
        for (int b = 0; b < 0x20; ++b) {
            if (b == '\t') continue;
            EXPECT_EQ(m.GlyphUnits(static_cast<unsigned char>(b)), 0) << face << " " << b;
        }
        for (int b : {0x7F, 0x81, 0x8D, 0x8F, 0x90, 0x9D})
            EXPECT_EQ(m.GlyphUnits(static_cast<unsigned char>(b)), 0) << face << " " << b;
    }
    // Every font, including the symbol fonts, expands a tab to ten of its spaces.
    for (int f = 0; f <= static_cast<int>(StandardFont::ZapfDingbats); ++f) {
        m.SetFont(static_cast<StandardFont>(f), 10);
        EXPECT_EQ(m.GlyphUnits('\t'), 10 * m.GlyphUnits(' ')) << m.fontName();
        EXPECT_GT(m.GlyphUnits(' '), 0) << m.fontName();
    }
}

TEST(TextMeasurerTest, CourierIsMonospacedInAllStyles) {
    TextMeasurer m;
    for (const char* face : {"Courier", "Courier-Bold", "Courier-Oblique", "Courier-BoldOblique"}) {
        m.SetFont(face, false, false, 10);
        ASSERT_STREQ(m.fontName(), face);
        for (int b = 0x20; b <= 0xFF; ++b) {
            if (b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D)
                continue;
            EXPECT_EQ(m.GlyphUnits(static_cast<unsigned char>(b)), 600) << face << " " << b;
        }
    }
    m.SetFont("Courier", false, false, 10);
    EXPECT_EQ(m.MeasureUnits("iiii"), m.MeasureUnits("WWWW"));
}

TEST(TextMeasurerTest, SymbolFontsUseTheirBuiltInCodes) {
    TextMeasurer m;
    m.SetFont("Symbol", false, false, 10);
    EXPECT_EQ(m.GlyphUnits('a'), 631);   // alpha
    EXPECT_EQ(m.GlyphUnits(0xA0), 750);  // Euro sits at 160 in Symbol
    m.SetFont("ZapfDingbats", false, false, 10);
    EXPECT_EQ(m.GlyphUnits('a'), 789);  // a60
    EXPECT_EQ(m.GlyphUnits(0xA1), 732);  // a101
    EXPECT_EQ(m.GlyphUnits(' '), 278);
}

struct FaceCase {
    const char* face;
    bool bold;
    bool italic;
    StandardFont expected;
};

TEST(TextMeasurerTest, FaceNamesMapToStandardFonts) {
    const FaceCase cases[] = {
        {"Arial", false, false, StandardFont::Helvetica},
        {"Arial", true, false, StandardFont::HelveticaBold},
        {"Arial", false, true, StandardFont::HelveticaOblique},
        {"Arial", true, true, StandardFont::HelveticaBoldOblique},
        {"Helvetica", false, false, StandardFont::Helvetica},
        {"Some Unknown Face", false, false, StandardFont::Helvetica},
        {"", true, false, StandardFont::HelveticaBold},
        {"Times New Roman", false, false, StandardFont::TimesRoman},
        {"Times New Roman", false, true, StandardFont::TimesItalic},
        {"TIMES NEW ROMAN", true, true, StandardFont::TimesBoldItalic},
        {"Times-Roman", false, false, StandardFont::TimesRoman},
        {"Times-BoldItalic", false, false, StandardFont::TimesBoldItalic},
        {"Times-Bold", false, true, StandardFont::TimesBoldItalic},  // flag adds to name
        {"Courier New", false, false, StandardFont::Courier},
        {"Courier New", true, false, StandardFont::CourierBold},
        {"courier", false, false, StandardFont::Courier},
        {"Courier-Oblique", false, false, StandardFont::CourierOblique},
        {"Courier-BoldOblique", false, false, StandardFont::CourierBoldOblique},
        {"Helvetica-Oblique", false, false, StandardFont::HelveticaOblique},
        {"Arial Bold Italic", false, false, StandardFont::HelveticaBoldOblique},
        {"Symbol", true, true, StandardFont::Symbol},
        {"ZapfDingbats", true, false, StandardFont::ZapfDingbats},
        {"ITC Zapf Dingbats", false, true, StandardFont::ZapfDingbats},
        {"Dingbats", false, false, StandardFont::ZapfDingbats},
    };
    TextMeasurer m;  // reused, so state left by one case must not leak into the next
    for (const auto& c : cases) {
        EXPECT_EQ(ResolveStandardFont(c.face, c.bold, c.italic), c.expected) << c.face;
        m.SetFont(c.face, c.bold, c.italic, 10);
        EXPECT_EQ(m.font(), c.expected) << c.face;
    }
    EXPECT_STREQ(StandardFontName(StandardFont::CourierBoldOblique), "Courier-BoldOblique");
    EXPECT_STREQ(StandardFontName(StandardFont::TimesRoman), "Times-Roman");
}

TEST(TextMeasurerTest, AliasFacesMeasureLikeTheirStandardFont) {
    const struct {
        const char* alias;
        bool bold;
        bool italic;
        const char* base;
    } cases[] = {
        {"Arial", true, false, "Helvetica-Bold"},
        {"Times New Roman", false, true, "Times-Italic"},
        {"Courier New", false, false, "Courier"},
        {"Unknown", false, false, "Helvetica"},
    };
    for (const auto& c : cases) {
        TextMeasurer alias, base;
        alias.SetFont(c.alias, c.bold, c.italic, 11);
        base.SetFont(c.base, false, false, 11);
        for (int b = 0; b < 256; ++b)
            ASSERT_EQ(alias.GlyphUnits(static_cast<unsigned char>(b)),
                      base.GlyphUnits(static_cast<unsigned char>(b)))
                << c.alias << " byte " << b;
    }
    // Bold really is a different table, so the comparison above can fail.
    TextMeasurer regular, bold;
    regular.SetFont("Arial", false, false, 10);
    bold.SetFont("Arial", true, false, 10);
    EXPECT_EQ(regular.GlyphUnits('A'), 667);
    EXPECT_EQ(bold.GlyphUnits('A'), 722);
}

TEST(TextMeasurerTest, NegativeSizeIsTakenAsAbsolute) {
    TextMeasurer m;
    m.SetFont("Arial", false, false, -12.0);
    EXPECT_DOUBLE_EQ(m.size(), 12.0);
    EXPECT_DOUBLE_EQ(m.MeasureTwips("W"), 226.56);
    m.SetSize(-8.0);
    EXPECT_DOUBLE_EQ(m.size(), 8.0);
    EXPECT_GT(m.MeasureTwips("x"), 0.0);
}

TEST(TextMeasurerTest, PrefixSumsEqualWholeMeasure) {
    TextMeasurer m;
    m.SetFont("Times New Roman", true, false, 10.5);
    // High bytes must not be read as negative chars.
    const std::string text = "Caf\xE9 \x80" "5 \x93quoted\x94\tend\xFF\xA0\xAD";
    long long prefix = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        prefix += m.GlyphUnits(static_cast<unsigned char>(text[i]));
        ASSERT_EQ(prefix, m.MeasureUnits(std::string_view(text).substr(0, i + 1))) << i;
    }
    EXPECT_EQ(prefix, m.MeasureUnits(text));
    EXPECT_DOUBLE_EQ(m.UnitsToTwips(prefix), m.MeasureTwips(text));
    // Splitting anywhere and adding the parts gives the same total.
    std::string_view view(text);
    for (size_t cut = 0; cut <= text.size(); ++cut)
        EXPECT_EQ(m.MeasureUnits(view.substr(0, cut)) + m.MeasureUnits(view.substr(cut)), prefix);
}

TEST(TextMeasurerTest, LongTextDoesNotOverflow) {
    TextMeasurer m;
    m.SetFont("Times-Bold", false, false, 10);
    const std::string text(3'000'000, 'W');  // 3e9 units, beyond a 32-bit int
    EXPECT_EQ(m.MeasureUnits(text), 3'000'000LL * 1000);
}

}  // namespace
}  // namespace scrivane
