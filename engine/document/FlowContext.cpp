#include "document/FlowContext.h"

#include "document/vorDocument.h"
#include "util/Numbers.h"

namespace scrivane {

double FlowContext::LineAdvance() const { return IntOr(format.dy, 0); }

int32_t FlowContext::Bottom() const {
    return IntOr(format.DefaultPageHeight, 843) - IntOr(format.DefaultDownMargin, 50);
}

void FlowContext::Record(std::string_view text) {
    document.AddFormatCondition(state.lineNumber, text);
}

}  // namespace scrivane
