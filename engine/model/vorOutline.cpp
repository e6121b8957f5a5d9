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

bool InsertOutline(vorOutlines& root, vorOutline entry) {
    if (root.outlines.empty() || root.outlines.back().level >= entry.level) {
        root.outlines.push_back(std::move(entry));
        return true;
    }
    vorOutline* current = &root.outlines.back();
    for (int descents = 0; descents < 10; ++descents) {
        if (current->outlines.empty() || current->outlines.back().level >= entry.level) {
            current->outlines.push_back(std::move(entry));
            return true;
        }
        current = &current->outlines.back();
    }
    return false;
}

}  // namespace scrivane
