// The format files an export reads when none is named: the user's copy first, then the
// shipped template; line options only when wanted and never for XML.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "format/FormatFileSelection.h"
#include "format/OutputFormats.h"

namespace scrivane {
namespace {

class FormatFileSelection : public ::testing::Test {
protected:
    FormatFileSelection() {
        std::filesystem::create_directories(dir.path() / "data" / "settings");
        std::filesystem::create_directories(dir.path() / "user" / "settings");
        folders = {dir.File("data"), dir.File("user")};
    }
    void Put(const std::string& relative) { test::WriteFile(dir.File(relative), "<dorvex/>"); }

    test::TempDir dir;
    ProgramFolders folders;
};

TEST_F(FormatFileSelection, UserCopyBeforeTemplateBeforeNothing) {
    EXPECT_EQ(ChooseFormatFiles(folders, kTargetPdf, true).formatFile, "");
    Put("data/default.pdf.format.vantor.dorvex");
    Put("data/ashtm.pdf.format.vantor.dorvex");
    FormatFileChoice templates = ChooseFormatFiles(folders, kTargetPdf, true);
    EXPECT_EQ(templates.formatFile, dir.File("data/default.pdf.format.vantor.dorvex"));
    EXPECT_EQ(templates.lineOptionsFile, dir.File("data/ashtm.pdf.format.vantor.dorvex"));
    Put("user/default.pdf.format.vantor.dorvex");
    FormatFileChoice mine = ChooseFormatFiles(folders, kTargetPdf, true);
    EXPECT_EQ(mine.formatFile, dir.File("user/default.pdf.format.vantor.dorvex"));
    EXPECT_EQ(mine.lineOptionsFile, dir.File("data/ashtm.pdf.format.vantor.dorvex"));
}

TEST_F(FormatFileSelection, LineOptionsOnlyWhenWantedAndNeverForXml) {
    Put("data/default.xhtml.format.vantor.dorvex");
    Put("data/ashtm.htm.format.vantor.dorvex");
    Put("data/default.xml.format.vantor.dorvex");
    Put("data/ashtm.xml.format.vantor.dorvex");
    EXPECT_EQ(ChooseFormatFiles(folders, kTargetXhtml, true).lineOptionsFile,
              dir.File("data/ashtm.htm.format.vantor.dorvex"));
    EXPECT_EQ(ChooseFormatFiles(folders, kTargetXhtml, false).lineOptionsFile, "");
    FormatFileChoice xml = ChooseFormatFiles(folders, kTargetXml, true);
    EXPECT_EQ(xml.formatFile, dir.File("data/default.xml.format.vantor.dorvex"));
    EXPECT_EQ(xml.lineOptionsFile, "");
}

TEST_F(FormatFileSelection, NamedSetsLiveInSettings) {
    Put("user/settings/Letters.pdf.format.vantor.dorvex");
    EXPECT_EQ(ChooseFormatFiles(folders, kTargetPdf, true, "Letters").lineOptionsFile,
              dir.File("user/settings/Letters.pdf.format.vantor.dorvex"));
    Put("user/ashtm.pdf.format.vantor.dorvex");
    EXPECT_EQ(ChooseFormatFiles(folders, kTargetPdf, true, "[default]").lineOptionsFile,
              dir.File("user/ashtm.pdf.format.vantor.dorvex"));
    EXPECT_EQ(ChooseFormatFiles(folders, 99, true).formatFile, "");
}

TEST_F(FormatFileSelection, ARemovedSetReadsTheStandardFile) {
    Put("data/ashtm.pdf.format.vantor.dorvex");
    Put("data/settings/Shipped.pdf.format.vantor.dorvex");
    EXPECT_EQ(ChooseFormatFiles(folders, kTargetPdf, true, "Shipped").lineOptionsFile,
              dir.File("data/settings/Shipped.pdf.format.vantor.dorvex"));
    EXPECT_EQ(ChooseFormatFiles(folders, kTargetPdf, true, "Gone").lineOptionsFile,
              dir.File("data/ashtm.pdf.format.vantor.dorvex"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("user/settings/Gone.pdf.format.vantor.dorvex")));
    EXPECT_TRUE(IsStandardOptionsSet(""));
    EXPECT_TRUE(IsStandardOptionsSet("[DEFAULT]"));
    EXPECT_FALSE(IsStandardOptionsSet("Default"));
}

}  // namespace
}  // namespace scrivane
