#pragma once
// What a line's matching conditions do beyond its style: strip the marker that selected
// it, add a bookmark, hide the line. The layout applies them; LineConditionJudge tells
// the same for one line without laying anything out, for the editor.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "format/vorFormat.h"
#include "model/vorOutline.h"

namespace scrivane {

// A line that begins with this is an image tag: "<img src='a.jpg' left='40'>".
inline constexpr std::string_view kImageTag = "<img src='";

struct FlowContext;

// Of a line's resolved style (vorFormat::GetFormat): the matched beginning is taken off
// the line ("leftlinevalue" shown "RIGHT"), and the line is not printed ("NO").
bool StripsMarker(const vorFormat& resolved);
bool HidesLine(const vorFormat& resolved);

// Strips a "leftlinevalue" marker when the condition shows only the right part, adds the
// line's bookmark, hides "NO" lines; records what the source text needs to come back.
void ApplyLineConditions(FlowContext& flow, std::string& text);

// What the conditions make of one line.
struct LineEffect {
    bool selected = false;      // a condition selects the line
    std::string conditionName;  // the last condition that does
    size_t markerLength = 0;    // characters taken off the line's beginning
    int16_t bookmarkLevel = 0;  // a heading with a bookmark at this level; 0: none
    bool hidden = false;        // not printed
    bool header = false;        // printed at the top of every page instead
    bool link = false;
    bool note = false;
    bool image = false;         // places an image with the line
};

// A format's line conditions, ready to be asked line after line. The answer comes from
// the layout's own resolution (vorFormat::GetFormat), so the two never disagree; lines
// that no condition can select are told apart at once. "linenumber" conditions are
// matched against the number given: the layout also counts the breaks it inserts in
// wrapped lines, so after a wrapped line its numbers run ahead of the text's.
class LineConditionJudge {
public:
    explicit LineConditionJudge(const vorFormat& format);

    // The effect on line `lineNumber` (from 1) whose text is `line` (Windows-1252).
    LineEffect Judge(int32_t lineNumber, std::string_view line);

    bool empty() const { return resolver_.ListeFormats.empty(); }
    // The numbers that "linenumber" conditions select, ascending.
    const std::vector<int32_t>& lineNumbers() const { return lineNumbers_; }

private:
    bool MaySelect(int32_t lineNumber, std::string_view line) const;

    vorFormat resolver_;  // the conditions; its per-line fields hold the last answer
    std::array<bool, 256> firstBytes_{};  // first bytes of the texts conditions compare
    bool emptyLineSelected_ = false;      // a "linevalue" condition for the empty line
    std::vector<int32_t> lineNumbers_;
};

}  // namespace scrivane
