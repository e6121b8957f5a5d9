#include "document/CommandValueChecks.h"

#include "util/Numbers.h"
#include "util/TextUtil.h"

namespace scrivane::value_checks {

namespace {

constexpr const char* kNotANumber = "not a number";

// Why a 16-bit number is refused, or empty.
std::string Number16Problem(const std::string& value) {
    if (!IsNumeric(value)) return kNotANumber;
    if (!ToInt16(value)) return "out of range: -32768 to 32767";
    return {};
}

bool IsZeroSetting(const MarkupCommand& command) {
    auto value = ToInt16(command.value);
    return command.op == '=' && value && *value == 0;
}

}  // namespace

std::string Integer16(const MarkupCommand& command) { return Number16Problem(command.value); }

std::string FontSize(const MarkupCommand& command) {
    if (std::string problem = Number16Problem(command.value); !problem.empty()) return problem;
    return IsZeroSetting(command) ? "a font size of 0 makes the text invisible" : "";
}

std::string LineAdvance(const MarkupCommand& command) {
    if (std::string problem = Number16Problem(command.value); !problem.empty()) return problem;
    return IsZeroSetting(command) ? "a line advance of 0 prints every line over the one before"
                                  : "";
}

std::string Colour(const MarkupCommand& command) {
    const std::string& value = command.value;
    if (value.empty()) return {};  // no colour: black
    const char* problem = "a colour is three whole numbers 0 to 255 with single spaces, as 0 0 200";
    size_t start = 0;
    for (int part = 0; part < 3; ++part) {
        size_t end = part < 2 ? value.find(' ', start) : value.size();
        if (end == std::string::npos || end == start || end - start > 3) return problem;
        for (size_t i = start; i < end; ++i) {
            if (value[i] < '0' || value[i] > '9') return problem;
        }
        if (std::stoi(value.substr(start, end - start)) > 255) return problem;
        start = end + 1;
    }
    return {};
}

std::string Alignment(const MarkupCommand& command) {
    std::string word = AsciiLower(command.value);
    if (word.empty() || word == "left" || word == "right" || word == "justify") return {};
    return "the alignment is left, right or justify; any other word sets the text left";
}

std::string BottomMargin(const MarkupCommand& command) {
    auto value = ParseNumber(command.value);
    if (!value) return kNotANumber;
    if (*value <= -20000 || *value >= 20000) return "out of range: above -20000 and below 20000";
    return {};
}

std::string PageSize(const MarkupCommand& command) {
    if (!IsNumeric(command.value)) return kNotANumber;
    auto value = ToInt16(command.value);
    if (!value || *value < 1) return "out of range: a page is 1 to 32767 points";
    return {};
}

std::string ColumnGap(const MarkupCommand& command) {
    if (std::string problem = Number16Problem(command.value); !problem.empty()) return problem;
    if (*ToInt16(command.value) >= 20000) return "out of range: below 20000";
    return {};
}

std::string ColumnCount(const MarkupCommand& command) {
    auto value = ToInt32(command.value);
    if (!value) return "not a number: the text stays in one column";
    if (*value < 1) return "out of range: 1 column or more";
    return {};
}

std::string XmpSwitch(const MarkupCommand& command) {
    return command.value == "1" ? "" : "only 1 is taken: it turns XMP metadata on";
}

std::string OnOff(const MarkupCommand& command) {
    std::string value = AsciiUpper(command.value);
    if (value == "1" || value == "YES" || value == "0" || value == "NO") return {};
    return "the value is 1, YES, 0 or NO";
}

std::string NotEmpty(const MarkupCommand& command) {
    return command.value.empty() ? "the value is empty" : "";
}

}  // namespace scrivane::value_checks
