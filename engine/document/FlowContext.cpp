#include "document/FlowContext.h"

#include "document/JpegProbe.h"
#include "util/Encoding.h"
#include "util/FileIO.h"
#include "util/TextUtil.h"
#include "util/Numbers.h"

namespace scrivane {

double FlowContext::LineAdvance() const { return IntOr(format.dy, 0); }

int32_t FlowContext::Bottom() const {
    // The same height the pages get at the end: a valid 16-bit size, else the default.
    auto height = ToInt16(format.DefaultPageHeight);
    int32_t pageHeight = height && *height > 0 ? *height : kDefaultPageHeight;
    return pageHeight - IntOr(format.DefaultDownMargin, kDefaultBottomMargin);
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
    output.AddFormatCondition(state.lineNumber, text);
}

void FlowContext::Report(DiagnosticKind kind, std::string_view text, std::string message) {
    output.Report({state.sourceLine, kind, Cp1252ToUtf8(text), std::move(message)});
}

void FlowContext::ReportLine(DiagnosticKind kind, std::string message) {
    Report(kind, sourceText, std::move(message));
}

std::string FlowContext::ImageFileOnDisk(const std::string& name) const {
    return PathBeside(ResolveAppPath(name, options.appFolder), options.textFolder);
}

std::string FlowContext::ImageProblem(const std::string& name) const {
    const std::string path = ImageFileOnDisk(name);
    if (!FileExists(path)) return "image file not found: " + Cp1252ToUtf8(path);
    JpegSize size;
    if (ProbeJpeg(path, size) != kJpegOk) {
        return "not a JPEG file, or cut short: " + Cp1252ToUtf8(path);
    }
    return {};
}

void SavedByName::SaveFormatSet(const std::string& name, const vorFormatSet& set) {
    formatSets_.emplace(name, set);
}

bool SavedByName::LoadFormatSet(const std::string& name, vorFormatSet& set) const {
    auto found = name.empty() ? formatSets_.end() : formatSets_.find(name);
    if (found == formatSets_.end()) return false;
    set = found->second;
    return true;
}

void SavedByName::SaveY(const std::string& name, const std::string& y) {
    positions_.emplace(name, y);
}

bool SavedByName::LoadY(const std::string& name, std::string& y) const {
    auto found = name.empty() ? positions_.end() : positions_.find(name);
    if (found == positions_.end()) return false;
    y = found->second;
    return true;
}

}  // namespace scrivane
