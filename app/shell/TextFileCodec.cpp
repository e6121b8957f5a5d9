#include "shell/TextFileCodec.h"

#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextDocument>

#include <string_view>

#include "font/UnicodeFonts.h"
#include "util/Encoding.h"

namespace scrivane::app {

namespace {

const QByteArray kUtf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");
const QByteArray kUtf16LeBom = QByteArrayLiteral("\xFF\xFE");
const QByteArray kUtf16BeBom = QByteArrayLiteral("\xFE\xFF");

std::string_view View(const QByteArray& bytes) {
    return std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QString FromUtf8(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

bool IsUtf16(TextFileEncoding encoding) {
    return encoding == TextFileEncoding::kUtf16Le || encoding == TextFileEncoding::kUtf16Be;
}

QStringConverter::Encoding Utf16Of(TextFileEncoding encoding) {
    return encoding == TextFileEncoding::kUtf16Be ? QStringConverter::Utf16BE
                                                  : QStringConverter::Utf16LE;
}

// Stateless: an odd last byte becomes U+FFFD, as the engine reads it. The byte order mark
// is taken off and put back here, so a U+FEFF right after it is text and stays.
constexpr QStringConverter::Flags kUtf16Flags =
    QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

}  // namespace

// UTF-16 keeps every code unit, unpaired surrogates included, so it is saved back as it
// was. Windows-1252 has a character for every byte (the five undefined ones become the C1
// controls of the same value), so no byte is lost either way. A file with CR LF line
// ends, or with none at all, is DOS: its CR LF pairs become "\n", and lone LFs and CRs
// stay as they are. A file with LFs and no CR LF pair is UNIX and is taken as it is.
QString DecodeTextFile(const QByteArray& bytes, TextFileEncoding& encoding, LineEndMode& mode) {
    QString text;
    encoding = DetectTextFileEncoding(View(bytes));
    switch (encoding) {
        case TextFileEncoding::kUtf16Le:
        case TextFileEncoding::kUtf16Be:
            text = QStringDecoder(Utf16Of(encoding), kUtf16Flags)(bytes.mid(kUtf16LeBom.size()));
            break;
        case TextFileEncoding::kUtf8Bom:
            text = QString::fromUtf8(bytes.mid(kUtf8Bom.size()));
            break;
        case TextFileEncoding::kUtf8:
            text = QString::fromUtf8(bytes);
            break;
        case TextFileEncoding::kWindows1252:
            text = FromUtf8(Cp1252ToUtf8(View(bytes)));
            break;
    }

    if (!text.contains(QStringLiteral("\r\n")) && text.contains(QLatin1Char('\n'))) {
        mode = LineEndMode::Unix;
    } else {
        mode = LineEndMode::Dos;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    return text;
}

// The reverse of DecodeTextFile. Characters Windows-1252 cannot hold are written as
// "?" in a Windows-1252 file.
QByteArray EncodeTextFile(const QString& text, TextFileEncoding encoding, LineEndMode mode) {
    QString lines = text;
    if (mode == LineEndMode::Dos) lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    if (IsUtf16(encoding)) {
        const QByteArray bom = encoding == TextFileEncoding::kUtf16Be ? kUtf16BeBom : kUtf16LeBom;
        return bom + QStringEncoder(Utf16Of(encoding), kUtf16Flags)(lines);
    }
    const QByteArray utf8 = lines.toUtf8();
    switch (encoding) {
        case TextFileEncoding::kWindows1252:
            return QByteArray::fromStdString(Utf8ToCp1252(View(utf8)));
        case TextFileEncoding::kUtf8Bom:
            return kUtf8Bom + utf8;
        default:
            return utf8;
    }
}

// The editor's text is always valid UTF-8 once encoded, so the engine converts it as it
// converts a UTF-8 text file: the command line and the editor give the same engine text.
EngineText ToEngineText(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return scrivane::ToEngineText(View(utf8));
}

EngineText ToExportText(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return scrivane::ToEngineText(View(utf8),
                                  [](char32_t c) { return UnicodeFonts::Shared().CanShow(c); });
}

QString FromEngineText(const std::string& text, bool utf8) {
    return FromUtf8(ToUtf8Lines(text, utf8));
}

QString EditorText(const QPlainTextEdit* editor) {
    return WithLineFeeds(editor->document()->toRawText());
}

QString WithLineFeeds(QString rawText) {
    rawText.replace(QChar::ParagraphSeparator, QChar('\n'));
    return rawText;
}

}  // namespace scrivane::app
