#include "document/FlowContext.h"

#include "document/vorDocument.h"
#include "util/Numbers.h"

namespace scrivane {

double FlowContext::LineAdvance() const { return IntOr(format.dy, 0); }

int32_t FlowContext::Bottom() const {
    // The same height the pages get at the end: a valid 16-bit size, else the default.
    auto height = ToInt16(format.DefaultPageHeight);
    int32_t pageHeight = height && *height > 0 ? *height : 843;
    return pageHeight - IntOr(format.DefaultDownMargin, 50);
}

bool FlowContext::MoveToNextColumn() {
    if (IntOr(format.columns, 0) <= state.column) return false;
    ++state.column;
    state.x = format.x + (format.linelength + state.columnGap) * (state.column - 1);
    state.deepestY = SaturateInt32(state.y);
    state.y = state.columnTop;
    return true;
}

void FlowContext::StartNewPage(double lineAdvance, bool resetColumn) {
    state.y = format.DefaultY + lineAdvance;
    state.columnTop = SaturateInt32(state.y);
    if (state.columnTop > state.deepestY) state.deepestY = state.columnTop;
    ++state.page;
    if (resetColumn) {
        state.column = 1;
        state.x = format.x;
    }
}

void FlowContext::Record(std::string_view text) {
    document.AddFormatCondition(state.lineNumber, text);
}

}  // namespace scrivane
