#include "dialogs/AidDialogs.h"


#include "dialogs/frmGoto.h"
#include "dialogs/frmModify.h"
#include "shell/AppContext.h"

namespace scrivane::app {

QString QtAidDialogs::AskModifyValue(const QString& key) {
    frmModify window(context_.captions, context_.settings, owner_);
    window.ToModify = key;
    window.Load();
    window.exec();
    return window.ReturnValue;
}

int QtAidDialogs::AskLine(int defaultLine) {
    frmGoto window(context_.captions, defaultLine, owner_);
    window.exec();
    return window.chosenLine();
}

std::optional<ImageFields> QtAidDialogs::AskImage() {
    frmInsertImage window(context_, owner_);
    if (window.exec() != QDialog::Accepted) return std::nullopt;
    return window.fields();
}

QString QtAidDialogs::AskText(const QString& title, const QString& prompt) {
    QString text;
    return context_.prompts.AskText(title, prompt, text) ? text : QString();
}

}  // namespace scrivane::app
