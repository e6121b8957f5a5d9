// A line's style as the layout resolves it line after line: it must follow every command
// and condition that changes it, and come back whatever was written into it in between.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LayoutFixture.h"
#include "text/TextMeasurer.h"
#include "util/Numbers.h"

namespace scrivane {
namespace {

using test::Condition;
using test::Layout;
using test::Lines;
using test::PlacedRun;
using test::Runs;

vorFormat Marker(const std::string& marker) {
    vorFormat c = Condition("leftlinevalue", marker);
    c.show = "RIGHT";
    return c;
}

// The printed runs (command lines give empty ones) in order.
std::vector<PlacedRun> PrintedRuns(const vorDocument& doc) {
    std::vector<PlacedRun> printed;
    for (const PlacedRun& r : Runs(doc)) {
        if (!r.Text().empty()) printed.push_back(r);
    }
    return printed;
}

TEST_F(Layout, StyleFollowsCommandsAndConditionsLineByLine) {
    vorFormat format = test::DefaultFormat();  // Helvetica 12, x 40, y 50, dy 16
    format.DefaultLineLength = 300;
    vorFormat heading = Marker("#1 ");
    heading.fontname = "Helvetica-Bold";
    heading.fontsize = "18";
    heading.dy = "28";
    vorFormat right = Marker("@r ");
    right.FontAlign = "Right";
    vorFormat zero = Condition("linevalue", "zero");
    zero.fontsize = "0";  // measured at the size before; the field is rewritten meanwhile
    vorFormat lasting = Marker("@big ");
    lasting.DefaultFontSize = 14;
    format.ListeFormats = {heading, right, zero, lasting};

    const std::string is(60, 'i');  // 60 "i": one Helvetica line at 20 pt, three in Courier
    Lay({"alpha", "<set>fontsize=20", "#1 Head", "beta", "zero", "gamma", "@r right", "delta",
         "<set>fontname=Courier", is, "<set>fontname=Helvetica", is, "@big big", "omega"},
        format);

    struct Expected {
        std::string text, font;
        int size;
    };
    const std::string is24(24, 'i'), is12(12, 'i');
    const Expected expected[] = {
        {"alpha", "Helvetica", 12}, {"Head", "Helvetica-Bold", 18}, {"beta", "Helvetica", 20},
        {"zero", "Helvetica", 0},   {"gamma", "Helvetica", 20},      {"right", "Helvetica", 20},
        {"delta", "Helvetica", 20}, {is24, "Courier", 20},           {is24, "Courier", 20},
        {is12, "Courier", 20},      {is, "Helvetica", 20},           {"big", "Helvetica", 14},
        {"omega", "Helvetica", 14},
    };
    const std::vector<PlacedRun> runs = PrintedRuns(*doc);
    ASSERT_EQ(runs.size(), std::size(expected));
    for (size_t i = 0; i < runs.size(); ++i) {
        EXPECT_EQ(runs[i].Text(), expected[i].text) << i;
        EXPECT_EQ(runs[i].font(), expected[i].font) << i;
        EXPECT_EQ(runs[i].text->fontsize, expected[i].size) << i;
    }

    // The heading's own spacing reaches its line only; the alignment only its line.
    EXPECT_EQ(runs[1].text->y - runs[0].text->y, 28);
    EXPECT_EQ(runs[2].text->y - runs[1].text->y, 16);
    TextMeasurer m;
    m.SetFont("Helvetica", false, false, 20);
    EXPECT_EQ(runs[5].text->x, 40 + RoundHalfEven(300 - m.MeasureTwips("right") / 20));
    EXPECT_EQ(runs[6].text->x, 40);
}

// Values the layout or a caller wrote into the resolved fields go back to the defaults on
// the next line, however long they are and wherever they differ.
TEST(LineStyleReset, ResolvedFieldsComeBackFromAnyChange) {
    vorFormat f = test::DefaultFormat();
    for (size_t length = 0; length <= 30; ++length) {
        std::string name;
        for (size_t k = 0; k < length; ++k) name.push_back(static_cast<char>('a' + k % 26));
        f.DefaultFont = f.DefaultFontColor = f.DefaultColumns = name;
        f.GetFormat(1, "line");
        for (size_t at = 0; at < length; ++at) {
            f.fontname = f.fontcolor = f.columns = name;
            f.fontname[at] = 'Z';
            f.fontcolor[at] = '\x80';
            f.columns.pop_back();
            f.GetFormat(2, "line");
            EXPECT_EQ(f.fontname, name) << length << " at " << at;
            EXPECT_EQ(f.fontcolor, name) << length << " at " << at;
            EXPECT_EQ(f.columns, name) << length << " at " << at;
        }
    }

    f.DefaultFontAlign = "Right";
    f.GetFormat(3, "line");
    EXPECT_EQ(f.FontAlign, "right");
    f.FontAlign = "Right";  // the same bytes as the default, but not lowered
    f.GetFormat(4, "line");
    EXPECT_EQ(f.FontAlign, "right");

    for (int16_t size : {0, 7, 10, 99, 100, 512, -3, 32767, -32768}) {
        f.DefaultFontSize = f.DefaultDY = size;
        f.fontsize = f.dy = "10";  // as the measuring of a size 0 line leaves it
        f.GetFormat(5, "line");
        EXPECT_EQ(f.fontsize, std::to_string(size));
        EXPECT_EQ(f.dy, std::to_string(size));
    }
}

// A line number condition matches the number as the layout writes it, at any length.
TEST(LineStyleReset, LineNumbersMatchAtEveryLength) {
    for (int32_t number : {1, 9, 10, 99, 100, 12345, 2147483647}) {
        vorFormat f = test::DefaultFormat();
        vorFormat c = Condition("linenumber", std::to_string(number));
        c.fontsize = "30";
        f.ListeFormats = {c};
        f.GetFormat(number, "");
        EXPECT_EQ(f.fontsize, "30") << number;
        f.GetFormat(number - 1, "");
        EXPECT_EQ(f.fontsize, "12") << number;
    }
}

}  // namespace
}  // namespace scrivane
