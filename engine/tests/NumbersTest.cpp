#include "util/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace scrivane {
namespace {

TEST(NumbersTest, IsNumericTakesSignedDecimalsWithOnePeriodOnly) {
    for (const char* text : {"0", "12", "007", "-3", "+3", "3.25", ".5", "5.", "-.5", "+5.",
                             " 7", "7 ", "  -1.5  "}) {
        EXPECT_TRUE(IsNumeric(text)) << '"' << text << '"';
    }
    for (const char* text : {"", " ", "+", "-", ".", "-.", " . ", "1.2.3", "1..2", "1e5", "1E5",
                             "2.5e-3", "1,5", "1,000", "12a", "a12", "0x10", "- 5", "5 5", "+-5",
                             "--5", "5-", "$5", "inf", "nan"}) {
        EXPECT_FALSE(IsNumeric(text)) << '"' << text << '"';
    }
}

TEST(NumbersTest, ParseNumberReadsBarePeriodForms) {
    EXPECT_EQ(ParseNumber(".5"), 0.5);
    EXPECT_EQ(ParseNumber("5."), 5.0);
    EXPECT_EQ(ParseNumber("-.25"), -0.25);
    EXPECT_EQ(ParseNumber(" +12.75 "), 12.75);
    EXPECT_EQ(ParseNumber("1e3"), std::nullopt);
    EXPECT_EQ(ParseNumber(""), std::nullopt);
}

TEST(NumbersTest, ToInt16RoundsHalvesToEvenBeforeCheckingTheRange) {
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"2.5", 2},      {"3.5", 4},           {"-0.5", 0},     {"0.5", 0},    {"1.5", 2},
        {"-2.5", -2},    {"-3.5", -4},         {"2.4999", 2},   {"2.5001", 3}, {" 12 ", 12},
        {".5", 0},       {"5.", 5},            {"32767", 32767}, {"32767.4", 32767},
        {"-32768", -32768}, {"-32768.5", -32768},  // the even neighbour is still in range
    };
    for (const Case& c : cases) {
        auto value = ToInt16(c.text);
        ASSERT_TRUE(value.has_value()) << c.text;
        EXPECT_EQ(*value, c.expected) << c.text;
    }
    for (const char* text : {"32768", "-32769", "32767.5", "-32768.6", "70000", "1e3", "", "abc",
                             "99999999999999999999999999999"}) {
        EXPECT_EQ(ToInt16(text), std::nullopt) << text;
    }
    EXPECT_EQ(ToInt16(std::string(400, '9')), std::nullopt);  // beyond any double

    EXPECT_EQ(ToInt16(2.5), int16_t{2});
    EXPECT_EQ(ToInt16(-7.5), int16_t{-8});
    EXPECT_EQ(ToInt16(32767.5), std::nullopt);
    EXPECT_EQ(ToInt16(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
    EXPECT_EQ(ToInt16(std::numeric_limits<double>::infinity()), std::nullopt);
}

TEST(NumbersTest, ToInt32AndIntOrUseTheSameRounding) {
    EXPECT_EQ(ToInt32("2147483647"), 2147483647);
    EXPECT_EQ(ToInt32("-2147483648.5"), -2147483648LL);
    EXPECT_EQ(ToInt32("2147483647.5"), std::nullopt);
    EXPECT_EQ(IntOr("40000", 7), 40000);
    EXPECT_EQ(IntOr("4.5", 7), 4);
    EXPECT_EQ(IntOr("wide", 7), 7);
}

TEST(NumbersTest, FormatNumberWritesShortestPlainDecimal) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {12, "12"},
        {-40, "-40"},
        {0.5, "0.5"},
        {-3.25, "-3.25"},
        {0.1, "0.1"},
        {0.1 + 0.2, "0.3"},  // 0.30000000000000004 at 17 digits
        {1234.5678, "1234.5678"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {-2.0 / 3, "-0.666666666666667"},
        {123456789.123456789, "123456789.123457"},
        {0.00001, "0.00001"},
        {1e-7, "0.0000001"},
        {-1.5e-10, "-0.00000000015"},
        {1e15, "1000000000000000"},
        {999999999999999.9, "1000000000000000"},
        {123456789012345678.0, "123456789012346000"},
        {1e20, "100000000000000000000"},
    };
    for (const Case& c : cases) {
        std::string text = FormatNumber(c.value);
        EXPECT_EQ(text, c.text) << "value " << c.value;
        EXPECT_EQ(text.find_first_of("eE,"), std::string::npos) << text;
    }

    std::string out = "w=";
    AppendNumber(out, 1.5);
    out += ' ';
    AppendNumber(out, 7);
    out += ' ';
    AppendInt(out, -32768);
    EXPECT_EQ(out, "w=1.5 7 -32768");
}

}  // namespace
}  // namespace scrivane
