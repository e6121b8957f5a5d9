#include "dialogs/frmGoto.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

#include "lang/clsCaption.h"
#include "util/Numbers.h"
#include "dialogs/DialogWidgets.h"

namespace scrivane::app {

frmGoto::frmGoto(const clsCaption& captions, int defaultLine, QWidget* parent)
    : QDialog(parent) {
    setObjectName("frmGoto");
    setWindowTitle(captions.m("Go to line"));
    lblLine_ = new QLabel(captions.m("Line Number"), this);
    txtLine_ = new QLineEdit(QString::number(defaultLine), this);
    txtLine_->setObjectName("txtLine");
    txtLine_->selectAll();
    lblLine_->setBuddy(txtLine_);

    auto [buttons, ok, cancel] = OkCancelButtons(this, captions);
    connect(ok, &QPushButton::clicked, this, &frmGoto::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &frmGoto::cmdCancel_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblLine_);
    layout->addWidget(txtLine_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int frmGoto::LineOf(const QString& entry) {
    const std::string text = entry.toStdString();
    std::optional<double> number = ParseNumber(text);
    if (!number || *number < 0) return -1;
    // A number past any text's last line stays past it.
    return static_cast<int>(std::min(RoundHalfEven(*number),
                                     double(std::numeric_limits<int>::max())));
}

void frmGoto::cmdOK_Click() {
    result_ = LineOf(txtLine_->text());
    accept();
}

void frmGoto::cmdCancel_Click() {
    result_ = -1;
    reject();
}

}  // namespace scrivane::app
