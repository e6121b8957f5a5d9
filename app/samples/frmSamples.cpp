#include "samples/frmSamples.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/AppContext.h"
#include "shell/TextFileCodec.h"
#include "dialogs/DialogWidgets.h"

namespace scrivane::app {

namespace {

const QString kDescriptionSuffix = QStringLiteral(".desc");

// A description file read as the editor reads text files; empty when there is none.
QString ReadDescription(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    TextFileEncoding encoding;
    LineEndMode mode = LineEndMode::Dos;
    return DecodeTextFile(file.readAll(), encoding, mode);
}

}  // namespace

frmSamples::frmSamples(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context), folder_(context.paths.samplesFolder()) {
    setObjectName("frmSamples");
    const clsCaption& c = context_.captions;
    setWindowTitle(c.m("Sample Files"));

    File1_ = new QListWidget(this);
    File1_->setObjectName("File1");
    File1_->addItems(QDir(folder_).entryList({QStringLiteral("*.pdf"), QStringLiteral("*.svg")},
                                             QDir::Files, QDir::Name | QDir::IgnoreCase));
    File1_->setMinimumSize(180, 240);
    txtDescription_ = new QPlainTextEdit(this);
    txtDescription_->setObjectName("txtDescription");
    txtDescription_->setReadOnly(true);
    txtDescription_->setMinimumWidth(320);
    chkOpenFile_ = new QCheckBox(c.m("Open File"), this);
    chkOpenFile_->setObjectName("chkOpenFile");
    chkOpenFile_->setChecked(context_.settings.openSampleFile().isOn());

    OkCancel buttons = OkCancelButtons(this, c);
    cmdOK_ = buttons.ok;
    cmdOK_->setEnabled(false);  // until a sample is selected
    cmdCancel_ = buttons.cancel;

    connect(File1_, &QListWidget::currentRowChanged, this, &frmSamples::ShowDescription);
    connect(File1_, &QListWidget::itemDoubleClicked, this, &frmSamples::cmdOK_Click);
    connect(chkOpenFile_, &QCheckBox::toggled, this,
            [this](bool on) { context_.settings.setOpenSampleFile(on); });
    connect(cmdOK_, &QPushButton::clicked, this, &frmSamples::cmdOK_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmSamples::cmdCancel_Click);

    auto* body = new QHBoxLayout;
    body->addWidget(File1_);
    body->addWidget(txtDescription_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(chkOpenFile_);
    layout->addWidget(buttons.box);
}

QStringList frmSamples::sampleNames() const {
    QStringList names;
    for (int row = 0; row < File1_->count(); ++row) names << File1_->item(row)->text();
    return names;
}

void frmSamples::selectSample(const QString& name) {
    const QList<QListWidgetItem*> found = File1_->findItems(name, Qt::MatchExactly);
    if (!found.isEmpty()) File1_->setCurrentItem(found.first());
}

QString frmSamples::description() const { return txtDescription_->toPlainText(); }

void frmSamples::ShowDescription() {
    QListWidgetItem* item = File1_->currentItem();
    txtDescription_->clear();
    cmdOK_->setEnabled(item != nullptr);
    if (!item) return;
    txtDescription_->setPlainText(
        ReadDescription(QDir(folder_).filePath(item->text() + kDescriptionSuffix)));
}

void frmSamples::cmdOK_Click() {
    QListWidgetItem* item = File1_->currentItem();
    if (!item) return;
    chosen_ = QDir(folder_).filePath(item->text());
    accept();
}

void frmSamples::cmdCancel_Click() {
    chosen_.clear();
    reject();
}

QString frmSamples::Choose(AppContext& context, QWidget* parent) {
    frmSamples window(context, parent);
    window.exec();  // closing the window chooses nothing, as Cancel
    return window.result() == QDialog::Accepted ? window.chosenSample() : QString();
}

}  // namespace scrivane::app
