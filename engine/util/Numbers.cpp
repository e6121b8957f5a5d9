#include "util/Numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace scrivane {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

bool IsNumeric(std::string_view text) {
    text = TrimBlanks(text);
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool digits = false, point = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits;
}

std::optional<double> ParseNumber(std::string_view text) {
    // Most numbers the layout reads are a few plain digits (sizes, spacings, positions),
    // read for every line: those need no trimming, sign or point, and are exact.
    if (!text.empty() && text.size() <= 15) {
        long long digits = 0;
        size_t i = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            digits = digits * 10 + (text[i] - '0');
        }
        if (i == text.size()) return static_cast<double>(digits);
    }
    if (!IsNumeric(text)) return std::nullopt;
    text = TrimBlanks(text);
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars refuses a leading '.', so read "5." and ".5" by parts when needed.
    double value = 0;
    std::string buffer;
    if (text.front() == '.' || text.back() == '.') {
        buffer.assign(text);
        if (buffer.front() == '.') buffer.insert(buffer.begin(), '0');
        if (buffer.back() == '.') buffer.push_back('0');
        text = buffer;
    }
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc()) {
        // Only out-of-range can fail here; give the nearest representable magnitude.
        value = std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    return std::nearbyint(value);  // default rounding mode: to nearest, ties to even
}

std::optional<int16_t> ToInt16(double value) {
    double r = RoundHalfEven(value);
    if (!(r >= -32768.0 && r <= 32767.0)) return std::nullopt;
    return static_cast<int16_t>(r);
}

int16_t SaturateInt16(double value) {
    double r = RoundHalfEven(value);
    if (!(r >= -32768.0)) return -32768;  // also NaN
    if (r > 32767.0) return 32767;
    return static_cast<int16_t>(r);
}

int32_t SaturateInt32(double value) {
    double r = RoundHalfEven(value);
    if (!(r >= -2147483648.0)) return INT32_MIN;  // also NaN
    if (r > 2147483647.0) return INT32_MAX;
    return static_cast<int32_t>(r);
}

std::optional<int16_t> numbers_detail::ToInt16General(std::string_view text) {
    auto value = ParseNumber(text);
    if (!value) return std::nullopt;
    return ToInt16(*value);
}

std::optional<int32_t> ToInt32(std::string_view text) {
    auto value = ParseNumber(text);
    if (!value) return std::nullopt;
    double r = RoundHalfEven(*value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) return std::nullopt;
    return static_cast<int32_t>(r);
}

int32_t numbers_detail::IntOrGeneral(std::string_view text, int32_t fallback) {
    auto value = ToInt32(text);
    return value ? *value : fallback;
}

void AppendInt(std::string& out, long long value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendNumber(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out.push_back('0');
        return;
    }
    if (value == std::trunc(value) && std::fabs(value) < 1e15) {
        AppendInt(out, static_cast<long long>(value));  // also turns -0 into 0
        return;
    }
    // Round to 15 significant digits, then spell the digits out without an exponent.
    char buffer[40];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                std::chars_format::scientific, 14);
    std::string_view sci(buffer, static_cast<size_t>(result.ptr - buffer));
    bool negative = sci.front() == '-';
    if (negative) sci.remove_prefix(1);
    size_t e = sci.find('e');
    std::string digits;
    digits.push_back(sci[0]);
    digits.append(sci.substr(2, e - 2));
    int exponent = std::atoi(std::string(sci.substr(e + 1)).c_str());
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string plain;
    int pointAt = exponent + 1;  // digits before the decimal point
    if (pointAt <= 0) {
        plain = "0.";
        plain.append(static_cast<size_t>(-pointAt), '0');
        plain += digits;
    } else if (static_cast<size_t>(pointAt) >= digits.size()) {
        plain = digits;
        plain.append(static_cast<size_t>(pointAt) - digits.size(), '0');
    } else {
        plain = digits.substr(0, static_cast<size_t>(pointAt));
        plain.push_back('.');
        plain += digits.substr(static_cast<size_t>(pointAt));
    }
    if (plain == "0") negative = false;
    if (negative) out.push_back('-');
    out += plain;
}

std::string FormatNumber(double value) {
    std::string out;
    AppendNumber(out, value);
    return out;
}

}  // namespace scrivane
