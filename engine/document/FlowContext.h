#pragma once
// What the parts of the line loop share while one text is laid out: the document being
// filled, the working format, the output format and the layout state.
#include <cstdint>
#include <string>
#include <string_view>

#include "format/vorFormat.h"

namespace scrivane {

class vorDocument;

// Layout state of one text; reset for each AddBuffer.
struct LayoutState {
    int32_t page = 1;
    int32_t lineNumber = 0;  // counts source lines and every break that wrapping inserts
    double x = 0;
    double y = 0;            // baseline of the current line, from the page top
    int32_t column = 1;
    int16_t columnGap = 20;
    int32_t columnTop = 0;   // y of the first line of every column of the current block
    int32_t deepestY = 0;    // lowest y reached when a column or page was left
    int16_t fontSize = 10;
    std::string fontName;
    std::string fontColour;
};

struct FlowContext {
    vorDocument& document;
    vorFormat& format;
    const int32_t target;  // 10 PDF, 20 XHTML, 30 XML, 40 SVG
    LayoutState state;

    bool IsPdf() const { return target == 10; }
    // The resolved line advance of the current line.
    double LineAdvance() const;
    // The bottom of the text area: page height less the bottom margin.
    int32_t Bottom() const;
    // Records "N:" + text for the current line in the document's source record.
    void Record(std::string_view text);
    // When the text is set in more columns than the current one: moves to the top of the
    // next column and says so; otherwise false.
    bool MoveToNextColumn();
    // Starts a new page: y at the top plus one advance, a new column top. With
    // resetColumn the text goes back to the first column as well.
    void StartNewPage(double lineAdvance, bool resetColumn);
};

}  // namespace scrivane
