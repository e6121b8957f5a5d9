#include "dialogs/frmAbout.h"

#include <QDialogButtonBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "lang/clsCaption.h"
#include "util/ProgramInfo.h"

namespace scrivane::app {

namespace {

const QString kMaker = QStringLiteral("Dorvex");

}  // namespace

frmAbout::frmAbout(const clsCaption& captions, QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    const QString program = QString::fromUtf8(kProgramName);
    setWindowTitle(program);

    // The program's icon, where the desktop can draw SVG pictures.
    const QPixmap picture = QIcon(QStringLiteral(":/icons/scrivane.svg")).pixmap(48, 48);
    auto* icon = new QLabel(this);
    icon->setPixmap(picture);
    icon->setVisible(!picture.isNull());
    lblMain_ = new QLabel(kMaker + QLatin1Char(' ') + program, this);
    lblMain_->setObjectName("lblMain");
    QFont large = lblMain_->font();
    large.setPointSizeF(large.pointSizeF() * 1.4);
    large.setBold(true);
    lblMain_->setFont(large);
    lblVersion_ = new QLabel(captions.m("Version") + QLatin1Char(' ') +
                                 QString::fromUtf8(kProgramVersion),
                             this);
    lblVersion_->setObjectName("lblVersion");

    auto* buttons = new QDialogButtonBox(this);
    cmdOK_ = buttons->addButton(captions.m("OK"), QDialogButtonBox::AcceptRole);
    cmdOK_->setObjectName("cmdOK");
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(icon, 0, Qt::AlignHCenter);
    layout->addWidget(lblMain_, 0, Qt::AlignHCenter);
    layout->addWidget(lblVersion_, 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmAbout::Show(const clsCaption& captions, QWidget* parent) {
    frmAbout window(captions, parent);
    window.exec();
}

}  // namespace scrivane::app
