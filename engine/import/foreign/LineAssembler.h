#pragma once
// Gathers the strings a page shows into lines of text in reading order.
#include <string>
#include <vector>

#include "import/foreign/ConversionBudget.h"
#include "model/vorContent.h"

namespace scrivane::foreign {

// A colour as the runs carry it, 0..255 a channel.
struct Colour {
    int r = 0, g = 0, b = 0;
    bool operator==(const Colour& other) const {
        return r == other.r && g == other.g && b == other.b;
    }
    // "r g b", or "" for black.
    std::string Text() const;
};

// One shown string (or strings that continue each other) in page coordinates: x from
// the left edge, y of the baseline from the top edge.
struct Piece {
    std::string text;
    double x = 0, xEnd = 0, y = 0, size = 0;
    Colour colour;
    bool blankBefore = false, blankAfter = false;  // space characters shown at the ends
    bool forcedSpace = false;                       // a TJ displacement wide as a space
};

constexpr double kSpaceGap = 0.2;  // gap, in font sizes, that separates words
constexpr double kBlankGap = 0.1;  // ... when a space character lies in it

// Whether a gap (in points) between two glyphs of a line separates words. Where the
// glyphs touch, whatever space characters say, they do not.
inline bool WordBreak(double gap, double size, bool blank) {
    return gap > kSpaceGap * size || (blank && gap > kBlankGap * size);
}

class LineAssembler {
public:
    explicit LineAssembler(ConversionBudget& budget) : budget_(budget) {}

    // Takes a piece: it joins the last one when it goes on to its right on the same line,
    // else it starts anew. Text past the budget is dropped (and the budget is full).
    void Add(Piece piece);
    // One run a line: lines top to bottom, pieces of a line left to right.
    // Pieces hold y from the top; the runs of a converted page hold the PDF's own y (from
    // the bottom), which the positioned text turns back into "<set>y=" from the top.
    void Emit(vorContent& block, double pageHeight) const;

private:
    std::string LineText(const std::vector<size_t>& line) const;

    ConversionBudget& budget_;
    std::vector<Piece> pieces_;
};

}  // namespace scrivane::foreign
