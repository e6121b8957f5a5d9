#include "document/LineConditions.h"

#include "document/FlowContext.h"
#include "model/PageDefaults.h"
#include "util/Numbers.h"

namespace scrivane {

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
            entry.top = SaturateInt32(flow.state.fontSize + kDefaultPageHeight - flow.state.y);
            flow.output.AddOutline(std::move(entry));
        }
        flow.Record(format.isHeader ? marker + text : marker);
    }
    if (format.show == "NO") {
        flow.Record(text);
        text.clear();
    }
}

}  // namespace scrivane
