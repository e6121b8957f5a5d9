#pragma once
// Measures text with the widths of the 14 standard PDF fonts: the layout cuts lines with
// it, and the conversion of other programs' PDFs places runs with it.
#include <string>
#include <string_view>

namespace scrivane {

// The 14 standard PDF fonts, in the order of the generated width tables.
enum class StandardFont {
    Helvetica,
    HelveticaBold,
    HelveticaOblique,
    HelveticaBoldOblique,
    TimesRoman,
    TimesBold,
    TimesItalic,
    TimesBoldItalic,
    Courier,
    CourierBold,
    CourierOblique,
    CourierBoldOblique,
    Symbol,
    ZapfDingbats,
};

// PDF base font name, e.g. "Times-BoldItalic".
const char* StandardFontName(StandardFont font);

// Maps a face name plus style flags to one of the standard fonts.
// Case-insensitive: "courier" -> Courier family, "times" -> Times, the name "Symbol"
// (exactly: "Segoe UI Symbol" is a text face) -> Symbol, "zapf"/"dingbat" ->
// ZapfDingbats, anything else -> Helvetica.  Bold when the flag is
// set or the name contains "bold"; italic when the flag is set or the name contains
// "italic" or "oblique".  Symbol and ZapfDingbats ignore bold/italic.
StandardFont ResolveStandardFont(std::string_view face, bool bold, bool italic);

// Measures Windows-1252 text with the standard PDF font widths.
class TextMeasurer {
public:
    TextMeasurer() = default;  // Helvetica, 10 pt

    // face: a face name such as "Arial", "Times New Roman", "Courier New", "Courier",
    // "Helvetica", or a PDF base name such as "Times-BoldItalic"; bold/italic flags add to
    // what the name implies. size in points (negative taken as absolute value).
    void SetFont(const std::string& face, bool bold, bool italic, double size);
    void SetFont(StandardFont font, double size);
    void SetSize(double size);

    StandardFont font() const { return font_; }
    const char* fontName() const { return StandardFontName(font_); }
    double size() const { return size_; }

    // Advance of one byte in 1/1000 em units of the current font (exact integer).
    int GlyphUnits(unsigned char c) const { return widths_[c]; }

    // Sum of glyph units of a string (exact integer, so a prefix sum built one glyph at a
    // time equals the whole measure).
    long long MeasureUnits(std::string_view text) const;

    // Width in twips (1/20 point) = units * size * 20 / 1000.
    double MeasureTwips(std::string_view text) const;
    double UnitsToTwips(long long units) const {
        // units/1000 em * size pt * 20 twips/pt
        return static_cast<double>(units) * size_ / 50.0;
    }
    double GlyphTwips(unsigned char c) const { return UnitsToTwips(GlyphUnits(c)); }

private:
    static const unsigned short* TableFor(StandardFont font);

    StandardFont font_ = StandardFont::Helvetica;
    double size_ = 10.0;
    const unsigned short* widths_ = TableFor(StandardFont::Helvetica);
    // The last face name resolved, and what it gave.
    bool resolved_ = false;
    std::string resolvedFace_;
    bool resolvedBold_ = false;
    bool resolvedItalic_ = false;
    StandardFont resolvedFont_ = StandardFont::Helvetica;
};

}  // namespace scrivane
