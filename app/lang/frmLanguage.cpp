#include "lang/frmLanguage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "lang/clsCaption.h"

namespace scrivane::app {

namespace {

const QString kEnglish = QStringLiteral("English");
const QString kFrenchShown = QStringLiteral("Fran\u00e7ais");
const QString kFrenchStored = QStringLiteral("Francais");

}  // namespace

frmLanguage::frmLanguage(const clsCaption& captions, const QString& currentSetting,
                         QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(captions.m("Select language"));
    setModal(true);

    lblLanguage_ = new QLabel(captions.m("Select the language to use"), this);
    lblLanguage_->setObjectName("lblLanguage");
    cmbLanguage_ = new QComboBox(this);
    cmbLanguage_->setObjectName("cmbLanguage");
    cmbLanguage_->addItems(captions.AvailableLanguages());
    lblLanguage_->setBuddy(cmbLanguage_);
    cmdOK_ = new QPushButton(captions.m("OK"), this);
    cmdOK_->setObjectName("cmdOK");
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);

    const QString shown = ShownLanguage(captions, currentSetting);
    int index = cmbLanguage_->findText(shown, Qt::MatchFixedString);  // any letter case
    if (index < 0) {
        cmbLanguage_->addItem(shown);
        index = cmbLanguage_->count() - 1;
    }
    cmbLanguage_->setCurrentIndex(index);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblLanguage_);
    layout->addWidget(cmbLanguage_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString frmLanguage::ShownLanguage(const clsCaption& captions, const QString& setting) {
    if (setting.isEmpty() || captions.LanguageFile(setting).isEmpty()) return kEnglish;
    if (setting.compare(kFrenchStored, Qt::CaseInsensitive) == 0) return kFrenchShown;
    return setting;
}

QString frmLanguage::chosenLanguage() const {
    const QString selected = cmbLanguage_->currentText();
    return selected == kFrenchShown ? kFrenchStored : selected;
}

QString frmLanguage::Ask(const clsCaption& captions, const QString& currentSetting,
                         QWidget* parent) {
    frmLanguage window(captions, currentSetting, parent);
    window.exec();  // OK, the close box and Escape all keep the selection
    return window.chosenLanguage();
}

}  // namespace scrivane::app
