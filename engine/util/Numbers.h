#pragma once
// Number rules shared by the engine: what counts as a number the user wrote, how it
// becomes an integer (nearest, halves to even), and how numbers are written into files.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scrivane {

// True for an optional sign, digits with at most one period (at least one digit), with
// optional blanks around. No exponents, no grouping: what a writer types by hand.
bool IsNumeric(std::string_view text);

// The value of a numeric text; nullopt when IsNumeric fails.
std::optional<double> ParseNumber(std::string_view text);

// Nearest integer, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4, -0.5 -> 0).
double RoundHalfEven(double value);

namespace numbers_detail {
// The value of a text of one to `maxDigits` plain digits, the form nearly every number the
// layout reads per line takes; false for anything else (read the general way).
inline bool PlainDigits(std::string_view text, size_t maxDigits, int32_t& value) {
    if (text.empty() || text.size() > maxDigits) return false;
    int32_t digits = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        digits = digits * 10 + (c - '0');
    }
    value = digits;
    return true;
}
std::optional<int16_t> ToInt16General(std::string_view text);
int32_t IntOrGeneral(std::string_view text, int32_t fallback);
}  // namespace numbers_detail

// Numeric text rounded half to even; nullopt when not numeric or outside -32768..32767.
inline std::optional<int16_t> ToInt16(std::string_view text) {
    int32_t value;
    if (numbers_detail::PlainDigits(text, 4, value)) return static_cast<int16_t>(value);
    return numbers_detail::ToInt16General(text);
}
// The same for a double already in hand.
std::optional<int16_t> ToInt16(double value);
// Numeric text rounded half to even into 32 bits; nullopt when not numeric or out of range.
std::optional<int32_t> ToInt32(std::string_view text);

// Nearest 16-bit integer (halves to even), saturating at the ends of the range.
int16_t SaturateInt16(double value);

// Nearest 32-bit integer (halves to even), saturating at the ends of the range.
int32_t SaturateInt32(double value);

// Integer value of a text the way the layout reads its own numeric fields: the rounded
// value when numeric and in 32-bit range, else the fallback.
inline int32_t IntOr(std::string_view text, int32_t fallback) {
    int32_t value;
    if (numbers_detail::PlainDigits(text, 9, value)) return value;
    return numbers_detail::IntOrGeneral(text, fallback);
}

// Shortest plain decimal form with up to 15 significant digits and a period as decimal
// point ("12", "0.5", "-3.25", "0.00001"); never an exponent.
std::string FormatNumber(double value);

// Appends FormatNumber(value) to out without a temporary for the common integral case.
void AppendNumber(std::string& out, double value);
void AppendInt(std::string& out, long long value);

}  // namespace scrivane
