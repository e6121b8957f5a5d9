#include "util/Numbers.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

namespace scrivane {
namespace {

TEST(NumbersTest, NumericTextIsASignedDecimalWithOnePeriodAtMost) {
    for (const char* text : {"007", "-3", "+3", ".5", "5.", "-.5", "  -1.5  "})
        EXPECT_TRUE(IsNumeric(text)) << '"' << text << '"';
    for (const char* text : {"", " ", "-", ".", "-.", "1.2.3", "1e5", "1,5", "12a", "0x10", "- 5",
                             "5 5", "+-5", "5-", "inf"})
        EXPECT_FALSE(IsNumeric(text)) << '"' << text << '"';
    EXPECT_EQ(ParseNumber("-.25"), -0.25);
    EXPECT_EQ(ParseNumber(" +12.75 "), 12.75);
    EXPECT_EQ(ParseNumber("5."), 5.0);
    EXPECT_EQ(ParseNumber("1e3"), std::nullopt);
}

// Plain digits take a shorter road; it must end where the general one does, at every
// length, with blanks, signs or a point beside them, and past the digits a double holds.
TEST(NumbersTest, PlainDigitsReadAsTheGeneralReadingDoes) {
    std::string digits;
    for (int length = 1; length <= 20; ++length) {
        digits.push_back(static_cast<char>('0' + (length * 7) % 10));
        for (const std::string& text : {digits, "0" + digits, " " + digits, digits + ".",
                                        "+" + digits}) {
            ASSERT_TRUE(ParseNumber(text).has_value()) << text;
            EXPECT_EQ(*ParseNumber(text), std::stod(text)) << text;
        }
        EXPECT_EQ(ParseNumber(digits + "x"), std::nullopt);
        EXPECT_EQ(ParseNumber("x" + digits), std::nullopt);
    }
    EXPECT_EQ(ParseNumber("0"), 0.0);
    EXPECT_EQ(IntOr("16", 0), 16);
}

TEST(NumbersTest, IntegersRoundHalvesToEvenBeforeTheRangeCheck) {
    const std::optional<int16_t> none;
    const std::pair<const char*, std::optional<int16_t>> cases[] = {
        {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"-0.5", 0}, {"2.5001", 3}, {".5", 0},
        {"32767.4", 32767}, {"-32768.5", -32768},  // the even neighbour is still in range
        {"32767.5", none}, {"-32769", none}, {"abc", none}, {"99999999999999999999", none},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ToInt16(text), expected) << text;
    EXPECT_EQ(ToInt16(std::string(400, '9')), none);  // beyond any double
    EXPECT_EQ(ToInt16(-7.5), int16_t{-8});
    EXPECT_EQ(ToInt16(std::numeric_limits<double>::quiet_NaN()), none);
    EXPECT_EQ(ToInt16(std::numeric_limits<double>::infinity()), none);
    EXPECT_EQ(ToInt32("-2147483648.5"), -2147483648LL);
    EXPECT_EQ(ToInt32("2147483647.5"), std::nullopt);
    EXPECT_EQ(IntOr("40000", 7), 40000);
    EXPECT_EQ(IntOr("4.5", 7), 4);
    EXPECT_EQ(IntOr("wide", 7), 7);
}

TEST(NumbersTest, NumbersAreWrittenAsShortPlainDecimals) {
    const std::pair<double, const char*> cases[] = {
        {-0.0, "0"},
        {-3.25, "-3.25"},
        {0.1 + 0.2, "0.3"},  // 0.30000000000000004 at 17 digits
        {-2.0 / 3, "-0.666666666666667"},
        {-1.5e-10, "-0.00000000015"},
        {999999999999999.9, "1000000000000000"},
        {123456789012345678.0, "123456789012346000"},
        {1e20, "100000000000000000000"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(FormatNumber(value), text) << value;

    std::string out = "w=";
    AppendNumber(out, 1.5);
    out += ' ';
    AppendInt(out, -32768);
    EXPECT_EQ(out, "w=1.5 -32768");
}

}  // namespace
}  // namespace scrivane
