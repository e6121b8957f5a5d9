#include "shell/TextInsertion.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

namespace scrivane::app {

void InsertLines(QPlainTextEdit* editor, const QStringList& lines) {
    if (lines.isEmpty()) return;
    const QString inserted = lines.join(QLatin1Char('\n'));
    QTextCursor cursor = editor->textCursor();
    cursor.clearSelection();
    cursor.beginEditBlock();
    if (cursor.atBlockStart()) {
        cursor.insertText(inserted + QLatin1Char('\n'));
    } else if (cursor.atBlockEnd() && cursor.block().next().isValid()) {
        // At the end of a line that has a next one: the lines go between the two, and
        // the caret ends where the next line starts, as after a split.
        cursor.movePosition(QTextCursor::NextBlock);
        cursor.insertText(inserted + QLatin1Char('\n'));
    } else {
        cursor.insertText(QLatin1Char('\n') + inserted + QLatin1Char('\n'));
    }
    cursor.endEditBlock();
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
    editor->setFocus();
}

void InsertToText(QPlainTextEdit* editor, const QString& text) {
    if (!text.isEmpty()) InsertLines(editor, {text});
}

}  // namespace scrivane::app
