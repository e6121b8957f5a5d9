#include "dialogs/frmFormat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "dialogs/DialogPlace.h"
#include "dialogs/DialogWidgets.h"
#include "dialogs/FieldText.h"
#include "dialogs/frmFormatLine.h"
#include "dialogs/frmPageSetup.h"
#include "format/OutputFormats.h"
#include "shell/AppContext.h"
#include "shell/CommonChoices.h"
#include "shell/ExportCommands.h"
#include "shell/FormatFilePlaces.h"
#include "util/Status.h"

namespace scrivane::app {

namespace {

const QString kStandardSet =
    QString::fromLatin1(kStandardOptionsSet.data(), kStandardOptionsSet.size());

std::string Engine(const QString& text) { return FieldToFormat(text); }
QString Shown(const std::string& text) { return FieldFromFormat(text); }
std::string Property(const QString& text) { return PropertyToFormat(text); }
QString ShownProperty(const std::string& utf8) { return PropertyFromFormat(utf8); }

}  // namespace

frmFormat::frmFormat(AppContext& context, int formatCode, DocumentProperties& properties,
                     QWidget* parent)
    : QDialog(parent),
      context_(context),
      code_(formatCode),
      properties_(properties),
      places_(std::make_unique<FormatFilePlaces>(context.paths)) {
    setObjectName("frmFormat");
    defaultFile_ = places_->defaultFile(code_);
    BuildControls();
    BuildMenu();
    ApplyEnableRules();
    Load(places_->defaultFileToRead(code_));
    ShowValues(properties_.UseDocumentProperties);
    chkShow_->setChecked(context_.settings.showExportOptions(code_).isOn());
    chkOpenFile_->setChecked(context_.settings.openAfterExport(code_).isOn());
    chkUseAsHTM_->setChecked(context_.settings.useLineOptions(code_).isOn());
    FillSetList(OpeningSet());
    ApplyCaptions();
    RestoreDialogPlace(*this, context_.settings, DialogPlace::Format);
    txtTitle_->setFocus();
}

frmFormat::~frmFormat() = default;

void frmFormat::BuildControls() {
    auto* grid = new QGridLayout;
    auto addRow = [grid](QLabel* label, QWidget* field) {
        const int row = grid->rowCount();
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
    };
    addRow(lblTitle_ = Named(new QLabel, "lblTitle"), txtTitle_ = Named(new QLineEdit, "txtTitle"));
    addRow(lblSubject_ = Named(new QLabel, "lblSubject"),
           txtSubject_ = Named(new QLineEdit, "txtSubject"));
    addRow(lblAuthor_ = Named(new QLabel, "lblAuthor"),
           txtAuthor_ = Named(new QLineEdit, "txtAuthor"));
    addRow(lblKeywords_ = Named(new QLabel, "lblKeywords"),
           txtKeywords_ = Named(new QLineEdit, "txtKeywords"));
    addRow(lblFontName_ = Named(new QLabel, "lblFontName"),
           cmbFontName_ = EditableChoices("cmbFontName", FontNamesFor(code_)));
    addRow(lblFontSize_ = Named(new QLabel, "lblFontSize"),
           cmbFontSize_ = EditableChoices("cmbFontSize", FontSizes()));
    grid->setColumnStretch(1, 1);
    for (QLineEdit* box : {txtTitle_, txtSubject_, txtAuthor_, txtKeywords_}) {
        box->setMinimumWidth(280);
        box->installEventFilter(this);  // Return confirms through the default button, OK
    }

    chkShow_ = Named(new QCheckBox, "chkShow");
    chkOpenFile_ = Named(new QCheckBox, "chkOpenFile");
    auto* lineRow = new QHBoxLayout;
    chkUseAsHTM_ = Named(new QCheckBox, "chkUseAsHTM");
    cmbAshtmFile_ = Named(new QComboBox, "cmbAshtmFile");
    cmbAshtmFile_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cmbAshtmFile_->setMinimumContentsLength(12);
    cmdFormatLine_ = Named(new QPushButton(QStringLiteral("...")), "cmdFormatLine");
    lineRow->addWidget(chkUseAsHTM_);
    lineRow->addWidget(cmbAshtmFile_, 1);
    lineRow->addWidget(cmdFormatLine_);
    connect(cmbAshtmFile_, &QComboBox::activated, this,
            [this] { properties_.sCFF = cmbAshtmFile_->currentText(); });
    connect(cmdFormatLine_, &QPushButton::clicked, this, &frmFormat::EditLineOptions);

    auto* page = new QVBoxLayout(this);
    page->addLayout(grid);
    page->addWidget(chkShow_);
    page->addWidget(chkOpenFile_);
    page->addLayout(lineRow);
    page->addStretch();
    page->addLayout(BuildButtonRow());
    page->setSizeConstraint(QLayout::SetMinimumSize);
}

QLayout* frmFormat::BuildButtonRow() {
    auto* buttons = new QHBoxLayout;
    cmdPageSetup_ = Named(new QPushButton, "cmdPageSetup");
    cmdOK_ = Named(new QPushButton, "cmdOK");
    cmdCancel_ = Named(new QPushButton, "cmdCancel");
    cmdOK_->setDefault(true);
    buttons->addWidget(cmdPageSetup_);
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    connect(cmdPageSetup_, &QPushButton::clicked, this, &frmFormat::ShowPageSetup);
    connect(cmdOK_, &QPushButton::clicked, this, &frmFormat::accept);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmFormat::reject);
    return buttons;
}

