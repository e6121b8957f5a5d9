// The document information (title, author, subject, keywords) in any script, in a text
// that Windows-1252 holds: from the format file through the PDF, its XMP packet, XHTML
// and XML, and back through the import; and the Windows-1252 information written as
// it always was.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "document/vorDocument.h"
#include "util/Encoding.h"

namespace scrivane {
namespace {

const std::string kGreekTitle = "Ελληνικά: Ξεσκεπάζω την ψυχοφθόρα";
const std::string kRussianAuthor = "Фёдор Достоевский";
const std::string kSubject = "Zażółć gęślą jaźń — €";
const std::string kKeywords = "αβγ, ∑ ≠ ∏";

// A Windows-1252 text (é is the byte E9) with its XMP packet asked for.
const std::string kCp1252Text = "<set>xmp=1\r\nCaf\xE9 au lait\r\nSecond line";

std::string FormatFileWithProperties() {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<dorvex version=\"1.0\"><vantor><format>"
           "<documentproperties><title>" + kGreekTitle + "</title><subject>" + kSubject +
           "</subject><author>" + kRussianAuthor + "</author><keywords>" + kKeywords +
           "</keywords></documentproperties><default><fontname>Helvetica</fontname>"
           "</default></format></vantor></dorvex>";
}

std::string Tool(const std::string& command) {
    std::string output;
    EXPECT_EQ(test::RunCommand(command, &output), 0) << command << ": " << output;
    return output;
}

// The value pdfinfo prints for a field ("Title:          value").
std::string PdfinfoField(const std::string& report, const std::string& field) {
    size_t at = report.find(field + ":");
    if (at == std::string::npos) return "(none)";
    at = report.find_first_not_of(' ', at + field.size() + 1);
    return report.substr(at, report.find('\n', at) - at);
}

class DocumentInformation : public ::testing::Test {
protected:
    void SetUp() override {
        formatFile_ = dir_.File("greek.pdf.format.vantor.dorvex");
        test::WriteFile(formatFile_, FormatFileWithProperties());
    }

    // Lays the Windows-1252 text out with the format file and writes it.
    std::string Export(int32_t format, const std::string& text = kCp1252Text) {
        vorDocument document;
        document.AddBuffer(text, formatFile_, "", format);
        EXPECT_FALSE(document.TextIsUtf8());
        std::string bytes;
        EXPECT_EQ(document.Build(format, bytes), kSaveOk);
        return bytes;
    }

