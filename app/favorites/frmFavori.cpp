#include "favorites/frmFavori.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "lang/clsCaption.h"
#include "shell/CommonChoices.h"
#include "dialogs/DialogWidgets.h"

namespace scrivane::app {

frmFavori::frmFavori(const clsCaption& captions, const QString& proposedName,
                     const QString& mode, QWidget* parent)
    : QDialog(parent) {
    setObjectName("frmFavori");
    setWindowTitle(captions.m("Add a favorite"));

    lblFavoriteName_ = new QLabel(captions.m("Favorite name"), this);
    lblFavoriteName_->setObjectName("lblFavoriteName");
    txtFavoriteName_ = new QLineEdit(proposedName, this);
    txtFavoriteName_->setObjectName("txtFavoriteName");
    txtFavoriteName_->setMinimumWidth(280);
    txtFavoriteName_->installEventFilter(this);
    lblFavoriteName_->setBuddy(txtFavoriteName_);
    chkOpenFavoriteNewWindow_ = new QCheckBox(captions.m("Open favorite in a new window"), this);
    chkOpenFavoriteNewWindow_->setObjectName("chkOpenFavoriteNewWindow");
    chkOpenFavoriteNewWindow_->setChecked(mode == QLatin1String("1"));

    OkCancel buttons = OkCancelButtons(this, captions);
    cmdOK_ = buttons.ok;
    cmdCancel_ = buttons.cancel;
    connect(cmdOK_, &QPushButton::clicked, this, &frmFavori::cmdOK_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmFavori::cmdCancel_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblFavoriteName_);
    layout->addWidget(txtFavoriteName_);
    layout->addWidget(chkOpenFavoriteNewWindow_);
    layout->addWidget(buttons.box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString frmFavori::mode() const {
    return chkOpenFavoriteNewWindow_->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

void frmFavori::cmdOK_Click() {
    name_ = txtFavoriteName_->text();
    accept();
}

void frmFavori::cmdCancel_Click() {
    name_.clear();
    reject();
}

// The name's whole text is selected whenever the box gets the focus, so typing replaces
// the proposed name (after the focus event, which would otherwise place the caret).
bool frmFavori::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtFavoriteName_ && event->type() == QEvent::FocusIn) {
        QTimer::singleShot(0, txtFavoriteName_, [box = txtFavoriteName_] { SelectAllText(box); });
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace scrivane::app
