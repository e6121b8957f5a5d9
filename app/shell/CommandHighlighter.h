#pragma once
// Colours the editor's lines by what they will become (LineClassifier): commands with
// their key and value apart, a wavy red line under what makes the engine ignore or
// refuse a command, image tags, titles and page breaks, and the lines the current
// format's conditions select, their marker apart. A line the engine prints as written
// keeps the editor's plain look.
//
// Only the lines on screen are coloured, when they come into view or change: a
// QSyntaxHighlighter would look at every line of a text as it is opened, which costs a
// large text a third more time to open even with nothing to colour. A line's state (the
// block's user state) says whether its colours are those of the current conditions.
#include <QObject>
#include <QTextCharFormat>
#include <QTextLayout>

#include "shell/LineClassifier.h"

class QPlainTextEdit;
class QTextBlock;

namespace scrivane::app {

class CommandHighlighter : public QObject {
    Q_OBJECT
public:
    explicit CommandHighlighter(QPlainTextEdit* editor);

    LineClassifier& classifier() { return classifier_; }
    bool enabled() const { return enabled_; }
    // Off takes the colours off every line that has them.
    void setEnabled(bool on);
    // The conditions changed: every line is coloured again when it is shown.
    void Invalidate();
    // Colours the lines on screen whose colours are not up to date.
    void ColourVisibleLines();

    // The format a line of the kind shows in (its text, without the marker).
    const QTextCharFormat& FormatOf(LineKind kind) const;
    // The coloured ranges of a line.
    QList<QTextLayout::FormatRange> RangesOf(const QString& text, int lineNumber);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MarkChanged(int from, int removed, int added);
    void Colour(QTextBlock block, const QList<QTextLayout::FormatRange>& ranges);
    void AddCommandRanges(QList<QTextLayout::FormatRange>& ranges, const LineClass& line,
                          int length) const;

    QPlainTextEdit* editor_;
    LineClassifier classifier_;
    bool enabled_ = false;
    bool applying_ = false;  // our own format changes are no edits
    int generation_ = 0;     // a line coloured under the current conditions has this state
    QTextCharFormat setWord_, key_, value_, marker_;
    QTextCharFormat badKey_, badValue_, badSetWord_;
    QTextCharFormat kinds_[int(LineKind::Restyled) + 1];
};

}  // namespace scrivane::app
