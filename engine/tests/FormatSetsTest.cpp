#include "format/FormatSets.h"

#include "TestSupport.h"
#include "format/FormatFileAsWritten.h"
#include "format/OutputFormats.h"
#include "util/Status.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace scrivane {
namespace {

namespace fs = std::filesystem;

TEST(FormatSetsTest, ChosenNamesGetTheSetEndingOfTheirFormatOnce) {
    EXPECT_EQ(WithSetSuffix("Report", kTargetPdf), "Report.pdf.format.vantor.dorvex");
    EXPECT_EQ(WithSetSuffix("Report", kTargetXhtml), "Report.htm.format.vantor.dorvex");
    EXPECT_EQ(WithSetSuffix("/s/Report.pdf.format.vantor.dorvex", kTargetPdf),
              "/s/Report.pdf.format.vantor.dorvex");
    // An ending in other letter case is kept once, in the case the set list looks for.
    EXPECT_EQ(WithSetSuffix("Report.PDF.Format.Vantor.DORVEX", kTargetPdf),
              "Report.pdf.format.vantor.dorvex");
    // Another format's ending is part of the name.
    EXPECT_EQ(WithSetSuffix("Report.svg.format.vantor.dorvex", kTargetPdf),
              "Report.svg.format.vantor.dorvex.pdf.format.vantor.dorvex");
    EXPECT_EQ(WithSetSuffix("Report.pdf", kTargetPdf), "Report.pdf.pdf.format.vantor.dorvex");
    EXPECT_EQ(WithSetSuffix("Report", 99), "");
}

TEST(FormatSetsTest, ReservedNamesAreTheProgramsOwnFilesInItsFolders) {
    test::TempDir user, data, elsewhere;
    const std::vector<std::string> folders{user.path().string(), data.path().string() + "/"};
    auto reserved = [&](const fs::path& path) {
        return IsReservedFormatFile(path.string(), folders);
    };

    for (const char* name : {"default.pdf", "default.xhtml", "default.xml", "default.svg",
                             "ashtm.pdf", "ashtm.xhtml", "ashtm.xml", "ashtm.svg", "ashtm.htm"}) {
        const std::string file = std::string(name) + ".format.vantor.dorvex";
        EXPECT_TRUE(reserved(user.path() / file)) << file;
        EXPECT_TRUE(reserved(data.path() / file)) << file;  // the shipped templates
        EXPECT_FALSE(reserved(elsewhere.path() / file)) << file;
        EXPECT_FALSE(reserved(user.path() / "settings" / file)) << file;
    }
    EXPECT_TRUE(reserved(user.path() / "DEFAULT.PDF.Format.Vantor.Dorvex"));
    EXPECT_TRUE(reserved(user.path() / "settings" / ".." / "default.pdf.format.vantor.dorvex"));
    EXPECT_FALSE(reserved(user.path() / "Letters.pdf.format.vantor.dorvex"));
    EXPECT_FALSE(reserved(user.path() / "default.htm.format.vantor.dorvex"));

    // The same folder reached through a link is the same folder.
    fs::create_directory_symlink(user.path(), elsewhere.path() / "link");
    EXPECT_TRUE(reserved(elsewhere.path() / "link" / "ashtm.htm.format.vantor.dorvex"));
}

TEST(FormatSetsTest, TheSetListHoldsEachNamedSetOfTheFormatOnceInOrder) {
    test::TempDir user, data;
    for (const char* name : {"letters.pdf.format.vantor.dorvex", "Bills.pdf.format.vantor.dorvex",
                             "web.htm.format.vantor.dorvex", "a.b.pdf.format.vantor.dorvex",
                             "loud.PDF.FORMAT.VANTOR.DORVEX", ".pdf.format.vantor.dorvex",
                             "[default].pdf.format.vantor.dorvex", "notes.txt"}) {
        test::WriteFile(user.File(name), "<dorvex/>");
    }
    fs::create_directory(user.path() / "folder.pdf.format.vantor.dorvex");
    test::WriteFile(data.File("letters.pdf.format.vantor.dorvex"), "<dorvex/>");
    test::WriteFile(data.File("Shipped.pdf.format.vantor.dorvex"), "<dorvex/>");

    const std::vector<std::string> folders{user.path().string(), data.path().string(),
                                           (user.path() / "missing").string()};
    EXPECT_EQ(NamedOptionsSets(folders, kTargetPdf),
              (std::vector<std::string>{"a.b", "Bills", "letters", "Shipped"}));
    EXPECT_EQ(NamedOptionsSets(folders, kTargetXhtml), std::vector<std::string>{"web"});
    EXPECT_TRUE(NamedOptionsSets(folders, kTargetXml).empty());
    EXPECT_EQ(SetNameOfFile("web.htm.format.vantor.dorvex", kTargetXhtml), "web");
    EXPECT_EQ(SetNameOfFile("web.xhtml.format.vantor.dorvex", kTargetXhtml), "");
}

TEST(FormatSetsTest, EachFormatKeepsFourSettingsUnderItsCode) {
    EXPECT_EQ(FormatSettingOf(FormatSetting::ShowOptions, kTargetPdf).name, "show10format");
    EXPECT_EQ(FormatSettingOf(FormatSetting::OpenAfterExport, kTargetXml).name, "open30format");
    EXPECT_EQ(FormatSettingOf(FormatSetting::UseLineOptions, kTargetSvg).name, "ashtm40format");
    const FormatSettingKey set = FormatSettingOf(FormatSetting::LineOptionsSet, kTargetXhtml);
    EXPECT_EQ(set.name, "ashtm20formatfile");
    EXPECT_EQ(set.fallback, "[Default]");
    EXPECT_EQ(FormatSettingOf(FormatSetting::ShowOptions, kTargetSvg).fallback, "1");
}

TEST(FormatSetsTest, EditingALineOptionsFileAddsNoDefaultsItDidNotHold) {
    test::TempDir folder;
    const std::string path = folder.File("ashtm.pdf.format.vantor.dorvex");
    test::WriteFile(path,
                    "<dorvex version=\"1.0\"><vantor><format><default><fontname></fontname>"
                    "<y>0</y><dy>0</dy><textalign></textalign></default>"
                    "<line><name>H</name><condition>leftlinevalue</condition><value>#</value>"
                    "<format><fontsize>18</fontsize></format></line></format></vantor></dorvex>");
    vorFormat edited;
    ASSERT_EQ(ReadFormatFileAsWritten(edited, path), kFormatOk);
    EXPECT_EQ(edited.DefaultFont, "");
    EXPECT_EQ(edited.DefaultFontSize, 0);
    EXPECT_EQ(edited.DefaultX, 0);
    EXPECT_EQ(edited.DefaultY, 0);
    EXPECT_EQ(edited.DefaultDY, 0);  // written as 0 in the file: kept
    EXPECT_EQ(edited.MaxLenLine, 0);
    ASSERT_EQ(edited.ListeFormats.size(), 1u);
    ASSERT_EQ(edited.SaveFormatFile(path), kFormatOk);

    // Read on top of a default file, the saved file leaves its font and margins alone.
    vorFormat working = test::DefaultFormat();
    working.DefaultFont = "Courier";
    working.DefaultFontSize = 10;
    working.DefaultX = 70;
    ASSERT_EQ(working.ReadFormatFile(path), kFormatOk);
    EXPECT_EQ(working.DefaultFont, "Courier");
    EXPECT_EQ(working.DefaultFontSize, 10);
    EXPECT_EQ(working.DefaultX, 70);
    EXPECT_EQ(working.MaxLenLine, 100);

    // Values the file gives are read as ever.
    test::WriteFile(path,
                    "<dorvex><vantor><format><default><fontname>Arial</fontname>"
                    "<fontsize>9</fontsize><maxlenline>60</maxlenline></default>"
                    "</format></vantor></dorvex>");
    vorFormat given;
    ASSERT_EQ(ReadFormatFileAsWritten(given, path), kFormatOk);
    EXPECT_EQ(given.DefaultFont, "Arial");
    EXPECT_EQ(given.DefaultFontSize, 9);
    EXPECT_EQ(given.MaxLenLine, 60);
    vorFormat missing;
    EXPECT_EQ(ReadFormatFileAsWritten(missing, folder.File("none")), kFormatFileMissing);
}

}  // namespace
}  // namespace scrivane
