#include "dialogs/frmPageSetup.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/DialogPlace.h"
#include "dialogs/DialogWidgets.h"
#include "dialogs/FieldText.h"
#include "shell/AppContext.h"

namespace scrivane::app {

const frmPageSetup::PageType frmPageSetup::kPageTypes[3] = {
    {"A4", 595, 842}, {"Legal", 612, 1008}, {"Letter", 612, 792}};

namespace {

// A page size as the format file keeps it: whole points, empty when none is set.
QString SizeText(const std::string& text) { return FieldFromFormat(text); }

}  // namespace

frmPageSetup::frmPageSetup(AppContext& context, vorFormat& format, QWidget* parent)
    : QDialog(parent), context_(context), format_(format) {
    setObjectName("frmPageSetup");
    BuildControls();
    ApplyCaptions();
    ShowValues();
    RestoreDialogPlace(*this, context_.settings, DialogPlace::PageSetup);
}

void frmPageSetup::BuildControls() {
    auto* fields = new QFormLayout;
    auto addRow = [fields](QLabel* label, QWidget* field) {
        label->setBuddy(field);
        fields->addRow(label, field);
    };
    addRow(lblLeftMargin_ = Named(new QLabel, "lblLeftMargin"),
           cmbLeftMargin_ = EditableChoices("cmbLeftMargin", Steps(10, 100, 10)));
    addRow(lblTopMargin_ = Named(new QLabel, "lblTopMargin"),
           cmbTopMargin_ = EditableChoices("cmbTopMargin", Steps(20, 100, 10)));
    addRow(lblDeltaY_ = Named(new QLabel, "lblDeltaY"),
           cmbDeltaY_ = EditableChoices("cmbDeltaY", Steps(1, 10, 1)));
    addRow(lblMaxLenLine_ = Named(new QLabel, "lblMaxLenLine"),
           cmbMaxLenLine_ =
               EditableChoices("cmbMaxLenLine", {"10", "20", "50", "80", "100", "200", "1000"}));
    addRow(lblLineLen_ = Named(new QLabel, "lblLineLen"),
           cmbLineLen_ = EditableChoices("cmbLineLen", {"50", "100", "200", "300", "500", "1000"}));
    addRow(lblTextAlignment_ = Named(new QLabel, "lblTextAlignment"),
           cmbTextAlignment_ = EditableChoices("cmbTextAlignment", {"justify", "left", "right"}));

    FramePageSize_ = Named(new QGroupBox, "FramePageSize");
    auto* page = new QFormLayout(FramePageSize_);
    lblTypePage_ = Named(new QLabel, "lblTypePage");
    cmbTypePage_ = Named(new QComboBox, "cmbTypePage");
    for (const PageType& type : kPageTypes) cmbTypePage_->addItem(type.name);
    page->addRow(lblTypePage_, cmbTypePage_);
    lblPageWidth_ = Named(new QLabel, "lblPageWidth");
    page->addRow(lblPageWidth_, txtPageWidth_ = Named(new QLineEdit, "txtPageWidth"));
    lblPageHeight_ = Named(new QLabel, "lblPageHeight");
    page->addRow(lblPageHeight_, txtPageHeight_ = Named(new QLineEdit, "txtPageHeight"));
    lblTypePage_->setBuddy(cmbTypePage_);
    lblPageWidth_->setBuddy(txtPageWidth_);
    lblPageHeight_->setBuddy(txtPageHeight_);
    connect(cmbTypePage_, &QComboBox::textActivated, this, &frmPageSetup::ChoosePageType);

    auto* buttons = new QHBoxLayout;
    cmdOK_ = Named(new QPushButton, "cmdOK");
    cmdCancel_ = Named(new QPushButton, "cmdCancel");
    cmdOK_->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    connect(cmdOK_, &QPushButton::clicked, this, &frmPageSetup::accept);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmPageSetup::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(FramePageSize_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
}

void frmPageSetup::ApplyCaptions() {
    const clsCaption& c = context_.captions;
    setWindowTitle(c.m("Page Setup"));
    lblLeftMargin_->setText(c.m("Left Margin"));
    lblTopMargin_->setText(c.m("Top Margin"));
    lblDeltaY_->setText(c.m("Line Spacing"));
    lblMaxLenLine_->setText(c.m("Max car per line"));
    lblLineLen_->setText(c.m("Line length"));
    lblTextAlignment_->setText(c.m("Text alignment"));
    FramePageSize_->setTitle(c.m("Page size"));
    lblTypePage_->setText(c.m("Type page"));
    lblPageWidth_->setText(c.m("Page width"));
    lblPageHeight_->setText(c.m("Page height"));
    cmdOK_->setText(c.m("OK"));
    cmdCancel_->setText(c.m("Cancel"));
}

void frmPageSetup::ShowValues() {
    const vorFormat& f = format_;
    cmbLeftMargin_->setCurrentText(QString::number(f.DefaultX));
    cmbTopMargin_->setCurrentText(QString::number(f.DefaultY));
    // The space between lines rather than the distance from one baseline to the next.
    cmbDeltaY_->setCurrentText(QString::number(f.DefaultDY - f.DefaultFontSize));
    cmbMaxLenLine_->setCurrentText(QString::number(f.DefaultMaxLenLine));
    cmbLineLen_->setCurrentText(QString::number(f.DefaultLineLength));
    cmbTextAlignment_->setCurrentText(FieldFromFormat(f.DefaultFontAlign));
    txtPageWidth_->setText(SizeText(f.DefaultPageWidth));
    txtPageHeight_->setText(SizeText(f.DefaultPageHeight));
    cmbTypePage_->setCurrentIndex(-1);
    for (int i = 0; i < 3; ++i) {
        if (txtPageWidth_->text() == QString::number(kPageTypes[i].width) &&
            txtPageHeight_->text() == QString::number(kPageTypes[i].height)) {
            cmbTypePage_->setCurrentIndex(i);
        }
    }
}

void frmPageSetup::ChoosePageType(const QString& name) {
    for (const PageType& type : kPageTypes) {
        if (name != QLatin1String(type.name)) continue;
        txtPageWidth_->setText(QString::number(type.width));
        txtPageHeight_->setText(QString::number(type.height));
    }
}

void frmPageSetup::accept() {
    vorFormat& f = format_;
    if (auto x = WholeNumberIn(cmbLeftMargin_->currentText(), 0, 200)) f.DefaultX = *x;
    if (auto y = WholeNumberIn(cmbTopMargin_->currentText(), 0, 400)) f.DefaultY = *y;
    // Stored as a baseline distance again, over the font size the export options
    // window holds; without a font size to add to, the spacing stays as it was.
    const auto spacing = WholeNumberIn(cmbDeltaY_->currentText(), 0, 20);
    const auto fontSize = WholeNumber(FieldFromFormat(f.fontsize));
    if (spacing && fontSize && *spacing + *fontSize <= INT16_MAX) {
        f.DefaultDY = static_cast<int16_t>(*spacing + *fontSize);
    }
    if (auto length = WholeNumberIn(cmbMaxLenLine_->currentText(), 6, 9000)) {
        f.DefaultMaxLenLine = f.MaxLenLine = *length;
    }
    if (auto length = WholeNumberIn(cmbLineLen_->currentText(), 21, 10000)) {
        f.DefaultLineLength = *length;
    }
    f.DefaultFontAlign = FieldToFormat(cmbTextAlignment_->currentText());
    // A page size is kept as whole points; one that is not a positive number could
    // not be written to the format file, and is refused.
    if (auto width = WholeNumberIn(txtPageWidth_->text(), 1, INT16_MAX)) {
        f.DefaultPageWidth = std::to_string(*width);
    }
    if (auto height = WholeNumberIn(txtPageHeight_->text(), 1, INT16_MAX)) {
        f.DefaultPageHeight = std::to_string(*height);
    }
    QDialog::accept();
}

void frmPageSetup::done(int result) {
    StoreDialogPlace(*this, context_.settings, DialogPlace::PageSetup);
    QDialog::done(result);
}

}  // namespace scrivane::app
