#pragma once
// The line loop of an export: splits the text into lines and lays each one out on the
// pages of a document, keeping the layout state (page, line number, position, column).
#include <cstdint>
#include <string>
#include <string_view>

#include "format/vorFormat.h"

namespace scrivane {

class vorDocument;
struct MarkupCommand;

class TextFlow {
public:
    TextFlow(vorDocument& document, vorFormat& working, int32_t targetFormat);

    // Lays out every line of the buffer.
    void Run(std::string_view buffer);

private:
    void LayOutLine(std::string_view source);
    // Page break before a line (PDF only) when the line would cross the bottom margin.
    void BreakPageIfFull(double lineAdvance);
    // A command line's effect on the document and the layout state.
    void ExecuteCommand(const MarkupCommand& command);
    // What the line's conditions do to its text: markers, bookmarks, hidden lines,
    // images, links, notes and page headers.
    void ApplyConditionEffects(std::string& text);
    // Places the remaining text at the current position.
    void PlaceText(const std::string& text);

    vorDocument& document_;
    vorFormat& format_;
    const int32_t target_;

    int32_t page_ = 1;
    int32_t lineNumber_ = 0;
    double x_ = 0;
    double y_ = 0;
    int16_t column_ = 1;
    int16_t columnGap_ = 20;
    int32_t columnTop_ = 0;
    int32_t deepestY_ = 0;
    int16_t fontSize_ = 10;
    std::string fontName_;
    std::string fontColour_;
};

}  // namespace scrivane
