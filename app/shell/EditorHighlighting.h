#pragma once
// Shows, as the user types, what each line will become in the export: the highlighter's
// colours (switched off and on from the Format menu, and remembered), a tooltip that
// says it in words, and, on the status line, why the engine would ignore or refuse the
// command on the caret's line (after an export, the first line it reported). The line
// conditions are those of the export format last used (PDF at first), read again after
// an export or a change of the format options.
#include <QByteArray>
#include <QObject>

#include "shell/LineClassifier.h"
#include "util/Diagnostic.h"

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
    // After an export, its first reported line, until the caret moves or the text changes.
    void ShowExportProblem(const Diagnostics& problems);

    // What the engine reported about the text when it last laid it out (the preview
    // does so as the user types): refused commands, images not placed, characters
    // replaced. The status line shows the report of the caret's line, else the first one.
    void setEngineReports(scrivane::Diagnostics reports);
    const scrivane::Diagnostics& engineReports() const { return engineReports_; }
    CommandHighlighter& highlighter() const { return *highlighter_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateReport();
    QString EngineReportText(int caretLine) const;

    AppContext& context_;
    QPlainTextEdit* editor_;
    CommandHighlighter* highlighter_;
    QLabel* report_ = nullptr;
    int formatCode_;
    QByteArray conditionsRead_;  // what the format files held when last read
    scrivane::Diagnostics engineReports_;  // by line
};

}  // namespace scrivane::app
