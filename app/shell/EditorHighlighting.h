#pragma once
// Shows, as the user types, what each line will become in the export: the highlighter's
// colours (switched off and on from the Format menu, and remembered), a tooltip that
// says it in words, and, on the status line, why the engine would ignore or refuse the
// command on the caret's line. The line conditions are those of the export format last
// used (PDF at first), read again after an export or a change of the format options.
#include <QByteArray>
#include <QObject>

#include "shell/LineClassifier.h"

class QLabel;
class QPlainTextEdit;
class QTextBlock;

namespace scrivane::app {

struct AppContext;
class CommandHighlighter;
class frmScrivane;

class EditorHighlighting : public QObject {
    Q_OBJECT
public:
    EditorHighlighting(AppContext& context, QPlainTextEdit* editor, QObject* parent);
    ~EditorHighlighting() override;

    // The Format menu's switch, the commands after which the format files are read
    // again, and the status line's report.
    void Connect(frmScrivane& window);

    bool enabled() const;
    void setEnabled(bool on);
    int formatCode() const { return formatCode_; }
    // Takes the line conditions of another export format.
    void setFormatCode(int code);
    // Reads the format files again; colours the text anew only when they changed.
    void ReloadConditions();

    // What a line becomes, and the same in words (empty for a line printed as written).
    LineClass ClassifyBlock(const QTextBlock& block);
    QString Describe(const LineClass& line) const;
    QString reportText() const;
    CommandHighlighter& highlighter() const { return *highlighter_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateReport();

    AppContext& context_;
    QPlainTextEdit* editor_;
    CommandHighlighter* highlighter_;
    QLabel* report_ = nullptr;
    int formatCode_;
    QByteArray conditionsRead_;  // what the format files held when last read
};

}  // namespace scrivane::app
