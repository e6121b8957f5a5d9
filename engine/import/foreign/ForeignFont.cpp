#include "import/foreign/ForeignFont.h"

#include <algorithm>

#include "text/TextMeasurer.h"

namespace scrivane::foreign {

size_t CompositeCodeLength(const ForeignFont& font, std::string_view bytes, size_t at) {
    size_t left = bytes.size() - at;
    for (const CodeRange& range : font.ranges) {
        if (range.length > left) continue;
        bool inside = true;
        for (size_t k = 0; k < range.length && inside; ++k) {
            auto byte = static_cast<unsigned char>(bytes[at + k]);
            inside = byte >= range.low[k] && byte <= range.high[k];
        }
        if (inside) return range.length;
    }
    return std::min<size_t>(2, left);
}

const ForeignFont& FallbackFont() {
    static const ForeignFont font = [] {
        ForeignFont f;
        TextMeasurer helvetica;
        for (int c = 0; c < 256; ++c) {
            if (c >= 0x20 && c != 0x7F) f.simpleText[c] = std::string(1, static_cast<char>(c));
            f.simpleWidth[c] = helvetica.GlyphUnits(static_cast<unsigned char>(c));
        }
        return f;
    }();
    return font;
}

}  // namespace scrivane::foreign
