#include "dialogs/ConditionFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialogs/ColourButton.h"
#include "dialogs/DialogWidgets.h"
#include "dialogs/FieldText.h"
#include "lang/clsCaption.h"
#include "shell/CommonChoices.h"

namespace scrivane::app {

namespace {

// One of a fixed list; a value read from a file that is not in it is added to it.
QComboBox* FixedChoices(const char* name, const QStringList& items) {
    auto* combo = Named(new QComboBox, name);
    combo->addItems(items);
    return combo;
}

void Select(QComboBox* combo, const QString& text) {
    if (text.isEmpty()) {
        combo->setCurrentIndex(-1);
        return;
    }
    if (combo->findText(text) < 0) combo->addItem(text);
    combo->setCurrentText(text);
}

const QStringList kAlignments{"Justify", "Left", "Right"};
const QStringList kMaxLenLines{"10", "20", "50", "80", "100", "200", "1000"};
const QStringList kDeltaYs{"10", "15", "20", "25", "30"};

// A whole-number field: empty while it is 0 (not set).
QString Whole(int16_t value) { return value == 0 ? QString() : QString::number(value); }
QString Text(const std::string& value) { return FieldFromFormat(value); }
QString Typed(const QComboBox* combo) { return combo->currentText().trimmed(); }

// The number when it is one within [least, most], else 0: not set.
int16_t StoredWhole(const QString& text, int least = INT16_MIN, int most = INT16_MAX) {
    return WholeNumberIn(text, least, most).value_or(0);
}

// A size or spacing kept as its text while it is a number, else empty.
std::string StoredNumberText(const QString& text) {
    return IsNumber(text) ? FieldToFormat(text) : std::string();
}

}  // namespace

ConditionFields::ConditionFields(QTabWidget& tabs, int formatCode, Prompts& prompts)
    : QObject(&tabs), tabs_(tabs) {
    tabs_.addTab(BuildGeneral(), QString());
    tabs_.addTab(BuildLine(formatCode, prompts), QString());
    tabs_.addTab(BuildDefault(formatCode, prompts), QString());
    tabs_.addTab(BuildOthers(), QString());
}

void ConditionFields::AddRow(QFormLayout& form, const char* caption, QWidget* field) {
    auto* label = new QLabel;
    label->setObjectName(QStringLiteral("lbl") + field->objectName().mid(3));
    label->setBuddy(field);
    form.addRow(label, field);
    labels_.append({label, caption});
}

QWidget* ConditionFields::BuildGeneral() {
    auto* page = Named(new QWidget, "FrameGeneral");
    auto* form = new QFormLayout(page);
    txtConditionName_ = Named(new QLineEdit, "txtConditionName");
    txtConditionName_->setReadOnly(true);  // the name is given when a condition is added
    AddRow(*form, "Name", txtConditionName_);
    AddRow(*form, "Condition Type",
           cmbConditionType_ =
               FixedChoices("cmbConditionType", {"linenumber", "linevalue", "leftlinevalue"}));
    AddRow(*form, "Condition Value",
           txtConditionValue_ = Named(new QLineEdit, "txtConditionValue"));
    AddRow(*form, "Show", cmbShow_ = FixedChoices("cmbShow", {"yes", "no", "right"}));
    return page;
}

QWidget* ConditionFields::BuildLine(int formatCode, Prompts& prompts) {
    auto* page = Named(new QWidget, "FrameLine");
    auto* form = new QFormLayout(page);
    AddRow(*form, "Font Name",
           cmbFontName_ = EditableChoices("cmbFontName", FontNamesFor(formatCode)));
    AddRow(*form, "Font size", cmbFontSize_ = EditableChoices("cmbFontSize", FontSizes()));
    AddRow(*form, "Font Color", cmdColor_ = Named(new ColourButton(prompts), "cmdColor"));
    AddRow(*form, "Left Margin",
           cmbLeftMargin_ = EditableChoices("cmbLeftMargin", Steps(10, 100, 10)));
    AddRow(*form, "Top Position", cmbY_ = Named(new QLineEdit, "cmbY"));
    AddRow(*form, "Delta Y", cmbDeltaY_ = EditableChoices("cmbDeltaY", kDeltaYs));
    AddRow(*form, "Max car per line",
           cmbMaxLenLine_ = EditableChoices("cmbMaxLenLine", kMaxLenLines));
    AddRow(*form, "Bookmark Level", cmbBK_ = EditableChoices("cmbBK", {"1", "2", "3"}));
    AddRow(*form, "Line Length",
           cmbLineLength_ = EditableChoices("cmbLineLength", Steps(100, 500, 100)));
    AddRow(*form, "Text Alignment", cmbTextAlign_ = EditableChoices("cmbTextAlign", kAlignments));
    return page;
}

QWidget* ConditionFields::BuildDefault(int formatCode, Prompts& prompts) {
    auto* page = Named(new QWidget, "FrameDefault");
    auto* form = new QFormLayout(page);
    AddRow(*form, "Font Name",
           cmbDefaultFontName_ = EditableChoices("cmbDefaultFontName", FontNamesFor(formatCode)));
    AddRow(*form, "Font size",
           cmbDefaultFontSize_ = EditableChoices("cmbDefaultFontSize", FontSizes()));
    AddRow(*form, "Font Color",
           cmdDefaultFontColor_ = Named(new ColourButton(prompts), "cmdDefaultFontColor"));
    AddRow(*form, "Left Margin",
           cmbDefaultLeftMargin_ = EditableChoices("cmbDefaultLeftMargin", Steps(10, 100, 10)));
    AddRow(*form, "Max car per line",
           cmbDefaultMaxLenLine_ = EditableChoices("cmbDefaultMaxLenLine", kMaxLenLines));
    AddRow(*form, "Delta Y", cmbDefaultDeltaY_ = EditableChoices("cmbDefaultDeltaY", kDeltaYs));
    AddRow(*form, "Line Length",
           cmbDefaultLineLength_ = EditableChoices("cmbDefaultLineLength", Steps(100, 500, 100)));
    AddRow(*form, "Text Alignment",
           cmbDefaultTextAlign_ = EditableChoices("cmbDefaultTextAlign", kAlignments));
    return page;
}

QWidget* ConditionFields::BuildOthers() {
    auto* page = Named(new QWidget, "frameOthers");
    auto* column = new QVBoxLayout(page);
    column->addWidget(chkIsHeader_ = Named(new QCheckBox, "chkIsHeader"));
    column->addWidget(chkIsLink_ = Named(new QCheckBox, "chkIsLink"));
    column->addWidget(chkIsAnnotation_ = Named(new QCheckBox, "chkIsAnnotation"));
    auto* form = new QFormLayout;
    AddRow(*form, "Image To Insert", txtImageFile_ = Named(new QLineEdit, "txtImageFile"));
    AddRow(*form, "Left Position", txtImageX_ = Named(new QLineEdit, "txtImageX"));
    AddRow(*form, "Top Position", txtImageY_ = Named(new QLineEdit, "txtImageY"));
    column->addLayout(form);
    column->addStretch();
    return page;
}

void ConditionFields::ApplyCaptions(const clsCaption& c) {
    const char* tabs[] = {"General", "Line", "Default", "Others"};
    for (int i = 0; i < 4; ++i) tabs_.setTabText(i, c.m(tabs[i]));
    for (const auto& [label, caption] : labels_) label->setText(c.m(caption));
    chkIsHeader_->setText(c.m("Is a header"));
    chkIsLink_->setText(c.m("Is a link"));
    chkIsAnnotation_->setText(c.m("Is an annotation"));
}

void ConditionFields::Show(const vorFormat& f) {
    txtConditionName_->setText(Text(f.conditionName));
    Select(cmbConditionType_, Text(f.conditionType));
    txtConditionValue_->setText(Text(f.conditionValue));
    Select(cmbShow_, f.show.empty() ? QStringLiteral("yes") : Text(f.show).toLower());

    cmbFontName_->setCurrentText(Text(f.fontname));
    cmbFontSize_->setCurrentText(Text(f.fontsize));
    cmdColor_->setColourText(Text(f.fontcolor));
    cmbLeftMargin_->setCurrentText(Whole(f.x));
    cmbY_->setText(Whole(f.SetY));
    cmbDeltaY_->setCurrentText(Text(f.dy));
    cmbMaxLenLine_->setCurrentText(Whole(f.MaxLenLine));
    cmbBK_->setCurrentText(Whole(f.bk));
    cmbLineLength_->setCurrentText(Whole(f.linelength));
    cmbTextAlign_->setCurrentText(Text(f.FontAlign));

    cmbDefaultFontName_->setCurrentText(Text(f.DefaultFont));
    cmbDefaultFontSize_->setCurrentText(Whole(f.DefaultFontSize));
    cmdDefaultFontColor_->setColourText(Text(f.DefaultFontColor));
    cmbDefaultLeftMargin_->setCurrentText(Whole(f.DefaultX));
    cmbDefaultMaxLenLine_->setCurrentText(Whole(f.DefaultMaxLenLine));
    cmbDefaultDeltaY_->setCurrentText(Whole(f.DefaultDY));
    cmbDefaultLineLength_->setCurrentText(Whole(f.DefaultLineLength));
    cmbDefaultTextAlign_->setCurrentText(Text(f.DefaultFontAlign));

    chkIsHeader_->setChecked(f.isHeader);
    chkIsLink_->setChecked(f.isLink);
    chkIsAnnotation_->setChecked(f.isAnnotation);
    txtImageFile_->setText(Text(f.ImageFile));
    txtImageX_->setText(Text(f.ImageX));
    txtImageY_->setText(Text(f.ImageY));
}

void ConditionFields::Store(vorFormat& f) const {
    f.conditionType = FieldToFormat(cmbConditionType_->currentText());
    f.conditionValue = FieldToFormat(txtConditionValue_->text());
    const QString show = cmbShow_->currentText();
    f.show = show.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0 ? std::string()
                                                                          : FieldToFormat(show);
    f.isHeader = chkIsHeader_->isChecked();
    f.isLink = chkIsLink_->isChecked();
    f.isAnnotation = chkIsAnnotation_->isChecked();

    f.x = StoredWhole(Typed(cmbLeftMargin_));
    f.DefaultX = StoredWhole(Typed(cmbDefaultLeftMargin_));
    f.SetY = StoredWhole(cmbY_->text().trimmed());
    f.DefaultDY = StoredWhole(Typed(cmbDefaultDeltaY_));
    f.DefaultFontSize = StoredWhole(Typed(cmbDefaultFontSize_));
    f.linelength = StoredWhole(Typed(cmbLineLength_), 21);
    f.DefaultLineLength = StoredWhole(Typed(cmbDefaultLineLength_), 21);
    f.MaxLenLine = StoredWhole(Typed(cmbMaxLenLine_), 6);
    f.DefaultMaxLenLine = StoredWhole(Typed(cmbDefaultMaxLenLine_), 6);
    f.bk = StoredWhole(Typed(cmbBK_), 1, 3);
    f.fontsize = StoredNumberText(Typed(cmbFontSize_));
    f.dy = StoredNumberText(Typed(cmbDeltaY_));

    f.fontname = FieldToFormat(cmbFontName_->currentText());
    f.DefaultFont = FieldToFormat(cmbDefaultFontName_->currentText());
    f.FontAlign = FieldToFormat(cmbTextAlign_->currentText());
    f.DefaultFontAlign = FieldToFormat(cmbDefaultTextAlign_->currentText());
    f.ImageFile = FieldToFormat(txtImageFile_->text());
    f.ImageX = FieldToFormat(txtImageX_->text());
    f.ImageY = FieldToFormat(txtImageY_->text());
    f.fontcolor = FieldToFormat(cmdColor_->colourText());
    f.DefaultFontColor = FieldToFormat(cmdDefaultFontColor_->colourText());
}

void ConditionFields::Clear() { Show(vorFormat()); }

}  // namespace scrivane::app