void frmFormat::BuildMenu() {
    auto* bar = Named(new QMenuBar(this), "mnuFormatBar");
    bar->setNativeMenuBar(false);  // the window's own menu, not the desktop's global one
    mnuFormatSettings_ = Named(bar->addMenu(QString()), "mnuFormatSettings");
    mnuFormatLoadSettings_ =
        mnuFormatSettings_->addAction(QString(), this, &frmFormat::LoadSettings);
    mnuFormatLoadSettings_->setObjectName("mnuFormatLoadSettings");
    mnuFormatSaveAs_ = mnuFormatSettings_->addAction(QString(), this, &frmFormat::SaveSettingsAs);
    mnuFormatSaveAs_->setObjectName("mnuFormatSaveAs");
    mnuFormatEditLineOptions_ =
        mnuFormatSettings_->addAction(QString(), this, &frmFormat::EditLineOptions);
    mnuFormatEditLineOptions_->setObjectName("mnuFormatEditLineOptions");
    layout()->setMenuBar(bar);
}

void frmFormat::ApplyCaptions() {
    const clsCaption& c = context_.captions;
    const OutputFormat* format = FormatByCode(code_);
    const QString name = format ? QString::fromLatin1(format->name) : QString();
    setWindowTitle(c.m(name + " Export"));
    lblTitle_->setText(c.m("Title"));
    lblSubject_->setText(c.m("Subject"));
    lblAuthor_->setText(c.m("Author"));
    lblKeywords_->setText(c.m("Keywords"));
    lblFontName_->setText(c.m("Font Name"));
    lblFontSize_->setText(c.m("Font Size"));
    chkShow_->setText(c.m("Show this window for each %format% export").replace("%format%", name));
    chkOpenFile_->setText(c.m("Open File"));
    chkUseAsHTM_->setText(c.m("Line formatting"));
    cmdFormatLine_->setToolTip(c.m("Edit Format Line Options"));
    cmdPageSetup_->setText(c.m("Page Setup"));
    cmdOK_->setText(c.m("OK"));
    cmdCancel_->setText(c.m("Cancel"));
    mnuFormatSettings_->setTitle(c.m("Settings"));
    mnuFormatLoadSettings_->setText(c.m("Load Settings"));
    mnuFormatSaveAs_->setText(c.m("Save Settings As"));
    mnuFormatEditLineOptions_->setText(c.m("Edit Format Line Options"));
}

// Line options are never read for XML, and only PDF files carry keywords.
void frmFormat::ApplyEnableRules() {
    const bool lineOptions = code_ != kTargetXml;
    chkUseAsHTM_->setEnabled(lineOptions);
    cmbAshtmFile_->setEnabled(lineOptions);
    cmdFormatLine_->setEnabled(lineOptions);
    mnuFormatEditLineOptions_->setEnabled(lineOptions);
    txtKeywords_->setEnabled(code_ == kTargetPdf);
}

QString frmFormat::OpeningSet() const {
    if (!properties_.UseDocumentProperties) return context_.settings.lineOptionsSet(code_);
    const QString& named = properties_.sCFF;
    return !named.isEmpty() && places_->setExists(code_, named) ? named : kStandardSet;
}

void frmFormat::FillSetList(const QString& selected) {
    cmbAshtmFile_->clear();
    cmbAshtmFile_->addItem(kStandardSet);
    cmbAshtmFile_->addItems(places_->namedSets(code_));
    // A set that is gone (removed since it was chosen) shows as the standard set, which
    // is what an export then reads.
    const int index = cmbAshtmFile_->findText(selected, Qt::MatchFixedString);
    cmbAshtmFile_->setCurrentIndex(qMax(0, index));
}

void frmFormat::Load(const QString& path) {
    format_ = std::make_unique<vorFormat>();
    if (format_->ReadFormatFile(EnginePath(path)) == kFormatFileMissing) {
        format_->ApplyReadFallbacks();
    }
    if (format_->DefaultFont.empty()) format_->DefaultFont = "Helvetica";
    if (format_->DefaultFontSize < 1) format_->DefaultFontSize = 12;
}

