#include "shell/TextFileCodec.h"

#include <QPlainTextEdit>
#include <QTextDocument>

#include <string_view>

#include "util/Encoding.h"
#include "util/TextInput.h"

namespace scrivane::app {

namespace {

const QByteArray kUtf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");

std::string_view View(const QByteArray& bytes) {
    return std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QString FromUtf8(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

// Valid UTF-8 (after an optional byte order mark) is UTF-8; anything else is
// Windows-1252, whose every byte has a character (the five undefined ones become the C1
// controls of the same value), so no byte is lost either way. A file with CR LF line
// ends, or with none at all, is DOS: its CR LF pairs become "\n", and lone LFs and CRs
// stay as they are. A file with LFs and no CR LF pair is UNIX and is taken as it is.
QString DecodeTextFile(const QByteArray& bytes, TextFileFormat& format, LineEndMode& mode) {
    QString text;
    const bool bom = bytes.startsWith(kUtf8Bom);
    const QByteArray body = bom ? bytes.mid(kUtf8Bom.size()) : bytes;
    if (IsValidUtf8(View(body))) {
        format = {TextEncoding::Utf8, bom};
        text = QString::fromUtf8(body);
    } else {
        format = {TextEncoding::Windows1252, false};
        text = FromUtf8(Cp1252ToUtf8(View(bytes)));
    }

    if (!bytes.contains("\r\n") && bytes.contains('\n')) {
        mode = LineEndMode::Unix;
    } else {
        mode = LineEndMode::Dos;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    return text;
}

// The reverse of DecodeTextFile. Characters Windows-1252 cannot hold are written as
// "?" in a Windows-1252 file.
QByteArray EncodeTextFile(const QString& text, const TextFileFormat& format, LineEndMode mode) {
    QString lines = text;
    if (mode == LineEndMode::Dos) lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const QByteArray utf8 = lines.toUtf8();
    if (format.encoding == TextEncoding::Windows1252) {
        return QByteArray::fromStdString(Utf8ToCp1252(View(utf8)));
    }
    return format.byteOrderMark ? kUtf8Bom + utf8 : utf8;
}

// The editor's text is always valid UTF-8 once encoded, so the engine converts it as it
// converts a UTF-8 text file: the command line and the editor give the same engine text.
EngineText ConvertForEngine(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return scrivane::ToEngineText(View(utf8));
}

std::string ToEngineText(const QString& text, size_t* replaced) {
    EngineText converted = ConvertForEngine(text);
    if (replaced) *replaced = converted.replaced;
    return std::move(converted.text);
}

QString FromEngineText(const std::string& text) { return FromUtf8(ToUtf8Lines(text)); }

}  // namespace scrivane::app

namespace scrivane::app {

QString EditorText(const QPlainTextEdit* editor) {
    QString text = editor->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QChar('\n'));
    return text;
}

}  // namespace scrivane::app
