#include "import/foreign/LineAssembler.h"

#include <algorithm>
#include <cmath>

namespace scrivane::foreign {

namespace {

constexpr double kLineTolerance = 1.0 / 3;  // baseline difference, in font sizes, of a line
constexpr size_t kPieceCost = 48;           // text budget a run takes besides its text

// Whether piece goes on from last: same size, baseline and colour, starting no more
// than a little left of last's end and no more than a font size right of it.
bool Continues(const Piece& last, const Piece& piece) {
    double gap = piece.x - last.xEnd;
    double size = std::max(last.size, piece.size);
    return std::fabs(last.size - piece.size) < 0.01 * size &&
           std::fabs(last.y - piece.y) < 0.01 * size && last.colour == piece.colour &&
           gap >= -0.1 * size && gap <= size;
}

}  // namespace

std::string Colour::Text() const {
    if (r == 0 && g == 0 && b == 0) return {};
    return std::to_string(r) + " " + std::to_string(g) + " " + std::to_string(b);
}

void LineAssembler::Add(Piece piece) {
    if (!std::isfinite(piece.x) || !std::isfinite(piece.y) || !std::isfinite(piece.xEnd) ||
        !std::isfinite(piece.size)) {
        return;
    }
    size_t cost = piece.text.size();
    if (!pieces_.empty() && Continues(pieces_.back(), piece)) {
        Piece& last = pieces_.back();
        double gap = piece.x - last.xEnd;
        double size = std::max(last.size, piece.size);
        if (piece.forcedSpace || WordBreak(gap, size, last.blankAfter || piece.blankBefore)) {
            last.text.push_back(' ');
        }
        last.text += piece.text;
        last.xEnd = piece.xEnd;
        last.blankAfter = piece.blankAfter;
        budget_.SpendText(cost + 1);
        return;
    }
    if (budget_.SpendText(cost + kPieceCost)) pieces_.push_back(std::move(piece));
}

std::string LineAssembler::LineText(const std::vector<size_t>& line) const {
    std::string text;
    const Piece* previous = nullptr;
    double previousEnd = 0;
    for (size_t index : line) {
        const Piece& piece = pieces_[index];
        if (previous) {
            double gap = piece.x - previousEnd;
            bool space = piece.forcedSpace ||
                         WordBreak(gap, std::max(previous->size, piece.size),
                                   previous->blankAfter || piece.blankBefore);
            if (space && text.back() != ' ') text.push_back(' ');
        }
        text += piece.text;
        previousEnd = previous ? std::max(previousEnd, piece.xEnd) : piece.xEnd;
        previous = &piece;
    }
    return text;
}

void LineAssembler::Emit(vorContent& block, double pageHeight) const {
    std::vector<size_t> order(pieces_.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return pieces_[a].y < pieces_[b].y; });
    std::vector<std::vector<size_t>> lines;
    double lineY = 0, lineSize = 0;
    for (size_t index : order) {
        const Piece& piece = pieces_[index];
        double tolerance = std::max(lineSize, piece.size) * kLineTolerance;
        if (lines.empty() || std::fabs(piece.y - lineY) > tolerance) {
            lines.emplace_back();
            lineY = piece.y;
            lineSize = piece.size;
        }
        lines.back().push_back(index);
    }
    for (auto& line : lines) {
        std::stable_sort(line.begin(), line.end(),
                         [&](size_t a, size_t b) { return pieces_[a].x < pieces_[b].x; });
        const Piece& first = pieces_[line.front()];
        double size = std::clamp(std::round(first.size), 1.0, 32767.0);
        block.AddText(LineText(line), "", static_cast<int16_t>(size), first.x,
                      pageHeight - first.y,
                      first.colour.Text(), 0, "");
    }
}

}  // namespace scrivane::foreign
