#include "shell/FindCommands.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>

#include "dialogs/AidDialogs.h"
#include "dialogs/RememberedPlace.h"
#include "dialogs/frmSearch.h"
#include "shell/AppContext.h"

namespace scrivane::app {

namespace {

// Where the find window opens: this far right of and below the main window's corner.
constexpr int kFindRightTwips = 1000;
constexpr int kFindDownTwips = 2500;

}  // namespace

FindCommands::FindCommands(AppContext& context, QPlainTextEdit* editor, QWidget* window,
                           AidDialogs* dialogs)
    : context_(context), editor_(editor), window_(window), dialogs_(dialogs) {}

void FindCommands::Find() {
    if (!search_) {
        search_ = new frmSearch(context_, editor_, window_);
        search_->setWindowFlag(Qt::Tool);  // stays above the main window, no task bar entry
        connect(search_, &frmSearch::dismissed, this, &FindCommands::GiveEditorFocus);
    }
    search_->ApplyCaptions();  // the language may have changed since it was made
    const QPoint corner = window_->geometry().topLeft();
    search_->move(corner + QPoint(kFindRightTwips, kFindDownTwips) / kTwipsPerPixel);
    // A selection over several lines gives its first line: a match never spans lines.
    const QString selected =
        editor_->textCursor().selectedText().section(QChar::ParagraphSeparator, 0, 0);
    if (!selected.isEmpty()) search_->searchBox()->setText(selected);
    search_->show();
    search_->raise();
    search_->activateWindow();
    search_->searchBox()->setFocus();
    search_->searchBox()->selectAll();
}

void FindCommands::FindNext() {
    if (search_) search_->cmdSearchNext_Click();
}

void FindCommands::HideFind() {
    if (search_ && search_->isVisible()) search_->reject();
}

void FindCommands::GiveEditorFocus() {
    window_->activateWindow();
    editor_->setFocus();
}

void FindCommands::GotoLine() {
    const int line = dialogs_->AskLine(editor_->textCursor().blockNumber() + 1);
    QTextDocument* document = editor_->document();
    if (line > document->blockCount()) {
        context_.prompts.Inform(context_.captions.m("Go to line"),
                                context_.captions.e("Line number out of bounds"));
        return;
    }
    if (line < 0) return;
    const QTextBlock block =
        line == 0 ? document->lastBlock() : document->findBlockByNumber(line - 1);
    QTextCursor cursor(block);
    editor_->setTextCursor(cursor);
    editor_->ensureCursorVisible();
    editor_->setFocus();
}

}  // namespace scrivane::app
