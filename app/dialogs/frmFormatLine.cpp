#include "dialogs/frmFormatLine.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialogs/ConditionFields.h"
#include "dialogs/DialogPlace.h"
#include "dialogs/DialogWidgets.h"
#include "dialogs/FieldText.h"
#include "format/FormatFileAsWritten.h"
#include "shell/AppContext.h"
#include "shell/FormatFilePlaces.h"
#include "util/Status.h"

namespace scrivane::app {

frmFormatLine::frmFormatLine(AppContext& context, int formatCode, const QString& source,
                             const QString& target, QWidget* parent)
    : QDialog(parent), context_(context), code_(formatCode), target_(target) {
    setObjectName("frmFormatLine");
    BuildControls();
    ApplyCaptions();
    // Read as written: saved back, the file must not gain the defaults that reading
    // fills in, or it would override the default file's font at every export.
    if (!source.isEmpty()) ReadFormatFileAsWritten(format_, EnginePath(source));
    RefreshList(format_.ListeFormats.empty() ? -1 : 0);
    TabStrip1_->setCurrentIndex(0);
    RestoreDialogPlace(*this, context_.settings, DialogPlace::FormatLine);
}

void frmFormatLine::BuildControls() {
    ListTags_ = Named(new QListWidget, "ListTags");
    ListTags_->setMinimumWidth(160);
    cmdAdd_ = Named(new QPushButton, "cmdAdd");
    cmdDelete_ = Named(new QPushButton, "cmdDelete");
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(cmdAdd_);
    listButtons->addWidget(cmdDelete_);
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(ListTags_, 1);
    listColumn->addLayout(listButtons);

    TabStrip1_ = Named(new QTabWidget, "TabStrip1");
    fields_ = new ConditionFields(*TabStrip1_, code_, context_.prompts);
    auto* top = new QHBoxLayout;
    top->addLayout(listColumn);
    top->addWidget(TabStrip1_, 1);

    cmdSaveAs_ = Named(new QPushButton, "cmdSaveAs");
    cmdOK_ = Named(new QPushButton, "cmdOK");
    cmdCancel_ = Named(new QPushButton, "cmdCancel");
    cmdOK_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSaveAs_);
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    connect(ListTags_, &QListWidget::currentRowChanged, this, &frmFormatLine::ShowRow);
    connect(cmdAdd_, &QPushButton::clicked, this, &frmFormatLine::Add);
    connect(cmdDelete_, &QPushButton::clicked, this, &frmFormatLine::Delete);
    connect(cmdSaveAs_, &QPushButton::clicked, this, &frmFormatLine::SaveAs);
    connect(cmdOK_, &QPushButton::clicked, this, &frmFormatLine::accept);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmFormatLine::reject);
}

void frmFormatLine::ApplyCaptions() {
    const clsCaption& c = context_.captions;
    setWindowTitle(c.m("Format Line Options"));
    fields_->ApplyCaptions(c);
    cmdAdd_->setText(c.m("&Add"));
    cmdDelete_->setText(c.m("Delete"));
    cmdSaveAs_->setText(c.m("Save As"));
    cmdOK_->setText(c.m("OK"));
    cmdCancel_->setText(c.m("Cancel"));
}

void frmFormatLine::StoreShown() {
    if (shown_ >= 0 && shown_ < static_cast<int>(format_.ListeFormats.size())) {
        fields_->Store(format_.ListeFormats[shown_]);
    }
}

void frmFormatLine::ShowRow(int row) {
    StoreShown();
    const bool valid = row >= 0 && row < static_cast<int>(format_.ListeFormats.size());
    shown_ = valid ? row : -1;
    if (valid) {
        fields_->Show(format_.ListeFormats[row]);
    } else {
        fields_->Clear();
    }
    // Without a condition there is nothing to edit: nothing typed may be lost.
    TabStrip1_->setEnabled(valid);
    cmdDelete_->setEnabled(valid);
}

void frmFormatLine::RefreshList(int row) {
    {
        const QSignalBlocker quiet(ListTags_);  // the shown condition was stored already
        ListTags_->clear();
        for (const vorFormat& condition : format_.ListeFormats) {
            ListTags_->addItem(FieldFromFormat(condition.conditionName));
        }
        shown_ = -1;
    }
    ListTags_->setCurrentRow(row);
    if (row < 0) ShowRow(-1);
}

void frmFormatLine::Add() {
    QString name;
    if (!context_.prompts.AskText(windowTitle(), context_.captions.m("Condition Name"), name) ||
        name.isEmpty()) {
        return;
    }
    StoreShown();
    vorFormat condition;
    condition.conditionName = condition.conditionValue = FieldToFormat(name);
    condition.conditionType = "leftlinevalue";
    condition.show = "right";  // the matched leading text is not printed
    format_.ListeFormats.push_back(std::move(condition));
    RefreshList(static_cast<int>(format_.ListeFormats.size()) - 1);
}

void frmFormatLine::Delete() {
    if (shown_ < 0) return;
    const int row = shown_;
    format_.ListeFormats.erase(format_.ListeFormats.begin() + row);
    shown_ = -1;  // gone: nothing to store
    const int count = static_cast<int>(format_.ListeFormats.size());
    RefreshList(count == 0 ? -1 : qMin(row, count - 1));
}

bool frmFormatLine::Write(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (format_.SaveFormatFile(EnginePath(path)) == kFormatOk) return true;
    const clsCaption& c = context_.captions;
    QString message = c.e("Cannot open file %filename% - Please check if this file is in use");
    context_.prompts.Inform(c.m("Error"), message.replace("%filename%", path));
    return false;
}

void frmFormatLine::accept() {
    StoreShown();
    if (!target_.isEmpty() && !Write(target_)) return;  // the window stays: nothing is lost
    QDialog::accept();
}

void frmFormatLine::done(int result) {
    StoreDialogPlace(*this, context_.settings, DialogPlace::FormatLine);
    QDialog::done(result);
}

void frmFormatLine::SaveAs() {
    StoreShown();
    const clsCaption& c = context_.captions;
    const FormatFilePlaces places(context_.paths);
    int index = 1;
    QString path = context_.prompts.SaveFileName(
        c.m("Save As"), {FormatFilePlaces::SetFilter("Format Line Options Files", code_)}, index,
        places.settingsFolder());
    if (path.isEmpty()) return;
    path = FormatFilePlaces::WithSetSuffix(path, code_);
    if (places.isReserved(path)) {
        context_.prompts.Inform(c.m("Error"), c.e("You cannot use this filename"));
        return;
    }
    if (QFileInfo::exists(path)) {
        QString question = c.e("File %filename% already exists. Do you want to overwrite it ?");
        if (!context_.prompts.AskYesNo(c.m("Save As"), question.replace("%filename%", path)))
            return;
    }
    Write(path);
}

}  // namespace scrivane::app
