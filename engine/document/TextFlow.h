#pragma once
// The line loop of an export: splits the text into lines and lays each one out into a
// layout target: command lines, line conditions, furniture and text placement.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/FlowContext.h"
#include "document/LinePlacement.h"
#include "format/vorFormat.h"

namespace scrivane {

class TextFlow {
public:
    TextFlow(LayoutTarget& output, vorFormat& working, const FlowSettings& settings);

    // Lays out every line of the buffer.
    void Run(std::string_view buffer);
    // The same for a text in pieces (EngineText::pieces: every piece but the last ends
    // with a line's CR LF), each emptied once its lines are laid out.
    void Run(std::vector<std::string>& pieces);

private:
    void LayOutLine(std::string_view source);
    // Before a line that would cross the bottom margin (PDF only): the next column, when
    // the text is set in columns and one is left, otherwise the top of a new page.
    void BreakBeforeLine(double lineAdvance);

    FlowSettings settings_;
    FlowContext flow_;
    LinePlacer placer_;
    std::string line_;  // the line being laid out, changed as its conditions take parts
};

}  // namespace scrivane
