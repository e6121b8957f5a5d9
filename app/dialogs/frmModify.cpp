#include "dialogs/frmModify.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/ModifyChoices.h"
#include "dialogs/RememberedPlace.h"
#include "lang/clsCaption.h"

namespace scrivane::app {

frmModify::frmModify(const clsCaption& captions, AppSettings& settings, QWidget* parent)
    : QDialog(parent), captions_(captions), settings_(settings) {
    setObjectName("frmModify");
    lblValue_ = new QLabel(this);
    Combo1_ = new QComboBox(this);
    Combo1_->setObjectName("Combo1");
    Combo1_->setEditable(true);  // a value outside the list may be typed
    Combo1_->setInsertPolicy(QComboBox::NoInsert);
    // No completion: "7" typed in the sizes would become "72" on Enter.
    Combo1_->setCompleter(nullptr);
    Combo1_->setMinimumContentsLength(24);
    Text1_ = new QLineEdit(this);
    Text1_->setObjectName("Text1");
    // Room for a title or a header line without scrolling.
    Text1_->setMinimumWidth(Text1_->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 36);

    cmdOK_ = new QPushButton(this);
    cmdOK_->setObjectName("cmdOK");
    cmdOK_->setDefault(true);
    cmdCancel_ = new QPushButton(this);
    cmdCancel_->setObjectName("cmdCancel");
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(cmdOK_, QDialogButtonBox::AcceptRole);
    buttons->addButton(cmdCancel_, QDialogButtonBox::RejectRole);
    connect(cmdOK_, &QPushButton::clicked, this, &frmModify::cmdOK_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmModify::cmdCancel_Click);
    // An editable list keeps Enter to itself; in the box it means OK, as in the text box.
    connect(Combo1_->lineEdit(), &QLineEdit::returnPressed, this, &frmModify::cmdOK_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblValue_);
    layout->addWidget(Combo1_);
    layout->addWidget(Text1_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmModify::Load() {
    RestorePlace(this, settings_, DialogPlace::Modify);
    cmdOK_->setText(captions_.m("OK"));
    cmdCancel_->setText(captions_.m("Cancel"));
    const ModifyChoice* choice = ModifyChoiceFor(ToModify);
    const QString caption = choice ? captions_.m(choice->caption) : ToModify;
    setWindowTitle(caption);
    lblValue_->setText(caption);
    freeText_ = !choice || choice->freeText();
    Combo1_->setVisible(!freeText_);
    Text1_->setVisible(freeText_);
    QWidget* box = freeText_ ? static_cast<QWidget*>(Text1_) : Combo1_;
    lblValue_->setBuddy(box);
    box->setFocus();
    if (freeText_) {
        Text1_->setText(choice ? choice->initial : QString());
        Text1_->selectAll();
    } else {
        Combo1_->clear();
        Combo1_->addItems(choice->values);
        Combo1_->setCurrentIndex(-1);
        Combo1_->setEditText(choice->initial);
        Combo1_->lineEdit()->selectAll();
    }
}

void frmModify::cmdOK_Click() {
    ReturnValue = freeText_ ? Text1_->text() : Combo1_->currentText();
    accept();
}

void frmModify::cmdCancel_Click() {
    ReturnValue.clear();
    reject();
}

void frmModify::done(int result) {
    if (result != QDialog::Accepted) ReturnValue.clear();  // Escape and the close box too
    StorePlace(this, settings_, DialogPlace::Modify);
    QDialog::done(result);
}

}  // namespace scrivane::app
