#pragma once
// What the conversion knows of a font: how shown bytes split into codes, what each code
// reads as and how wide it is.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "import/foreign/CMap.h"

namespace scrivane::foreign {

struct ForeignFont {
    bool composite = false;                   // Type0: multi-byte codes through a code space
    std::array<std::string, 256> simpleText;  // simple fonts: Windows-1252 text of a code
    std::array<double, 256> simpleWidth{};    // ... and its advance, 1/1000 em
    std::vector<CodeRange> ranges;            // composite fonts' code space, shortest first
    std::unordered_map<uint32_t, std::string> toUnicode;
    std::unordered_map<uint32_t, double> cidWidth;
    double defaultWidth = 1000;
};

// The length of the code that starts at bytes[at] in a composite font (at < bytes.size()):
// that of the first code space range it falls in, else 2 (or what is left).
size_t CompositeCodeLength(const ForeignFont& font, std::string_view bytes, size_t at);
// The same in any font: 1 in a simple font.
inline size_t CodeLength(const ForeignFont& font, std::string_view bytes, size_t at) {
    return font.composite ? CompositeCodeLength(font, bytes, at) : 1;
}

// The font of text shown before any font was chosen, or with one that cannot be read:
// the bytes as Windows-1252 with Helvetica's widths.
const ForeignFont& FallbackFont();

}  // namespace scrivane::foreign
