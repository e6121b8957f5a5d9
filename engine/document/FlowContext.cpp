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

void FlowContext::Record(std::string_view text) {
    document.AddFormatCondition(state.lineNumber, text);
}

}  // namespace scrivane
