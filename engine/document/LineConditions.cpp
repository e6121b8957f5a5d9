#include "document/LineConditions.h"

#include <algorithm>

#include "document/FlowContext.h"
#include "model/PageDefaults.h"
#include "util/Numbers.h"

namespace scrivane {

bool StripsMarker(const vorFormat& resolved) {
    return resolved.conditionType == "leftlinevalue" && resolved.show == "RIGHT";
}

bool HidesLine(const vorFormat& resolved) { return resolved.show == "NO"; }

void ApplyLineConditions(FlowContext& flow, std::string& text) {
    vorFormat& format = flow.format;
    if (StripsMarker(format)) {
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
    if (HidesLine(format)) {
        flow.Record(text);
        text.clear();
    }
}

LineConditionJudge::LineConditionJudge(const vorFormat& format) {
    resolver_.ListeFormats = format.ListeFormats;
    resolver_.AppFolder = format.AppFolder;
    for (const vorFormat& c : resolver_.ListeFormats) {
        const std::string& value = c.conditionValue;
        if (c.conditionType == "linenumber") {
            // Only a number written as the layout writes it can ever match.
            std::optional<int32_t> number = ToInt32(value);
            if (number && std::to_string(*number) == value) lineNumbers_.push_back(*number);
        } else if (c.conditionType == "linevalue" || c.conditionType == "leftlinevalue") {
            if (!value.empty()) {
                firstBytes_[static_cast<unsigned char>(value[0])] = true;
            } else if (c.conditionType == "linevalue") {
                emptyLineSelected_ = true;
            }
        }
    }
    std::sort(lineNumbers_.begin(), lineNumbers_.end());
}

bool LineConditionJudge::MaySelect(int32_t lineNumber, std::string_view line) const {
    if (line.empty() ? emptyLineSelected_ : firstBytes_[static_cast<unsigned char>(line[0])]) {
        return true;
    }
    return std::binary_search(lineNumbers_.begin(), lineNumbers_.end(), lineNumber);
}

LineEffect LineConditionJudge::Judge(int32_t lineNumber, std::string_view line) {
    LineEffect effect;
    if (!MaySelect(lineNumber, line)) return effect;
    resolver_.GetFormat(lineNumber, line);
    const vorFormat& r = resolver_;
    if (r.conditionType.empty()) return effect;  // set by every match, cleared otherwise

    effect.selected = true;
    for (auto c = r.ListeFormats.rbegin(); c != r.ListeFormats.rend(); ++c) {
        if (c->conditionType == r.conditionType && c->conditionValue == r.conditionValue) {
            effect.conditionName = c->conditionName;
            break;
        }
    }
    if (StripsMarker(r)) {
        effect.markerLength = std::min(r.conditionValue.size(), line.size());
        if (r.bk > 0) effect.bookmarkLevel = r.bk;
    }
    effect.hidden = HidesLine(r);
    effect.header = r.isHeader;
    effect.link = r.isLink;
    effect.note = r.isAnnotation;
    effect.image = !r.ImageFile.empty();
    return effect;
}

}  // namespace scrivane
