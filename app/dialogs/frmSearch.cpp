#include "dialogs/frmSearch.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include "shell/AppContext.h"
#include "util/ProgramInfo.h"

namespace scrivane::app {

frmSearch::frmSearch(AppContext& context, QPlainTextEdit* editor, QWidget* parent)
    : QDialog(parent), context_(context), editor_(editor) {
    setObjectName("frmSearch");
    setModal(false);
    txtSearch_ = new QLineEdit(this);
    txtSearch_->setObjectName("txtSearch");
    txtSearch_->setMinimumWidth(txtSearch_->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 30);
    lblSearch_ = new QLabel(this);
    lblSearch_->setBuddy(txtSearch_);
    chkCaseSensitive_ = new QCheckBox(this);
    chkCaseSensitive_->setObjectName("chkCaseSensitive");

    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    cmdSearchNext_ = buttons->addButton(QString(), QDialogButtonBox::ActionRole);
    cmdSearchNext_->setObjectName("cmdSearchNext");
    cmdSearchNext_->setDefault(true);
    cmdCancel_ = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    cmdCancel_->setObjectName("cmdCancel");
    connect(cmdSearchNext_, &QPushButton::clicked, this, &frmSearch::cmdSearchNext_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmSearch::cmdCancel_Click);
    ApplyCaptions();

    auto* fields = new QVBoxLayout;
    auto* row = new QHBoxLayout;
    row->addWidget(lblSearch_);
    row->addWidget(txtSearch_, 1);
    fields->addLayout(row);
    fields->addWidget(chkCaseSensitive_);
    fields->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmSearch::ApplyCaptions() {
    const clsCaption& c = context_.captions;
    setWindowTitle(c.m("Find"));
    lblSearch_->setText(c.m("Find"));
    chkCaseSensitive_->setText(c.m("Case sensitive"));
    cmdSearchNext_->setText(c.m("Next"));
    cmdCancel_->setText(c.m("Cancel"));
}

QTextCursor frmSearch::FindText(const QTextDocument* document, const QString& text, int from,
                                bool caseSensitive) {
    // Compared a character at a time without changing the text: upper-casing the whole
    // text would change its length where a letter has a longer capital ("ß" gives "SS").
    QTextDocument::FindFlags flags;
    if (caseSensitive) flags |= QTextDocument::FindCaseSensitively;
    return document->find(text, from, flags);
}

void frmSearch::cmdSearchNext_Click() {
    const QString text = txtSearch_->text();
    if (text.isEmpty()) return;
    const QTextCursor found = FindText(editor_->document(), text, searchIndex_ + 1,
                                       chkCaseSensitive_->isChecked());
    if (found.isNull()) {
        QString message = context_.captions.e("Cannot found '%text%'");
        context_.prompts.Inform(kProgramName, message.replace("%text%", text));
        return;
    }
    searchIndex_ = found.selectionStart();
    editor_->setTextCursor(found);
    editor_->ensureCursorVisible();
}

void frmSearch::cmdCancel_Click() { reject(); }

void frmSearch::reject() {
    hide();
    emit dismissed();
}

}  // namespace scrivane::app