void frmFormat::ShowValues(bool fromProperties) {
    const vorFormat& f = *format_;
    txtTitle_->setText(fromProperties ? properties_.sTitle : ShownProperty(f.title));
    txtSubject_->setText(fromProperties ? properties_.sSubject : ShownProperty(f.subject));
    txtAuthor_->setText(fromProperties ? properties_.sAuthor : ShownProperty(f.author));
    txtKeywords_->setText(fromProperties ? properties_.sKeywords : ShownProperty(f.keywords));
    cmbFontName_->setCurrentText(f.DefaultFont.empty() ? QStringLiteral("Helvetica")
                                                       : Shown(f.DefaultFont));
    cmbFontSize_->setCurrentText(QString::number(f.DefaultFontSize));
}

void frmFormat::TakeValues() {
    vorFormat& f = *format_;
    f.title = Property(txtTitle_->text());
    f.subject = Property(txtSubject_->text());
    f.author = Property(txtAuthor_->text());
    f.keywords = Property(txtKeywords_->text());
    f.fontname = f.DefaultFont = Engine(cmbFontName_->currentText().trimmed());
    const QString size = cmbFontSize_->currentText().trimmed();
    if (auto points = WholeNumber(size)) {
        f.fontsize = Engine(size);
        f.DefaultFontSize = *points;
    }
}

bool frmFormat::SaveValues(const QString& path) {
    TakeValues();
    if (path.isEmpty()) return true;
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (format_->SaveFormatFile(EnginePath(path)) == kFormatOk) return true;
    const clsCaption& c = context_.captions;
    QString message = c.e("Cannot open file %filename% - Please check if this file is in use");
    context_.prompts.Inform(c.m("Error"), message.replace("%filename%", path));
    return false;
}

void frmFormat::accept() {
    if (!SaveValues(defaultFile_)) return;  // the window stays: nothing is lost
    bCmdOk_ = true;
    AppSettings& settings = context_.settings;
    settings.setShowExportOptions(code_, chkShow_->isChecked());
    settings.setOpenAfterExport(code_, chkOpenFile_->isChecked());
    settings.setUseLineOptions(code_, chkUseAsHTM_->isChecked());
    settings.setLineOptionsSet(code_, cmbAshtmFile_->currentText());
    QDialog::accept();
}

void frmFormat::done(int result) {
    StoreDialogPlace(*this, context_.settings, DialogPlace::Format);
    QDialog::done(result);
}

bool frmFormat::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        // After the focus change: a click would otherwise place the caret over it.
        QPointer<QLineEdit> box = qobject_cast<QLineEdit*>(watched);
        QTimer::singleShot(0, this, [box] {
            if (box) SelectAllText(box);
        });
    }
    return QDialog::eventFilter(watched, event);
}

void frmFormat::EditLineOptions() {
    const QString set = cmbAshtmFile_->currentText();
    frmFormatLine editor(context_, code_, places_->lineOptionsFileToRead(code_, set),
                         places_->lineOptionsFile(code_, set), this);
    context_.prompts.ShowModal(editor);
    FillSetList(set);
    cmdOK_->setFocus();
}

void frmFormat::ShowPageSetup() {
    vorFormat& f = *format_;
    f.title = Property(txtTitle_->text());
    f.subject = Property(txtSubject_->text());
    f.author = Property(txtAuthor_->text());
    f.fontname = Engine(cmbFontName_->currentText().trimmed());
    const QString size = cmbFontSize_->currentText().trimmed();
    if (WholeNumber(size)) f.fontsize = Engine(size);
    frmPageSetup pageSetup(context_, f, this);
    context_.prompts.ShowModal(pageSetup);
}

QString frmFormat::SettingsFilter() const {
    return FormatFilePlaces::SetFilter(QStringLiteral("Settings Files"), code_);
}

void frmFormat::LoadSettings() {
    int index = 1;
    const QString path = context_.prompts.OpenFileName(
        context_.captions.m("Load Settings"), {SettingsFilter()}, index, places_->settingsFolder());
    if (path.isEmpty() || !QFileInfo(path).isFile()) return;
    Load(path);
    ShowValues(false);  // the file's own title and author, not the imported ones
}

void frmFormat::SaveSettingsAs() {
    const clsCaption& c = context_.captions;
    int index = 1;
    QString path = context_.prompts.SaveFileName(c.m("Save Settings As"), {SettingsFilter()}, index,
                                                 places_->settingsFolder());
    if (path.isEmpty()) return;
    path = FormatFilePlaces::WithSetSuffix(path, code_);
    if (places_->isReserved(path)) {
        context_.prompts.Inform(c.m("Error"), c.e("You cannot use this filename"));
        return;
    }
    if (QFileInfo::exists(path)) {
        QString question = c.e("File %filename% already exists. Do you want to overwrite it ?");
        if (!context_.prompts.AskYesNo(c.m("Save Settings As"),
                                       question.replace("%filename%", path))) {
            return;
        }
    }
    if (SaveValues(path)) FillSetList(cmbAshtmFile_->currentText());
}

}  // namespace scrivane::app
