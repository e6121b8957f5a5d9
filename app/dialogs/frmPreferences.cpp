#include "dialogs/frmPreferences.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "lang/frmLanguage.h"
#include "shell/AppContext.h"
#include "shell/CommonChoices.h"
#include "util/Numbers.h"
#include "dialogs/DialogWidgets.h"
#include "dialogs/RememberedPlace.h"

namespace scrivane::app {

namespace {

const QString kFrenchShown = QStringLiteral("Fran\u00e7ais");
const QString kFrenchStored = QStringLiteral("Francais");

// One page: a frame holding its controls one under the other.
QGroupBox* Page(const QString& caption) {
    auto* frame = new QGroupBox(caption);
    frame->setObjectName("framePreferences");
    new QVBoxLayout(frame);
    return frame;
}

// Selects the text box's whole text whenever it gets the focus.
class SelectAllOnFocus : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            auto* box = static_cast<QLineEdit*>(watched);
            QMetaObject::invokeMethod(box, [box] { SelectAllText(box); }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

frmPreferences::frmPreferences(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName("frmPreferences");
    const clsCaption& c = context_.captions;
    setWindowTitle(c.m("Preferences"));

    lstPreferences_ = new QListWidget(this);
    lstPreferences_->setObjectName("lstPreferences");
    lstPreferences_->addItems({c.m("General"), c.m("Others")});
    lstPreferences_->setMaximumWidth(lstPreferences_->sizeHintForColumn(0) + 24);
    pages_ = new QStackedWidget(this);
    pages_->addWidget(GeneralPage());
    pages_->addWidget(OthersPage());
    connect(lstPreferences_, &QListWidget::currentRowChanged, pages_,
            &QStackedWidget::setCurrentIndex);
    lstPreferences_->setCurrentRow(0);

    auto [buttons, ok, cancel] = OkCancelButtons(this, c);  // OK is also Enter in the height box
    connect(ok, &QPushButton::clicked, this, &frmPreferences::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &frmPreferences::cmdCancel_Click);

    auto* body = new QHBoxLayout;
    body->addWidget(lstPreferences_);
    body->addWidget(pages_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ShowValues();
    RestorePosition();
}

QCheckBox* frmPreferences::AddCheck(QWidget* page, const char* name, const char* caption) {
    auto* box = new QCheckBox(context_.captions.m(caption), page);
    box->setObjectName(name);
    page->layout()->addWidget(box);
    return box;
}

QWidget* frmPreferences::GeneralPage() {
    const clsCaption& c = context_.captions;
    QGroupBox* page = Page(c.m("General"));
    lblLanguage_ = new QLabel(c.m("Select the language to use"), page);
    lblLanguage_->setObjectName("lblLanguage");
    cmbLanguage_ = new QComboBox(page);
    cmbLanguage_->setObjectName("cmbLanguage");
    lblLanguage_->setBuddy(cmbLanguage_);
    page->layout()->addWidget(lblLanguage_);
    page->layout()->addWidget(cmbLanguage_);
    chkShowToolbar_ = AddCheck(page, "chkShowToolbar", "Show toolbar");
    chkShowStatusBar_ = AddCheck(page, "chkShowStatusBar", "Show status bar");
    chkShowRecentFiles_ = AddCheck(page, "chkShowRecentFiles", "Show recent files list");
    chkShowFavorites_ = AddCheck(page, "chkShowFavorites", "Show favorites menu");
    lblAdjustTextBox_ = new QLabel(c.m("Adjust Text Box Height"), page);
    lblAdjustTextBox_->setObjectName("lblAdjustTextBox");
    txtAdjustTextBoxHeight_ = new QLineEdit(page);
    txtAdjustTextBoxHeight_->setObjectName("txtAdjustTextBoxHeight");
    txtAdjustTextBoxHeight_->installEventFilter(new SelectAllOnFocus(txtAdjustTextBoxHeight_));
    lblAdjustTextBox_->setBuddy(txtAdjustTextBoxHeight_);
    auto* height = new QHBoxLayout;
    height->addWidget(lblAdjustTextBox_);
    height->addWidget(txtAdjustTextBoxHeight_);
    static_cast<QVBoxLayout*>(page->layout())->addLayout(height);
    static_cast<QVBoxLayout*>(page->layout())->addStretch();
    return page;
}

QWidget* frmPreferences::OthersPage() {
    QGroupBox* page = Page(context_.captions.m("Others"));
    chkOptimizePDFFileSize_ = AddCheck(page, "chkOptimizePDFFileSize", "Optimize PDF file size");
    chkAnimateSVG_ = AddCheck(page, "chkAnimateSVG", "Animate SVG files");
    chkOpenFavoritesNewWindow_ =
        AddCheck(page, "chkOpenFavoritesNewWindow", "Open favorites in a new window");
    static_cast<QVBoxLayout*>(page->layout())->addStretch();
    return page;
}

// Most boxes are unticked only by a stored "0", so a value edited by hand (a word, the
// Favorites menu's default letter "O") shows them ticked; SVG animation and the favorites'
// new window are ticked only by "1".
void frmPreferences::ShowValues() {
    const AppSettings& s = context_.settings;
    cmbLanguage_->addItems(context_.captions.AvailableLanguages());
    const QString shown = frmLanguage::ShownLanguage(context_.captions, s.language());
    int index = cmbLanguage_->findText(shown, Qt::MatchFixedString);  // any letter case
    if (index < 0) {
        cmbLanguage_->addItem(shown);
        index = cmbLanguage_->count() - 1;
    }
    cmbLanguage_->setCurrentIndex(index);
    chkShowToolbar_->setChecked(!s.showToolbar().isOff());
    chkShowStatusBar_->setChecked(!s.showStatusBar().isOff());
    chkShowRecentFiles_->setChecked(!s.showRecentFiles().isOff());
    chkShowFavorites_->setChecked(!s.showFavorites().isOff());
    chkOptimizePDFFileSize_->setChecked(!s.optimizePdfFileSize().isOff());
    chkAnimateSVG_->setChecked(s.animateSvgFiles().isOn());
    chkOpenFavoritesNewWindow_->setChecked(s.openFavoritesInNewWindow().isOn());
    txtAdjustTextBoxHeight_->setText(s.adjustTextBoxHeight());
}

void frmPreferences::RestorePosition() {
    RestorePlace(this, context_.settings, DialogPlace::Preferences);
}

QString frmPreferences::StoredLanguage(const QString& shown) {
    return shown.compare(kFrenchShown, Qt::CaseInsensitive) == 0 ? kFrenchStored : shown;
}

void frmPreferences::cmdOK_Click() {
    AppSettings& s = context_.settings;
    s.setLanguage(StoredLanguage(cmbLanguage_->currentText()));
    s.setShowToolbar(chkShowToolbar_->isChecked());
    s.setShowStatusBar(chkShowStatusBar_->isChecked());
    s.setShowRecentFiles(chkShowRecentFiles_->isChecked());
    s.setShowFavorites(chkShowFavorites_->isChecked());
    s.setOptimizePdfFileSize(chkOptimizePDFFileSize_->isChecked());
    s.setAnimateSvgFiles(chkAnimateSVG_->isChecked());
    s.setOpenFavoritesInNewWindow(chkOpenFavoritesNewWindow_->isChecked());
    const QString height = txtAdjustTextBoxHeight_->text();
    if (IsNumeric(height.toStdString())) s.setAdjustTextBoxHeight(height.trimmed());
    accept();
}

void frmPreferences::cmdCancel_Click() { reject(); }

void frmPreferences::done(int result) {
    StorePlace(this, context_.settings, DialogPlace::Preferences);
    QDialog::done(result);
}

bool frmPreferences::Edit(AppContext& context, QWidget* parent) {
    frmPreferences window(context, parent);
    return window.exec() == QDialog::Accepted;
}

}  // namespace scrivane::app
