// Text files into engine text: encodings, line ends, replaced characters, and what is
// not text at all.
#include <gtest/gtest.h>

#include "util/TextInput.h"

namespace scrivane {
namespace {

TEST(TextInput, EveryKindOfLineEndBecomesCrLf) {
    EXPECT_EQ(ToEngineText("a\r\nb\nc\rd").text, "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(ToEngineText("a\r\rb").text, "a\r\n\r\nb");        // two lone CRs: two ends
    EXPECT_EQ(ToEngineText("a\r\n\nb\r").text, "a\r\n\r\nb\r\n");  // CR LF then LF
    EXPECT_EQ(ToEngineText("caf\xE9\rcr\xE8me").text, "caf\xE9\r\ncr\xE8me");  // Windows-1252
}

// Plain stretches are scanned eight bytes at a time: a line end or a byte past ASCII must
// be found wherever it falls in such a word, and the text around it kept whole.
TEST(TextInput, LineEndsAndHighBytesAreFoundAtEveryOffset) {
    const std::string pad = "abcdefghijklmnopqrstuvwxyz";
    struct Case {
        std::string written, converted;
        TextFileEncoding encoding;
    };
    const Case cases[] = {{"\r\n", "\r\n", TextFileEncoding::kUtf8},
                          {"\r", "\r\n", TextFileEncoding::kUtf8},
                          {"\n", "\r\n", TextFileEncoding::kUtf8},
                          {"\xC3\xA9", "\xE9", TextFileEncoding::kUtf8},
                          {"\xE9", "\xE9", TextFileEncoding::kWindows1252}};
    for (const Case& c : cases) {
        for (size_t at = 0; at <= pad.size(); ++at) {
            const EngineText text =
                ToEngineText(pad.substr(0, at) + c.written + pad.substr(at));
            EXPECT_EQ(text.text, pad.substr(0, at) + c.converted + pad.substr(at)) << at;
            EXPECT_EQ(text.encoding, c.encoding) << at;
        }
    }
}

// Plain stretches are also scanned sixteen bytes at a time, and a line end is taken whole:
// line ends beside each other, beside high bytes and at the text's end, at every offset
// of a text longer than two such blocks, in UTF-8 and in Windows-1252.
TEST(TextInput, NeighbouringSpecialBytesAreTakenAtEveryOffset) {
    const std::string pad = "The quick brown fox jumps over the lazy dog.";
    struct Case {
        std::string written, converted;
    };
    const Case utf8[] = {{"\r\n\r\n", "\r\n\r\n"}, {"\r\r\n", "\r\n\r\n"},
                         {"\n\r", "\r\n\r\n"},       {"\r\n\xC3\xA9\r", "\r\n\xE9\r\n"},
                         {"\xC3\xA9\n", "\xE9\r\n"}};
    const Case cp1252[] = {{"\r\n\xE9", "\r\n\xE9"}, {"\xE9\r", "\xE9\r\n"},
                           {"\x80\n\r\x93", "\x80\r\n\r\n\x93"}};
    auto check = [&](const Case& c, TextFileEncoding encoding) {
        for (size_t at = 0; at <= pad.size(); ++at) {
            const EngineText text = ToEngineText(pad.substr(0, at) + c.written + pad.substr(at));
            EXPECT_EQ(text.text, pad.substr(0, at) + c.converted + pad.substr(at)) << at;
            EXPECT_EQ(text.encoding, encoding) << at;
            const EngineText last = ToEngineText(pad.substr(0, at) + c.written);
            EXPECT_EQ(last.text, pad.substr(0, at) + c.converted) << at;
        }
    };
    for (const Case& c : utf8) check(c, TextFileEncoding::kUtf8);
    for (const Case& c : cp1252) check(c, TextFileEncoding::kWindows1252);
}

TEST(TextInput, Utf16WithByteOrderMarkIsDecoded) {
    // "café €\r\n𝄞" in UTF-16 LE and BE; the clef is outside Windows-1252.
    const std::string le("\xFF\xFE" "c\0a\0f\0\xE9\0 \0\xAC\x20\r\0\n\0\x34\xD8\x1E\xDD", 22);
    EngineText fromLe = ToEngineText(le);
    EXPECT_EQ(fromLe.encoding, TextFileEncoding::kUtf16Le);
    EXPECT_EQ(fromLe.text, "caf\xE9 \x80\r\n?");
    EXPECT_EQ(fromLe.replaced, 1u);
    ASSERT_EQ(fromLe.replacements.size(), 1u);
    EXPECT_EQ(fromLe.replacements[0].line, 2);
    EXPECT_EQ(fromLe.replacements[0].text, "\xF0\x9D\x84\x9E");

    const std::string be("\xFE\xFF" "\0o\0k\0\r\0\xE9", 10);
    EngineText fromBe = ToEngineText(be);
    EXPECT_EQ(fromBe.encoding, TextFileEncoding::kUtf16Be);
    EXPECT_EQ(fromBe.text, "ok\r\n\xE9");
}

TEST(TextInput, BrokenUtf16IsReplacedNotDropped) {
    // An unpaired surrogate and an odd last byte.
    EngineText text = ToEngineText(std::string("\xFF\xFE" "a\0\x00\xD8" "b\0z", 9));
    EXPECT_EQ(text.text, "a?b?");
    EXPECT_EQ(text.replaced, 2u);
}

TEST(TextInput, Utf8ByteOrderMarkIsNoText) {
    EngineText text = ToEngineText("\xEF\xBB\xBFhello \xE2\x82\xAC");
    EXPECT_EQ(text.encoding, TextFileEncoding::kUtf8Bom);
    EXPECT_EQ(text.text, "hello \x80");
    EXPECT_EQ(text.replaced, 0u);
}

TEST(TextInput, ReplacedCharactersAreReportedPerLine) {
    EngineText text = ToEngineText("ok\n\xCE\xB1\xCE\xB2 and \xE2\x98\x83\nfine\r\xE2\x98\x83");
    EXPECT_EQ(text.text, "ok\r\n?? and ?\r\nfine\r\n?");
    EXPECT_EQ(text.replaced, 4u);
    ASSERT_EQ(text.replacements.size(), 2u);
    EXPECT_EQ(text.replacements[0].line, 2);
    EXPECT_EQ(text.replacements[0].text, "\xCE\xB1\xCE\xB2\xE2\x98\x83");
    EXPECT_EQ(text.replacements[0].kind, DiagnosticKind::kCharacterReplaced);
    EXPECT_NE(text.replacements[0].message.find("3 characters"), std::string::npos);
    EXPECT_EQ(text.replacements[1].line, 4);
}

TEST(TextInput, TellsPublishedAndBinaryFilesFromText) {
    EXPECT_EQ(ClassifyTextInput("plain words\n<set>x=5\n"), TextInputKind::kText);
    EXPECT_EQ(ClassifyTextInput(std::string("ab\0cd", 5)), TextInputKind::kBinary);
    EXPECT_EQ(ClassifyTextInput(std::string(9000, 'a') + std::string(1, '\0')),
              TextInputKind::kText);  // only the first 8 KiB are looked at
    EXPECT_EQ(ClassifyTextInput(std::string("\xFF\xFE" "a\0", 4)), TextInputKind::kText);
    EXPECT_EQ(ClassifyTextInput("%PDF-1.4\n1 0 obj\n/Dorvex (JTR-1.4.0-noc)\n%%EOF"),
              TextInputKind::kOwnPdf);
    EXPECT_EQ(ClassifyTextInput("%PDF-1.7\n%\xE2\xE3\n1 0 obj\n%%EOF"), TextInputKind::kOtherPdf);
    EXPECT_EQ(ClassifyTextInput("<?xml version=\"1.0\"?>\n<svg producer=\"Vantor Jotter 1.4.0 - x\">"),
              TextInputKind::kOwnXml);
    EXPECT_EQ(ClassifyTextInput("<html><head producer=\"Vantor Jotter 1.4.0\"/></html>"),
              TextInputKind::kOwnXml);
    EXPECT_EQ(ClassifyTextInput("<svg xmlns=\"http://www.w3.org/2000/svg\"/>"),
              TextInputKind::kText);  // someone else's drawing may be typeset as text
}

}  // namespace
}  // namespace scrivane
