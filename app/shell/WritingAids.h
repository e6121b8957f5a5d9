#pragma once
// The writing aids of the main window: the Modify and Insert menus, Find, Find next and
// Go to line (also by a click on the status line), with their keys, and the highlighting
// that shows what each line will become.
#include <QObject>
#include <memory>

class QPlainTextEdit;
class QWidget;

namespace scrivane::app {

struct AppContext;
class AidDialogs;
class EditorHighlighting;
class FindCommands;
class InsertCommands;
class frmScrivane;

class WritingAids : public QObject {
    Q_OBJECT
public:
    WritingAids(AppContext& context, QPlainTextEdit* editor, QWidget* window);
    ~WritingAids() override;

    // Connects the menu entries of the window to the commands, and the status line.
    void Connect(frmScrivane& window);

    InsertCommands& inserts() const { return *inserts_; }
    FindCommands& finds() const { return *finds_; }
    EditorHighlighting& highlighting() const { return *highlighting_; }
    // Tests answer the modal windows from a script.
    void setDialogs(std::unique_ptr<AidDialogs> dialogs);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* editor_;
    std::unique_ptr<AidDialogs> dialogs_;
    std::unique_ptr<InsertCommands> inserts_;
    std::unique_ptr<FindCommands> finds_;
    EditorHighlighting* highlighting_;
    QObject* statusLabel_ = nullptr;
};

}  // namespace scrivane::app
