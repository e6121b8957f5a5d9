// The document information (title, author, subject, keywords) in any script, in a text
// that Windows-1252 holds: from the format file through the PDF, its XMP packet, XHTML
// and XML, and back through the import; and Windows-1252 information written as before.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "TestSupport.h"
#include "document/vorDocument.h"
#include "util/Encoding.h"

namespace scrivane {
namespace {

const std::string kTitle = "Ελληνικά: Ξεσκεπάζω";
const std::string kAuthor = "Фёдор Достоевский";
const std::string kSubject = "Zażółć — €";
const std::string kKeywords = "αβγ, ∑ ≠ ∏";
const std::string kCp1252Text = "<set>xmp=1\r\nCaf\xE9 au lait";  // é is the byte E9

const std::string kFormatFile =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<dorvex version=\"1.0\"><vantor><format>"
    "<documentproperties><title>" + kTitle + "</title><subject>" + kSubject + "</subject>"
    "<author>" + kAuthor + "</author><keywords>" + kKeywords + "</keywords>"
    "</documentproperties><default><fontname>Helvetica</fontname></default></format></vantor>"
    "</dorvex>";

// A Windows-1252 text laid out with `format` and written.
std::string Export(const vorFormat& format, int32_t target, const std::string& text = kCp1252Text) {
    vorDocument document;
    document.AddBuffer(text, format, "", target);
    EXPECT_FALSE(document.TextIsUtf8());
    std::string bytes;
    EXPECT_EQ(document.Build(target, bytes), kSaveOk);
    return bytes;
}

vorFormat FromFile() {
    vorFormat format;
    EXPECT_EQ(format.ReadFormatText(kFormatFile), kFormatOk);
    return format;
}

TEST(DocumentInformation, FormatFilePropertiesReachThePdfAndComeBack) {
    test::TempDir dir;
    const std::string path = dir.File("greek.pdf");
    const std::string bytes = Export(FromFile(), kTargetPdf);
    test::WriteFile(path, bytes);
    EXPECT_EQ(test::QpdfProblems(path), "");
    std::string info;
    ASSERT_EQ(test::RunCommand("pdfinfo -enc UTF-8 '" + path + "'", &info), 0);
    for (const std::string& line : {"Title:           " + kTitle, "Author:          " + kAuthor,
                                    "Subject:         " + kSubject,
                                    "Keywords:        " + kKeywords}) {
        EXPECT_NE(info.find(line + "\n"), std::string::npos) << line << "\n" << info;
    }
    EXPECT_NE(bytes.find("<dc:title>" + kTitle + "</dc:title>"), std::string::npos);
    // The text stays in the standard fonts, as every Windows-1252 text is written.
    EXPECT_EQ(bytes.find("/TextEncoding"), std::string::npos);
    EXPECT_EQ(bytes.find("FontFile2"), std::string::npos);

    vorDocument reader;
    ASSERT_EQ(reader.LoadFromBytes(bytes, kTargetPdf), kLoadOk);
    EXPECT_EQ(reader.eInfos->title + "|" + reader.eInfos->author + "|" + reader.eInfos->subject +
                  "|" + reader.eInfos->keywords,
              kTitle + "|" + kAuthor + "|" + kSubject + "|" + kKeywords);
    std::string text;
    reader.GetText(text);
    EXPECT_EQ(text, kCp1252Text);
}

TEST(DocumentInformation, XhtmlAndXmlHoldTheCharactersOfTheProperties) {
    test::TempDir dir;
    for (int32_t target : {kTargetXhtml, kTargetXml}) {
        SCOPED_TRACE(target);
        const std::string bytes = Export(FromFile(), target);
        test::WriteFile(dir.File("f.xml"), bytes);
        EXPECT_EQ(test::RunCommand("xmllint --noout '" + dir.File("f.xml") + "'"), 0);
        EXPECT_NE(bytes.find(kTitle), std::string::npos) << bytes;
        EXPECT_NE(bytes.find(kAuthor), std::string::npos);
        EXPECT_NE(bytes.find("Caf\xC3\xA9 au lait"), std::string::npos);  // the text as before
    }
}

TEST(DocumentInformation, Windows1252ValuesAreWrittenAsTheyAlwaysWere) {
    vorFormat format = test::DefaultFormat();
    format.title = "Caf\xC3\xA9 (1)";  // UTF-8 of "Café (1)"
    format.author = kAuthor;
    EXPECT_NE(Export(format, kTargetPdf, "Text").find("/Title(Caf\xE9 \\(1\\))"),
              std::string::npos);
    // A set line's Windows-1252 title replaces the file's; the file's author stays.
    const std::string bytes = Export(format, kTargetPdf, "<set>title=Zo\xEB\r\nText");
    EXPECT_NE(bytes.find("/Title(Zo\xEB)"), std::string::npos);
    // "þÿ" are the bytes FE FF in Windows-1252: written so, a reader would see UTF-16.
    format.title = "\xC3\xBE\xC3\xBFx";
    const std::string marked = Export(format, kTargetPdf, "Text");
    const std::pair<std::string, std::string> readBack[] = {{bytes, "Zo\xC3\xAB"},
                                                           {marked, "\xC3\xBE\xC3\xBFx"}};
    for (const auto& [pdf, title] : readBack) {
        vorDocument reader;
        ASSERT_EQ(reader.LoadFromBytes(pdf, kTargetPdf), kLoadOk);
        EXPECT_EQ(reader.eInfos->author, kAuthor);
        EXPECT_EQ(reader.eInfos->title, title);
    }
}

// The euro sign, dashes and quotes have Windows-1252 bytes that readers take for other
// characters (PDFDocEncoding): such a value is written as UTF-16, and shown as typed.
TEST(DocumentInformation, ValuesReadersWouldMisreadAsBytesAreWrittenAsUtf16) {
    vorFormat format = test::DefaultFormat();
    const std::string title = "Caf\xC3\xA9 \xE2\x80\x93 \xE2\x80\x9Cnotes\xE2\x80\x9D \xE2\x82\xAC" "5";
    format.title = title;  // "Café – “notes” €5"
    const std::string bytes = Export(format, kTargetPdf, "Text");
    EXPECT_NE(bytes.find("/Title(\xFE\xFF"), std::string::npos);
    test::TempDir dir;
    test::WriteFile(dir.File("t.pdf"), bytes);
    std::string info;
    ASSERT_EQ(test::RunCommand("pdfinfo -enc UTF-8 '" + dir.File("t.pdf") + "'", &info), 0);
    EXPECT_NE(info.find("Title:           " + title + "\n"), std::string::npos) << info;
    vorDocument reader;
    ASSERT_EQ(reader.LoadFromBytes(bytes, kTargetPdf), kLoadOk);
    EXPECT_EQ(reader.eInfos->title, title);
}

TEST(DocumentInformation, FormatFileSavedAgainKeepsTheProperties) {
    test::TempDir dir;
    vorFormat read = FromFile();
    EXPECT_EQ(read.title, kTitle);
    ASSERT_EQ(read.SaveFormatFile(dir.File("again.dorvex")), kFormatOk);
    vorFormat again;
    ASSERT_EQ(again.ReadFormatFile(dir.File("again.dorvex")), kFormatOk);
    EXPECT_EQ(again.title + again.author + again.subject + again.keywords,
              kTitle + kAuthor + kSubject + kKeywords);
    EXPECT_EQ(again.FormatFileText(), read.FormatFileText());

    // A file written by hand in Windows-1252 without saying so (é is the byte E9).
    vorFormat hand;
    ASSERT_EQ(hand.ReadFormatText("<dorvex><vantor><format><documentproperties><title>Caf\xE9 "
                                  "\xCE\xA9</title></documentproperties></format></vantor></dorvex>"),
              kFormatOk);
    EXPECT_EQ(hand.title, "Caf\xC3\xA9 \xCE\xA9");  // "Café Ω"
}

TEST(MendUtf8, KeepsValidSequencesAndTakesOtherBytesAsWindows1252) {
    EXPECT_EQ(MendUtf8("Ωμέγα €"), "Ωμέγα €");
    EXPECT_EQ(MendUtf8("a\x80" "b\xE9"), "a€bé");
    EXPECT_EQ(MendUtf8("\xC0\xAF"), "À¯");                          // an overlong form
    EXPECT_EQ(MendUtf8("\xED\xA0\x80"), "í\xC2\xA0\xE2\x82\xAC");  // a surrogate
}

}  // namespace
}  // namespace scrivane
