#include "text/TextMeasurer.h"

#include <cctype>
#include <cmath>

namespace scrivane {

namespace {

#include "text/StandardFontWidths.inc"

static_assert(kStandardFontCount == static_cast<int>(StandardFont::ZapfDingbats) + 1,
              "StandardFont enum out of step with the generated width tables");

bool ContainsNoCase(std::string_view haystack, std::string_view needle) {
    if (needle.size() > haystack.size()) return false;
    auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    for (size_t i = 0; i + needle.size() <= haystack.size(); ++i) {
        size_t j = 0;
        while (j < needle.size() && lower(haystack[i + j]) == needle[j]) ++j;
        if (j == needle.size()) return true;
    }
    return false;
}

// Helvetica, Times and Courier are each laid out as regular, bold, italic, bold-italic.
StandardFont Styled(StandardFont regular, bool bold, bool italic) {
    int offset = (bold ? 1 : 0) + (italic ? 2 : 0);
    return static_cast<StandardFont>(static_cast<int>(regular) + offset);
}

}  // namespace

const char* StandardFontName(StandardFont font) {
    int index = static_cast<int>(font);
    if (index < 0 || index >= kStandardFontCount) return kStandardFontNames[0];
    return kStandardFontNames[index];
}

// Only the symbol fonts' own names pick their widths: "Segoe UI Symbol" is a text face.
bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

StandardFont ResolveStandardFont(std::string_view face, bool bold, bool italic) {
    StandardFont family = StandardFont::Helvetica;
    if (ContainsNoCase(face, "courier"))
        family = StandardFont::Courier;
    else if (ContainsNoCase(face, "times"))
        family = StandardFont::TimesRoman;
    else if (EqualsNoCase(face, "symbol"))
        return StandardFont::Symbol;  // no bold or italic variants
    else if (ContainsNoCase(face, "zapf") || ContainsNoCase(face, "dingbat"))
        return StandardFont::ZapfDingbats;

    bold = bold || ContainsNoCase(face, "bold");
    italic = italic || ContainsNoCase(face, "italic") || ContainsNoCase(face, "oblique");
    return Styled(family, bold, italic);
}

const unsigned short* TextMeasurer::TableFor(StandardFont font) {
    int index = static_cast<int>(font);
    if (index < 0 || index >= kStandardFontCount) index = 0;
    return kStandardFontWidths[index];
}

void TextMeasurer::SetFont(const std::string& face, bool bold, bool italic, double size) {
    // The layout sets the font of every line, mostly the one it had: the name is looked
    // through again only when it changes.
    if (!resolved_ || face != resolvedFace_ || bold != resolvedBold_ || italic != resolvedItalic_) {
        resolvedFont_ = ResolveStandardFont(face, bold, italic);
        resolvedFace_ = face;
        resolvedBold_ = bold;
        resolvedItalic_ = italic;
        resolved_ = true;
    }
    SetFont(resolvedFont_, size);
}

void TextMeasurer::SetFont(StandardFont font, double size) {
    font_ = font;
    widths_ = TableFor(font);
    SetSize(size);
}

void TextMeasurer::SetSize(double size) {
    size_ = std::fabs(size);
}

long long TextMeasurer::MeasureUnits(std::string_view text) const {
    // Four sums side by side, so that each addition need not wait for the one before.
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const size_t size = text.size();
    long long a = 0, b = 0, c = 0, d = 0;
    size_t i = 0;
    for (; i + 4 <= size; i += 4) {
        a += widths_[bytes[i]];
        b += widths_[bytes[i + 1]];
        c += widths_[bytes[i + 2]];
        d += widths_[bytes[i + 3]];
    }
    for (; i < size; ++i) a += widths_[bytes[i]];
    return a + b + c + d;
}

double TextMeasurer::MeasureTwips(std::string_view text) const {
    return UnitsToTwips(MeasureUnits(text));
}

}  // namespace scrivane
