#pragma once
// Text files as the editor opens and saves them: UTF-8 when the bytes are valid UTF-8,
// otherwise Windows-1252; CR LF (DOS) or LF-only (UNIX) line ends. A file is saved back
// in the encoding and with the line ends it was read with, so an unchanged file keeps
// its bytes. New documents are UTF-8.
#include <QByteArray>
#include <QString>

#include "util/TextInput.h"

class QPlainTextEdit;

namespace scrivane::app {

enum class TextEncoding { Utf8, Windows1252 };
enum class LineEndMode { Dos, Unix };

struct TextFileFormat {
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false;
};

// Bytes to editor text (line ends become "\n"). Sets the format it found, and the
// line-end mode: UNIX when the file has LF line ends and no CR LF at all, else DOS.
QString DecodeTextFile(const QByteArray& bytes, TextFileFormat& format, LineEndMode& mode);
// Editor text ("\n" line ends) to bytes in the given format and line-end mode.
QByteArray EncodeTextFile(const QString& text, const TextFileFormat& format, LineEndMode mode);

// The editor's text exactly as typed: QPlainTextEdit::toPlainText() would turn
// non-breaking spaces into blanks; only the paragraph separators become "\n".
QString EditorText(const QPlainTextEdit* editor);

// Editor text to the engine's Windows-1252 text with CR LF line ends; characters
// Windows-1252 cannot hold become "?" and are counted in *replaced.
std::string ToEngineText(const QString& text, size_t* replaced = nullptr);
// The same with the engine's report of each line that lost characters.
scrivane::EngineText ConvertForEngine(const QString& text);
// Engine text (CR LF line ends) to editor text.
QString FromEngineText(const std::string& text);

}  // namespace scrivane::app
