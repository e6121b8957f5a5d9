#include "document/LineConditions.h"

#include "document/FlowContext.h"
#include "document/vorDocument.h"
#include "util/Numbers.h"

namespace scrivane {

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

void ApplyLineConditions(FlowContext& flow, std::string& text) {
    vorFormat& format = flow.format;
    if (format.conditionType == "leftlinevalue" && format.show == "RIGHT") {
        const std::string& marker = format.conditionValue;
        if (text.size() > marker.size()) {
            text.erase(0, marker.size());
        } else if (text.size() == marker.size()) {
            text.clear();
        }
        if (format.bk > 0) {
            vorOutline entry;
            entry.dest = std::to_string(flow.state.page);
            entry.title = text;
            entry.level = format.bk;
            entry.top = SaturateInt32(flow.state.fontSize + 843 - flow.state.y);
            auto& outlines = flow.document.Outlines();
            if (!outlines) outlines.emplace();
            InsertOutline(*outlines, std::move(entry));
        }
        flow.Record(format.isHeader ? marker + text : marker);
    }
    if (format.show == "NO") {
        flow.Record(text);
        text.clear();
    }
}

}  // namespace scrivane
