#include "document/MarkupCommand.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <unordered_map>

#include "document/CommandValueChecks.h"
#include "document/FlowContext.h"
#include "util/Encoding.h"
#include "util/Numbers.h"
#include "util/TextUtil.h"

namespace scrivane {

std::optional<MarkupCommand> ParseMarkupCommand(std::string_view line) {
    if (line.size() <= 7 || line.substr(0, 5) != "<set>") return std::nullopt;
    std::string_view rest = line.substr(5);
    size_t at = rest.find('=');
    if (at == std::string_view::npos) at = rest.find('+');
    if (at == std::string_view::npos) at = rest.find('-');
    if (at == std::string_view::npos || at == 0) return std::nullopt;

    MarkupCommand command;
    command.key = AsciiLower(std::string(rest.substr(0, at)));
    command.op = rest[at];
    command.value = std::string(rest.substr(at + 1));
    return command;
}

namespace {

std::string Text(long long value) {
    std::string text;
    AppendInt(text, value);
    return text;
}

// "=" sets, "+" adds, "-" subtracts; the value and the result must fit 16 bits.
void ApplyOperator(int16_t& field, const MarkupCommand& command) {
    auto value = ToInt16(command.value);
    if (!value) return;
    int32_t result = *value;
    if (command.op == '+') result = field + *value;
    if (command.op == '-') result = field - *value;
    if (result >= -32768 && result <= 32767) field = static_cast<int16_t>(result);
}

// A rule parameter "name:" number ";" found in the value; the default when absent. Kept
// within a million points either way: a PDF reader cannot take much larger numbers.
double RuleParameter(const std::string& value, std::string_view name, double fallback) {
    size_t at = value.find(name);
    if (at == std::string::npos) return fallback;
    size_t start = at + name.size();
    size_t end = value.find(';', start);
    if (end == std::string::npos) return fallback;
    auto number = ParseNumber(std::string_view(value).substr(start, end - start));
    if (!number || !std::isfinite(*number)) return fallback;
    return std::clamp(*number, -1e6, 1e6);
}

void SetY(const MarkupCommand& c, FlowContext& f) {
    auto value = ToInt16(c.value);
    if (!value) return;
    if (c.op == '=') f.state.y = *value;
    if (c.op == '+') f.state.y += *value;
    if (c.op == '-') f.state.y -= *value;
}

// The document information is UTF-8 whatever the text's encoding.
std::string InfoText(const MarkupCommand& c, const FlowContext& f) {
    return f.options.utf8Text ? c.value : Cp1252ToUtf8(c.value);
}

void SetBottom(const MarkupCommand& c, FlowContext& f) {
    auto value = ParseNumber(c.value);
    if (value && *value > -20000 && *value < 20000) f.format.DefaultDownMargin = c.value;
}

void SetTop(const MarkupCommand& c, FlowContext& f) {
    // Only a number moves the top; anything else leaves it where it was.
    if (auto value = ToInt16(c.value)) f.format.DefaultY = *value;
}

void AddHeaderImage(const MarkupCommand& c, FlowContext& f) {
    // Stamped on the pages only when the file is written: judged now, with its line.
    if (!c.value.empty()) {
        if (std::string problem = f.ImageProblem(c.value); !problem.empty()) {
            f.Report(DiagnosticKind::kImageNotPlaced, c.value, problem);
        }
    }
    vorImage image;
    image.ImageFileName = c.value;
    image.x = f.format.DefaultX;
    image.y = f.state.y;
    f.output.AddHeaderImage(std::move(image));
}

void AddHeaderText(const MarkupCommand& c, FlowContext& f) {
    PageHeader header;
    header.TextValue = c.value;
    header.x = f.format.DefaultX;
    header.y = f.state.y;
    header.fontcolor = f.format.DefaultFontColor;
    header.fontsize = f.format.DefaultFontSize;
    f.output.AddHeaderText(std::move(header));
}

void SaveFormat(const MarkupCommand& c, FlowContext& f) {
    vorFormatSet set;
    set.x = Text(f.format.DefaultX);
    set.fontsize = Text(f.format.DefaultFontSize);
    set.fontname = f.format.DefaultFont;
    set.fontcolor = f.format.DefaultFontColor;
    set.textalign = f.format.DefaultFontAlign;
    set.linelength = Text(f.format.DefaultLineLength);
    set.dy = Text(f.format.DefaultDY);
    f.saved.SaveFormatSet(c.value, set);
}

void LoadFormat(const MarkupCommand& c, FlowContext& f) {
    vorFormatSet set;
    if (!f.saved.LoadFormatSet(c.value, set)) {
        f.ReportLine(DiagnosticKind::kBadValue, "no style was saved under this name before");
        return;
    }
    f.format.DefaultX = ToInt16(set.x).value_or(f.format.DefaultX);
    f.format.DefaultFontSize = ToInt16(set.fontsize).value_or(f.format.DefaultFontSize);
    f.format.DefaultLineLength = ToInt16(set.linelength).value_or(f.format.DefaultLineLength);
    f.format.DefaultFont = set.fontname;
    f.format.DefaultFontColor = set.fontcolor;
    f.format.DefaultFontAlign = set.textalign;
    if (!set.dy.empty()) f.format.DefaultDY = ToInt16(set.dy).value_or(f.format.DefaultDY);
}

void SaveY(const MarkupCommand& c, FlowContext& f) {
    f.saved.SaveY(c.value, FormatNumber(f.state.y));
}

void LoadY(const MarkupCommand& c, FlowContext& f) {
    std::string saved;
    if (!f.saved.LoadY(c.value, saved)) {
        f.ReportLine(DiagnosticKind::kBadValue, "no position was saved under this name before");
        return;
    }
    if (auto value = ParseNumber(saved)) f.state.y = *value;
}

void AddRule(const MarkupCommand& c, FlowContext& f) {
    // "x:" is also found inside "lx:" (and "y:" inside "ly:"): x and y must come first in
    // the value when both are given, as the insert dialogs write them.
    double x = RuleParameter(c.value, "x:", f.state.x);
    double y = RuleParameter(c.value, "y:", f.state.y);
    double w = RuleParameter(c.value, "w:", 1);
    double lx = RuleParameter(c.value, "lx:", 400);
    double ly = RuleParameter(c.value, "ly:", 0);
    f.output.AddLine(x, y, lx, ly, w, f.state.page);
}

void SetColumns(const MarkupCommand& c, FlowContext& f) {
    f.format.DefaultColumns = c.value;
    LayoutState& s = f.state;
    if (s.column > 1 && s.deepestY > s.y) s.y = s.deepestY;
    s.column = 1;
    // The previous line's advance: the command runs before its own line resolves.
    auto advance = ParseNumber(f.format.dy);
    s.columnTop = SaturateInt32(s.y + (advance ? *advance : 0));
}

void SetColumnGap(const MarkupCommand& c, FlowContext& f) {
    auto value = ToInt16(c.value);
    if (value && *value < 20000) f.state.columnGap = *value;
}

void SetOptimize(const MarkupCommand& c, FlowContext& f) {
    std::string value = AsciiUpper(c.value);
    if (value == "1" || value == "YES") f.output.SetOptimize(true);
    if (value == "0" || value == "NO") f.output.SetOptimize(false);
}

void AddLink(const MarkupCommand& c, FlowContext& f) {
    if (c.value.empty()) return;
    const LayoutState& s = f.state;
    double size = s.fontSize;
    f.output.AddAnnotation("Link", c.value, SaturateInt16(RoundHalfEven(s.x) - size / 2),
                           SaturateInt16(RoundHalfEven(s.y) + 2),
                           SaturateInt16(static_cast<double>(c.value.size()) * size / 3 * 2),
                           SaturateInt16(size), s.page);
}

using Handler = std::function<void(const MarkupCommand&, FlowContext&)>;
using Check = std::string (*)(const MarkupCommand&);
using Command = const MarkupCommand&;
using Flow = FlowContext&;

// One command of the language: its key, what makes its value acceptable (null: any
// value), and what it does.
struct CommandEntry {
    const char* key;
    Check check;
    Handler execute;
};

namespace vc = value_checks;

const std::vector<CommandEntry>& CommandTable() {  // data table
    static const std::vector<CommandEntry> table = {
        {"x", vc::Integer16, [](Command c, Flow f) { ApplyOperator(f.format.DefaultX, c); }},
        {"y", vc::Integer16, SetY},
        {"dy", vc::LineAdvance, [](Command c, Flow f) { ApplyOperator(f.format.DefaultDY, c); }},
        {"linelength", vc::Integer16,
         [](Command c, Flow f) { ApplyOperator(f.format.DefaultLineLength, c); }},
        {"maxcar", vc::Integer16,
         [](Command c, Flow f) { ApplyOperator(f.format.DefaultMaxLenLine, c); }},
        {"fontsize", vc::FontSize,
         [](Command c, Flow f) { ApplyOperator(f.format.DefaultFontSize, c); }},
        {"fontname", nullptr, [](Command c, Flow f) { f.format.DefaultFont = c.value; }},
        {"textalign", vc::Alignment,
         [](Command c, Flow f) { f.format.DefaultFontAlign = AsciiLower(c.value); }},
        {"fontcolor", vc::Colour, [](Command c, Flow f) { f.format.DefaultFontColor = c.value; }},
        {"title", nullptr, [](Command c, Flow f) { f.output.Infos().title = InfoText(c, f); }},
        {"author", nullptr, [](Command c, Flow f) { f.output.Infos().author = InfoText(c, f); }},
        {"subject", nullptr,
         [](Command c, Flow f) { f.output.Infos().subject = InfoText(c, f); }},
        {"keywords", nullptr,
         [](Command c, Flow f) { f.output.Infos().keywords = InfoText(c, f); }},
        {"bottom", vc::BottomMargin, SetBottom},
        {"top", vc::Integer16, SetTop},
        {"imgheader", vc::NotEmpty, AddHeaderImage},
        {"header", nullptr, AddHeaderText},
        {"saveformat", nullptr, SaveFormat},
        {"loadformat", nullptr, LoadFormat},
        {"savey", nullptr, SaveY},
        {"loady", nullptr, LoadY},
        {"pagewidth", vc::PageSize,
         [](Command c, Flow f) { if (IsNumeric(c.value)) f.format.DefaultPageWidth = c.value; }},
        {"pageheight", vc::PageSize,
         [](Command c, Flow f) { if (IsNumeric(c.value)) f.format.DefaultPageHeight = c.value; }},
        {"line", nullptr, AddRule},
        {"columns", vc::ColumnCount, SetColumns},
        {"xcolumns", vc::ColumnGap, SetColumnGap},
        {"xmp", vc::XmpSwitch, [](Command c, Flow f) { if (c.value == "1") f.output.UseXmp(); }},
        {"optimize", vc::OnOff, SetOptimize},
        {"link", vc::NotEmpty, AddLink},
    };
    return table;
}

const CommandEntry* FindCommand(const std::string& key) {
    static const std::unordered_map<std::string, const CommandEntry*> byKey = [] {
        std::unordered_map<std::string, const CommandEntry*> map;
        for (const CommandEntry& entry : CommandTable()) map.emplace(entry.key, &entry);
        return map;
    }();
    auto found = byKey.find(key);
    return found == byKey.end() ? nullptr : found->second;
}

}  // namespace

CommandVerdict JudgeMarkupCommand(const MarkupCommand& command) {
    CommandVerdict verdict;
    verdict.isCommand = true;
    const CommandEntry* entry = FindCommand(command.key);
    if (!entry) {
        verdict.reason = "no command is called \"" + command.key + "\"; the line changes nothing";
        return verdict;
    }
    verdict.known = true;
    if (entry->check) verdict.reason = entry->check(command);
    verdict.accepted = verdict.reason.empty();
    return verdict;
}

CommandVerdict JudgeCommandLine(std::string_view line) {
    std::optional<MarkupCommand> command = ParseMarkupCommand(line);
    return command ? JudgeMarkupCommand(*command) : CommandVerdict{};
}

const std::vector<std::string>& CommandKeys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> all;
        for (const CommandEntry& entry : CommandTable()) all.emplace_back(entry.key);
        return all;
    }();
    return keys;
}

void ExecuteMarkupCommand(const MarkupCommand& command, FlowContext& flow) {
    if (const CommandEntry* entry = FindCommand(command.key)) entry->execute(command, flow);
}

}  // namespace scrivane
