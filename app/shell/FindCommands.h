#pragma once
// Find, Find next and Go to line. The find window is made on first use and kept, hidden
// between uses, so that Find next goes on from the last match.
#include <QObject>

class QPlainTextEdit;
class QWidget;

namespace scrivane::app {

struct AppContext;
class AidDialogs;
class frmSearch;

class FindCommands : public QObject {
    Q_OBJECT
public:
    FindCommands(AppContext& context, QPlainTextEdit* editor, QWidget* window,
                 AidDialogs* dialogs);
    void setDialogs(AidDialogs* dialogs) { dialogs_ = dialogs; }

    // Shows the find window beside the main window, with the selected text to look for.
    void Find();
    // The find window's Next; nothing before the first Find.
    void FindNext();
    // Asks for a line and puts the caret at its start; 0 is the last line.
    void GotoLine();
    // Hides the find window (Escape in the editor).
    void HideFind();

    frmSearch* findWindow() const { return search_; }

private:
    void GiveEditorFocus();

    AppContext& context_;
    QPlainTextEdit* editor_;
    QWidget* window_;
    AidDialogs* dialogs_;
    frmSearch* search_ = nullptr;  // owned by the main window once made
};

}  // namespace scrivane::app
