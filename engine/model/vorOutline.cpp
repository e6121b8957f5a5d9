#include "model/vorOutline.h"

namespace scrivane {

int32_t vorOutline::OutlinesCount() const {
    int32_t count = static_cast<int32_t>(outlines.size());
    for (const auto& child : outlines) count += child.OutlinesCount();
    return count;
}

int32_t vorOutlines::TotalCount() const {
    int32_t count = static_cast<int32_t>(outlines.size());
    for (const auto& entry : outlines) count += entry.OutlinesCount();
    return count;
}

}  // namespace scrivane
