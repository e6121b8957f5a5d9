// What the engine tells about the lines of a text: the judgement of one command line
// without a layout, and the reports a layout collects with their line numbers.
#include <gtest/gtest.h>

#include <algorithm>

#include "LayoutFixture.h"
#include "document/MarkupCommand.h"

namespace scrivane {
namespace {

using test::Lines;

bool Accepted(const std::string& line) { return JudgeCommandLine(line).accepted; }

TEST(CommandJudgement, OrdinaryTextIsNoCommand) {
    EXPECT_FALSE(JudgeCommandLine("plain text").isCommand);
    EXPECT_FALSE(JudgeCommandLine("<set>x=").isCommand);  // seven characters: text
    EXPECT_FALSE(JudgeCommandLine("<set>=5 and more").isCommand);  // no key
    EXPECT_TRUE(JudgeCommandLine("<set>x=5").isCommand);
}

TEST(CommandJudgement, UnknownKeysAreCommandsThatChangeNothing) {
    CommandVerdict size = JudgeCommandLine("<set>SIZE=3");
    EXPECT_TRUE(size.isCommand);
    EXPECT_FALSE(size.known);
    EXPECT_NE(size.reason.find("\"size\""), std::string::npos);
    EXPECT_FALSE(JudgeCommandLine("<set> x=5").known);  // the blank is part of the key
    EXPECT_TRUE(JudgeCommandLine("<set>FontSize=12").known);
}

TEST(CommandJudgement, NumbersMustBeNumbersInRange) {
    EXPECT_TRUE(Accepted("<set>x+10"));
    EXPECT_FALSE(Accepted("<set>x=ten"));
    EXPECT_FALSE(Accepted("<set>y=40000"));
    EXPECT_TRUE(Accepted("<set>y=-100"));
    EXPECT_FALSE(Accepted("<set>bottom=20000"));
    EXPECT_TRUE(Accepted("<set>bottom=19999"));
    EXPECT_FALSE(Accepted("<set>pagewidth=0"));
    EXPECT_TRUE(Accepted("<set>pageheight=842"));
    EXPECT_FALSE(Accepted("<set>xcolumns=20000"));
    EXPECT_FALSE(Accepted("<set>columns=two"));
    EXPECT_TRUE(Accepted("<set>columns=2"));
    EXPECT_FALSE(Accepted("<set>top=high"));
}

TEST(CommandJudgement, ValuesThatHideOrStackTheText) {
    EXPECT_FALSE(Accepted("<set>fontsize=0"));
    EXPECT_TRUE(Accepted("<set>fontsize-0"));  // changes by nothing, hides nothing
    EXPECT_FALSE(Accepted("<set>dy=0"));
    EXPECT_TRUE(Accepted("<set>dy=14"));
}

TEST(CommandJudgement, ColoursSwitchesAndWords) {
    EXPECT_TRUE(Accepted("<set>fontcolor=0 0 200"));
    EXPECT_TRUE(Accepted("<set>fontcolor="));  // no colour: black
    for (const char* bad : {"red", "0 0", "0 0 256", "0  0 0", "0,0,0", "0 0 0 0", "-1 0 0"}) {
        EXPECT_FALSE(Accepted(std::string("<set>fontcolor=") + bad)) << bad;
    }
    EXPECT_TRUE(Accepted("<set>optimize=yes"));
    EXPECT_FALSE(Accepted("<set>optimize=maybe"));
    EXPECT_FALSE(Accepted("<set>xmp=yes"));
    EXPECT_TRUE(Accepted("<set>textalign=Justify"));
    EXPECT_FALSE(Accepted("<set>textalign=center"));
    EXPECT_FALSE(Accepted("<set>link+"));
    EXPECT_TRUE(Accepted("<set>title=a-b"));
}

// The keys a writer may use, as the markup knows them: none dropped or renamed, each
// judged known, and nothing else.
TEST(CommandJudgement, EveryDocumentedKeyIsKnownAndNoOther) {
    const std::vector<std::string> documented{
        "x",         "y",          "dy",        "linelength", "maxcar",     "fontsize",
        "fontname",  "textalign",  "fontcolor", "title",      "author",     "subject",
        "keywords",  "bottom",     "top",       "imgheader",  "header",     "saveformat",
        "loadformat", "savey",     "loady",     "pagewidth",  "pageheight", "line",
        "columns",   "xcolumns",   "xmp",       "optimize",   "link"};
    std::vector<std::string> keys(CommandKeys().begin(), CommandKeys().end());
    std::vector<std::string> expected = documented;
    std::sort(keys.begin(), keys.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(keys, expected);
    for (const std::string& key : documented) {
        EXPECT_TRUE(JudgeCommandLine("<set>" + key + "=1").known) << key;
    }
    EXPECT_FALSE(JudgeCommandLine("<set>fontsise=1").known);
}

class LayoutDiagnostics : public test::Layout {};

TEST_F(LayoutDiagnostics, ReportsCarryTheLinesOfTheText) {
    Lines lines = {"<set>linelength=100", std::string(300, 'w'), "<set>size=3",
                   "text", "<set>fontsize=0", "<set>loady=never"};
    vorDocument& doc = Lay(lines);
    const Diagnostics& found = doc.GetDiagnostics();
    ASSERT_EQ(found.size(), 3u);
    // The long line wraps into many pieces; the lines are still counted as written.
    EXPECT_EQ(found[0].line, 3);
    EXPECT_EQ(found[0].kind, DiagnosticKind::kUnknownCommand);
    EXPECT_EQ(found[0].text, "<set>size=3");
    EXPECT_EQ(found[1].line, 5);
    EXPECT_EQ(found[1].kind, DiagnosticKind::kBadValue);
    EXPECT_EQ(found[2].line, 6);
    EXPECT_NE(found[2].message.find("no position"), std::string::npos);
}

TEST_F(LayoutDiagnostics, TheLayoutIsTheSameWithOrWithoutReports) {
    vorDocument& doc = Lay({"<set>fontsize=0", "small"});
    auto runs = test::Runs(doc);
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(runs.back().text->fontsize, 0);  // the command still does what it says
    EXPECT_EQ(doc.GetDiagnostics().size(), 1u);
    vorDocument& again = Lay({"plain"});
    EXPECT_TRUE(again.GetDiagnostics().empty());
}

TEST_F(LayoutDiagnostics, AnEmptyFirstLineIsCounted) {
    doc = std::make_unique<vorDocument>(options);
    doc->AddBuffer("\r\n<set>nothing=1", test::DefaultFormat(), "", 10);
    ASSERT_EQ(doc->GetDiagnostics().size(), 1u);
    EXPECT_EQ(doc->GetDiagnostics()[0].line, 2);
}

TEST(DiagnosticText, MergedInLineOrderAndDescribed) {
    Diagnostics text = {{4, DiagnosticKind::kCharacterReplaced, "\xCE\xB1", "1 character"}};
    Diagnostics layout = {{2, DiagnosticKind::kUnknownCommand, "<set>a=1", "why"},
                          {4, DiagnosticKind::kBadValue, "<set>x=a", "not a number"}};
    Diagnostics all = MergeDiagnostics(text, layout);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].line, 2);
    EXPECT_EQ(all[1].kind, DiagnosticKind::kCharacterReplaced);
    EXPECT_EQ(DescribeDiagnostic(all[2]), "line 4: bad value: <set>x=a (not a number)");
}

}  // namespace
}  // namespace scrivane
