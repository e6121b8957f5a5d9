#pragma once
// Text files as the editor opens and saves them. Which encoding a file is in follows the
// command line's rule (UTF-16 by its byte order mark, else UTF-8 when valid, else
// Windows-1252); CR LF (DOS) or LF-only (UNIX) line ends. A file is saved back in the
// encoding, byte order mark and line ends it was read with, so an unchanged file keeps
// its bytes. New documents are UTF-8.
#include <QByteArray>
#include <QString>

#include "util/TextInput.h"

class QPlainTextEdit;

namespace scrivane::app {

enum class LineEndMode { Dos, Unix };

// Bytes to editor text (line ends become "\n"). Sets the encoding it found, and the
// line-end mode: UNIX when the file has LF line ends and no CR LF at all, else DOS.
QString DecodeTextFile(const QByteArray& bytes, TextFileEncoding& encoding, LineEndMode& mode);
// Editor text ("\n" line ends) to bytes in the given encoding and line-end mode.
QByteArray EncodeTextFile(const QString& text, TextFileEncoding encoding, LineEndMode mode);

// The editor's text exactly as typed: QPlainTextEdit::toPlainText() would turn
// non-breaking spaces into blanks; only the paragraph separators become "\n".
QString EditorText(const QPlainTextEdit* editor);
// The document's raw text with its paragraph separators made "\n": what EditorText does
// after taking the text, for a caller that takes it on one thread and uses it on another.
QString WithLineFeeds(QString rawText);

// Editor text to the engine's Windows-1252 text with CR LF line ends; characters
// Windows-1252 cannot hold become "?", counted and reported line by line.
EngineText ToEngineText(const QString& text);
// Editor text for an export: as above, but a text with characters beyond Windows-1252
// that an installed font shows stays UTF-8 (EngineText::utf8); only characters no font
// shows become "?".
EngineText ToExportText(const QString& text);
// Engine text (CR LF line ends) to editor text; `utf8`: the engine text is UTF-8.
QString FromEngineText(const std::string& text, bool utf8 = false);

}  // namespace scrivane::app
