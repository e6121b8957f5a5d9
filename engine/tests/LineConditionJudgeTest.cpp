// The editor's question "what do the conditions make of this line", against what the
// layout does with the same line.
#include <gtest/gtest.h>

#include "LayoutFixture.h"
#include "document/LineConditions.h"

namespace scrivane {
namespace {

using test::Condition;
using test::Lines;
using test::Layout;
using test::Runs;

vorFormat Shown(const std::string& name, const std::string& marker) {
    vorFormat c = Condition("leftlinevalue", marker);
    c.conditionName = name;
    c.show = "RIGHT";
    return c;
}

// The conditions of a typical line options file.
vorFormat Conditions() {
    vorFormat format = test::DefaultFormat();
    vorFormat h1 = Shown("Heading 1", "<h1>");
    h1.bk = 1;
    vorFormat h2 = Shown("Heading 2", "<h2>");
    h2.bk = 2;
    vorFormat hidden = Condition("leftlinevalue", "%% ");
    hidden.conditionName = "Hidden";
    hidden.show = "NO";
    vorFormat header = Shown("Header", "@header ");
    header.isHeader = true;
    vorFormat link = Shown("Link", "@link ");
    link.isLink = true;
    vorFormat note = Shown("Note", "@note ");
    note.isAnnotation = true;
    vorFormat pageBreak = Condition("linevalue", "<pb>");
    pageBreak.conditionName = "Page break";
    pageBreak.show = "NO";
    vorFormat third = Condition("linenumber", "3");
    third.conditionName = "Third";
    third.fontsize = "20";
    format.ListeFormats = {h1, h2, hidden, header, link, note, pageBreak, third};
    return format;
}

TEST(LineConditionJudge, TellsWhatEachKindOfLineBecomes) {
    LineConditionJudge judge(Conditions());
    LineEffect heading = judge.Judge(10, "<h2>Sowing");
    EXPECT_EQ(heading.conditionName, "Heading 2");
    EXPECT_EQ(heading.bookmarkLevel, 2);
    EXPECT_EQ(heading.markerLength, 4u);
    EXPECT_TRUE(judge.Judge(12, "<pb>").hidden);
    EXPECT_FALSE(judge.Judge(12, "<pb> ").selected);  // a whole line compares whole
    EXPECT_TRUE(judge.Judge(14, "@link https://example.org").link);
    EXPECT_TRUE(judge.Judge(15, "@note remember").note);
    EXPECT_EQ(judge.Judge(3, "plain").conditionName, "Third");
    EXPECT_EQ(judge.lineNumbers(), (std::vector<int32_t>{3}));
    for (std::string_view plain : {"plain text", "", "<h3>not a level", " <h1>indented"}) {
        EXPECT_FALSE(judge.Judge(4, plain).selected) << plain;
    }
}

TEST(LineConditionJudge, LaterMatchesWinAndOddValuesNeverMatch) {
    vorFormat format = test::DefaultFormat();
    vorFormat wide = Condition("leftlinevalue", "<");
    wide.conditionName = "Any tag";
    vorFormat heading = Shown("Heading", "<h1>");
    heading.bk = 1;
    vorFormat padded = Condition("linenumber", "07");
    vorFormat empty = Condition("linevalue", "");
    empty.conditionName = "Empty";
    vorFormat unknown = Condition("wholeline", "x");
    format.ListeFormats = {heading, wide, padded, empty, unknown};
    LineConditionJudge judge(format);

    // The last match names the line and, as the layout resolves it, brings its own
    // marker and bookmark level while the first match's "RIGHT" stays: the layout prints
    // "h1>Intro" without a bookmark, and the judge says so.
    LineEffect both = judge.Judge(1, "<h1>Intro");
    EXPECT_EQ(both.conditionName, "Any tag");
    EXPECT_EQ(both.markerLength, 1u);
    EXPECT_EQ(both.bookmarkLevel, 0);
    EXPECT_FALSE(judge.Judge(7, "seven").selected);
    EXPECT_TRUE(judge.Judge(7, "").selected);
    EXPECT_EQ(judge.Judge(7, "").conditionName, "Empty");
    EXPECT_FALSE(judge.Judge(1, "x").selected);
    EXPECT_TRUE(judge.lineNumbers().empty());
}

// The judge and the layout agree on every line of a mixed text.
TEST_F(Layout, LineConditionJudgeAgreesWithTheLayout) {
    const Lines lines = {"<h1>Intro", "%% hidden", "third line", "<h2>Part", "@header Page &p",
                         "body", "<pb>", "@note remember", "<h1>"};
    Lay(lines, Conditions());
    LineConditionJudge judge(Conditions());
    Lines headings, hidden, headers;
    for (size_t i = 0; i < lines.size(); ++i) {
        LineEffect effect = judge.Judge(int32_t(i + 1), lines[i]);
        const std::string shown = lines[i].substr(effect.markerLength);
        if (effect.bookmarkLevel > 0) headings.push_back(shown);
        if (effect.hidden) hidden.push_back(std::to_string(i + 1) + ":" + lines[i]);
        if (effect.header) headers.push_back(shown);
    }
    Lines outline;
    for (const vorOutline& entry : doc->Outlines()->outlines) {
        outline.push_back(entry.title);
        for (const vorOutline& child : entry.outlines) outline.push_back(child.title);
    }
    EXPECT_EQ(headings, outline);
    for (const std::string& record : hidden) {
        EXPECT_NE(std::find(doc->FormatConditions().begin(), doc->FormatConditions().end(),
                            record),
                  doc->FormatConditions().end())
            << record;
    }
    ASSERT_EQ(doc->HeaderTexts().size(), headers.size());
    EXPECT_EQ(doc->HeaderTexts()[0].TextValue, headers[0]);
    const auto runs = Runs(*doc);
    auto third = std::find_if(runs.begin(), runs.end(),
                              [](const auto& run) { return run.Text() == "third line"; });
    ASSERT_NE(third, runs.end());
    EXPECT_EQ(third->text->fontsize, 20);  // the "Third" condition
}

}  // namespace
}  // namespace scrivane