    test::TempDir dir_;
    std::string formatFile_;
};

TEST_F(DocumentInformation, FormatFilePropertiesReachThePdfInformationAndItsXmp) {
    const std::string path = dir_.File("greek.pdf");
    const std::string bytes = Export(kTargetPdf);
    test::WriteFile(path, bytes);
    EXPECT_EQ(test::QpdfProblems(path), "");

    const std::string info = Tool("pdfinfo -enc UTF-8 '" + path + "'");
    EXPECT_EQ(PdfinfoField(info, "Title"), kGreekTitle) << info;
    EXPECT_EQ(PdfinfoField(info, "Author"), kRussianAuthor) << info;
    EXPECT_EQ(PdfinfoField(info, "Subject"), kSubject) << info;
    EXPECT_EQ(PdfinfoField(info, "Keywords"), kKeywords) << info;
    EXPECT_NE(bytes.find("<dc:title>" + kGreekTitle + "</dc:title>"), std::string::npos);

    // The text itself stays in the standard fonts, as every Windows-1252 text is written.
    EXPECT_EQ(bytes.find("/TextEncoding"), std::string::npos);
    EXPECT_EQ(bytes.find("FontFile2"), std::string::npos);
    EXPECT_NE(Tool("pdftotext '" + path + "' -").find("Café au lait"), std::string::npos);
}

TEST_F(DocumentInformation, TheImportGivesThePropertiesAndTheTextBack) {
    const std::string path = dir_.File("greek.pdf");
    test::WriteFile(path, Export(kTargetPdf));
    vorDocument reader;
    ASSERT_EQ(reader.LoadFile(path), kLoadOk);
    EXPECT_FALSE(reader.TextIsUtf8());
    EXPECT_EQ(reader.eInfos->title, kGreekTitle);
    EXPECT_EQ(reader.eInfos->author, kRussianAuthor);
    EXPECT_EQ(reader.eInfos->subject, kSubject);
    EXPECT_EQ(reader.eInfos->keywords, kKeywords);
    EXPECT_EQ(reader.eInfos->cff, "greek");
    std::string text;
    reader.GetText(text);
    EXPECT_EQ(text, kCp1252Text);
}

TEST_F(DocumentInformation, XhtmlAndXmlHoldTheCharactersOfTheProperties) {
    for (int32_t format : {kTargetXhtml, kTargetXml}) {
        SCOPED_TRACE(format);
        const std::string bytes = Export(format);
        const std::string path = dir_.File("greek.xml");
        test::WriteFile(path, bytes);
        EXPECT_EQ(test::RunCommand("xmllint --noout '" + path + "'"), 0);
        EXPECT_NE(bytes.find(kGreekTitle), std::string::npos) << bytes;
        EXPECT_NE(bytes.find(kRussianAuthor), std::string::npos);
        EXPECT_NE(bytes.find("Caf\xC3\xA9 au lait"), std::string::npos);  // the text as before
    }
    EXPECT_NE(Export(kTargetXhtml).find("<title>" + kGreekTitle + "</title>"), std::string::npos);
}

TEST_F(DocumentInformation, ASetLineOfAWindows1252TextStillDecides) {
    // The line's Windows-1252 title replaces the file's; the file's author stays.
    const std::string bytes = Export(kTargetPdf, "<set>title=Caf\xE9\r\nText");
    EXPECT_NE(bytes.find("/Title(Caf\xE9)"), std::string::npos);
    vorDocument reader;
    ASSERT_EQ(reader.LoadFromBytes(bytes, kTargetPdf), kLoadOk);
    EXPECT_EQ(reader.eInfos->title, "Café");
    EXPECT_EQ(reader.eInfos->author, kRussianAuthor);
}

TEST(DocumentInformationBytes, Windows1252ValuesAreWrittenAsTheyAlwaysWere) {
    vorFormat format = test::DefaultFormat();
    format.title = "Caf\xC3\xA9 (1) \xE2\x82\xAC";  // UTF-8 of "Café (1) €"
    format.author = "Plain";
    vorDocument document;
    document.AddBuffer("Text", format, "", kTargetPdf);
    std::string bytes;
    ASSERT_EQ(document.Build(kTargetPdf, bytes), kSaveOk);
    EXPECT_NE(bytes.find("/Author(Plain)/Title(Caf\xE9 \\(1\\) \x80)"), std::string::npos);
    EXPECT_EQ(bytes.find("\xFE\xFF"), std::string::npos);
}

TEST(DocumentInformationBytes, ATitleThatLooksLikeAByteOrderMarkKeepsItsCharacters) {
    // "þÿ" are the bytes FE FF in Windows-1252: written as they are, any reader would
    // take the title for UTF-16.
    vorFormat format = test::DefaultFormat();
    format.title = "\xC3\xBE\xC3\xBFx";
    vorDocument document;
    document.AddBuffer("Text", format, "", kTargetPdf);
    std::string bytes;
    ASSERT_EQ(document.Build(kTargetPdf, bytes), kSaveOk);
    vorDocument reader;
    ASSERT_EQ(reader.LoadFromBytes(bytes, kTargetPdf), kLoadOk);
    EXPECT_EQ(reader.eInfos->title, "\xC3\xBE\xC3\xBFx");
}

TEST(DocumentInformationFormatFile, PropertiesBeyondWindows1252SurviveSavingAgain) {
    test::TempDir dir;
    const std::string first = dir.File("first.dorvex");
    test::WriteFile(first, FormatFileWithProperties());
    vorFormat read;
    ASSERT_EQ(read.ReadFormatFile(first), kFormatOk);
    EXPECT_EQ(read.title, kGreekTitle);
    EXPECT_EQ(read.author, kRussianAuthor);
    EXPECT_EQ(read.subject, kSubject);
    EXPECT_EQ(read.keywords, kKeywords);

    const std::string second = dir.File("second.dorvex");
    ASSERT_EQ(read.SaveFormatFile(second), kFormatOk);
    const std::string saved = test::ReadFile(second);
    EXPECT_NE(saved.find("<title>" + kGreekTitle + "</title>"), std::string::npos) << saved;
    vorFormat again;
    ASSERT_EQ(again.ReadFormatFile(second), kFormatOk);
    EXPECT_EQ(again.title, kGreekTitle);
    EXPECT_EQ(again.FormatFileText(), saved);
}

TEST(DocumentInformationFormatFile, BytesThatAreNotUtf8ReadAsWindows1252) {
    // A file written by hand in Windows-1252 without saying so: é is the byte E9.
    vorFormat format;
    ASSERT_EQ(format.ReadFormatText("<dorvex><vantor><format><documentproperties><title>"
                                    "Caf\xE9 \xCE\xA9</title></documentproperties>"
                                    "</format></vantor></dorvex>"),
              kFormatOk);
    EXPECT_EQ(format.title, "Caf\xC3\xA9 \xCE\xA9");  // "Café Ω", valid UTF-8
    EXPECT_NE(format.FormatFileText().find("<title>Caf\xC3\xA9 \xCE\xA9</title>"),
              std::string::npos);
}

TEST(MendUtf8, KeepsValidSequencesAndTakesOtherBytesAsWindows1252) {
    EXPECT_EQ(MendUtf8("plain"), "plain");
    EXPECT_EQ(MendUtf8("Ωμέγα €"), "Ωμέγα €");
    EXPECT_EQ(MendUtf8("a\x80" "b\xE9"), "a€bé");
    EXPECT_EQ(MendUtf8("\xCE"), "Î");             // a sequence cut short
    EXPECT_EQ(MendUtf8("\xC0\xAF"), "À¯");        // an overlong form
    EXPECT_EQ(MendUtf8("\xED\xA0\x80"), "í\xC2\xA0\xE2\x82\xAC");  // a surrogate
    EXPECT_TRUE(IsValidUtf8(MendUtf8("\x81\x8D\x8F\x90\x9D")));
}

}  // namespace
}  // namespace scrivane
