#pragma once
// Turns a resolved line into page content: images of image tags and conditions, link
// and note annotations, page-header lines, and the text itself, cut into pieces that fit
// the column (by measured width or by a character limit) and flowed into the next
// column or page when the page is full.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/TextMeasurer.h"

namespace scrivane {

struct FlowContext;
class UnicodeFace;

class LinePlacer {
public:
    explicit LinePlacer(FlowContext& flow);

    // Places what the line brings besides its text; the text may become empty (image
    // tags, header lines).
    void PlaceFurniture(std::string& text);
    // Places the text: one run, or a run per piece when it does not fit.
    void PlaceText(const std::string& text);

private:
    void PlaceImageTag(std::string& text);
    void PlaceConditionImage();
    // Places an image the text names (x, y its top-left corner; 0 for a size keeps the
    // picture's own), or reports why it cannot; true when placed.
    bool PlaceImage(const std::string& name, double x, double y, double width, double height);
    void PlaceAnnotations(const std::string& text);
    void TakeHeaderLine(std::string& text);

    void SetMeasuringFont();
    // The line the widths below are of; its prefix widths are measured when first needed.
    void StartLine(std::string_view line);
    void MeasurePrefixes();
    long long LineUnits();
    void PlaceByWidth(std::string_view line);
    void PlaceByCharacterLimit(std::string_view line);
    // Places line[start, end) at the current position, aligned, with extra width.
    void PlacePiece(std::string_view line, size_t start, size_t end, double extraWidth,
                    std::string_view alignment);
    // Width in twips of line[start, end) of the current line.
    double Width(size_t start, size_t end);
    // Where a piece from `start` ends: on the first character that makes it at least
    // `limit` wide, or at the line's end.
    size_t PieceEnd(std::string_view line, size_t start, double limit);
    void MeasureUtf8Line(std::string_view line);
    // Positions and counts of characters: bytes in Windows-1252 text, code points in
    // UTF-8 text.
    size_t NextChar(std::string_view line, size_t i) const;
    size_t PreviousChar(std::string_view line, size_t i) const;
    size_t CharCount(std::string_view text) const;
    // The bytes of `count` characters from line[start] (fewer at the line's end).
    size_t CharsToBytes(std::string_view line, size_t start, size_t count) const;
    // After a piece: the line number counts the inserted break, y moves down, and a full
    // column or page is left.
    void AdvanceAfterPiece(bool columnsAllowed, int32_t bottom);

    FlowContext& flow_;
    TextMeasurer measurer_;
    std::string_view line_;          // the line being placed
    bool prefixReady_ = false;
    std::vector<long long> prefix_;  // glyph units of the first i characters of line_
    // The font name measured last and what it resolved to.
    bool faceKnown_ = false;
    std::string measuredName_;
    StandardFont measuredFont_ = StandardFont::Helvetica;
    bool utf8_ = false;              // the text is UTF-8, beyond Windows-1252
    const UnicodeFace* unicodeFace_ = nullptr;  // what UTF-8 text is measured with
};

}  // namespace scrivane
