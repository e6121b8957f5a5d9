#pragma once
// The four tabs of the line format editor and how a line condition shows in them and is
// stored back: General (name, match rule, show), Line (the line's own format), Default
// (the defaults the condition sets for the lines after it), Others (flags and image).
#include <QObject>

#include "format/vorFormat.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QTabWidget;
class QWidget;

namespace scrivane::app {

class ColourButton;
class clsCaption;
class Prompts;

class ConditionFields : public QObject {
    Q_OBJECT
public:
    // Builds the tabs into `tabs`; font names are those offered for the format.
    ConditionFields(QTabWidget& tabs, int formatCode, Prompts& prompts);

    void ApplyCaptions(const clsCaption& captions);
    // Every control takes the value of its field; "yes" stands for an empty show value.
    void Show(const vorFormat& condition);
    // The controls' values into the condition: numbers only when they are numbers within
    // their range (else 0, or empty for size and spacing), "yes" as an empty show.
    void Store(vorFormat& condition) const;
    // Empty controls, for when no condition is selected.
    void Clear();

private:
    QWidget* BuildGeneral();
    QWidget* BuildLine(int formatCode, Prompts& prompts);
    QWidget* BuildDefault(int formatCode, Prompts& prompts);
    QWidget* BuildOthers();
    // A labelled row; the label's caption is looked up by `caption`.
    void AddRow(QFormLayout& form, const char* caption, QWidget* field);

    QTabWidget& tabs_;
    QList<QPair<QLabel*, const char*>> labels_;  // each label and its caption key
    QLineEdit *txtConditionName_, *txtConditionValue_;
    QComboBox *cmbConditionType_, *cmbShow_;
    QComboBox *cmbFontName_, *cmbFontSize_, *cmbLeftMargin_, *cmbDeltaY_, *cmbMaxLenLine_, *cmbBK_,
        *cmbLineLength_, *cmbTextAlign_;
    QLineEdit* cmbY_;
    ColourButton* cmdColor_;
    QComboBox *cmbDefaultFontName_, *cmbDefaultFontSize_, *cmbDefaultLeftMargin_,
        *cmbDefaultMaxLenLine_, *cmbDefaultDeltaY_, *cmbDefaultLineLength_, *cmbDefaultTextAlign_;
    ColourButton* cmdDefaultFontColor_;
    QCheckBox *chkIsHeader_, *chkIsLink_, *chkIsAnnotation_;
    QLineEdit *txtImageFile_, *txtImageX_, *txtImageY_;
};

}  // namespace scrivane::app
