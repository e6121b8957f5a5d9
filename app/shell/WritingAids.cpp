#include "shell/WritingAids.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>

#include "dialogs/AidDialogs.h"
#include "dialogs/ModifyChoices.h"
#include "shell/EditorHighlighting.h"
#include "shell/FindCommands.h"
#include "shell/InsertCommands.h"
#include "shell/frmScrivane.h"

namespace scrivane::app {

WritingAids::WritingAids(AppContext& context, QPlainTextEdit* editor, QWidget* window)
    : QObject(window),
      editor_(editor),
      dialogs_(std::make_unique<QtAidDialogs>(context, window)),
      inserts_(std::make_unique<InsertCommands>(context, editor, dialogs_.get())),
      finds_(std::make_unique<FindCommands>(context, editor, window, dialogs_.get())),
      highlighting_(new EditorHighlighting(context, editor, this)) {
    editor_->installEventFilter(this);
}

WritingAids::~WritingAids() = default;

void WritingAids::setDialogs(std::unique_ptr<AidDialogs> dialogs) {
    dialogs_ = std::move(dialogs);
    inserts_->setDialogs(dialogs_.get());
    finds_->setDialogs(dialogs_.get());
}

void WritingAids::Connect(frmScrivane& window) {
    auto on = [&window, this](const char* name, auto slot) {
        connect(window.action(name), &QAction::triggered, this, slot);
    };
    InsertCommands* inserts = inserts_.get();
    FindCommands* finds = finds_.get();
    for (const ModifyChoice& choice : ModifyChoices()) {
        const QString key = choice.key;
        if (key == QLatin1String(kHeaderKey)) continue;
        on(choice.menu, [inserts, key] { inserts->Modify(key); });
    }
    on("mnuModifyFontColor", [inserts] { inserts->FontColour(); });
    on("mnuInsertImage", [inserts] { inserts->Image(); });
    on("mnuInsertHeader", [inserts] { inserts->Header(); });
    on("mnuInsertTitle1", [inserts] { inserts->Title(1); });
    on("mnuInsertTitle2", [inserts] { inserts->Title(2); });
    on("mnuInsertTitle3", [inserts] { inserts->Title(3); });
    on("mnuInsertPageBreak", [inserts] { inserts->PageBreak(); });
    on("mnuFind", [finds] { finds->Find(); });
    on("mnuFindNext", [finds] { finds->FindNext(); });
    on("mnuGoto", [finds] { finds->GotoLine(); });

    highlighting_->Connect(window);

    statusLabel_ = window.findChild<QLabel*>("lblStatusBar");
    if (statusLabel_) statusLabel_->installEventFilter(this);
}

bool WritingAids::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            finds_->HideFind();
        }
    } else if (watched == statusLabel_ && event->type() == QEvent::MouseButtonRelease) {
        finds_->GotoLine();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace scrivane::app
