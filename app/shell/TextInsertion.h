#pragma once
// Puts whole lines into the editor at the caret, as one step that Undo takes back. At the
// start of a line they go in before it; in the middle of a line they split it around
// them; at the end of a line they follow it. No empty line is added: it would print as an
// empty line.
#include <QString>
#include <QStringList>

class QPlainTextEdit;

namespace scrivane::app {

// Inserts the lines at the caret (a selection is left in place, not replaced), leaves
// the caret after them and gives the editor the focus. Nothing happens for no lines.
void InsertLines(QPlainTextEdit* editor, const QStringList& lines);

// One line, as the insert and modify commands put a command into the text; an empty text
// inserts nothing.
void InsertToText(QPlainTextEdit* editor, const QString& text);

}  // namespace scrivane::app
