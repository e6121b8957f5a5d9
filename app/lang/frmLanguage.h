#pragma once
// The small window that asks for the language at first start: a list of the languages
// that have a language file (English always), and OK. Whichever way the window closes,
// the selected language is the answer.
#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QPushButton;

namespace scrivane::app {

class clsCaption;

class frmLanguage : public QDialog {
    Q_OBJECT
public:
    // currentSetting: the stored "language" setting, which chooses the entry shown first.
    explicit frmLanguage(const clsCaption& captions, const QString& currentSetting,
                         QWidget* parent = nullptr);

    // The selected language as it is stored: "Français" is stored as "Francais".
    QString chosenLanguage() const;

    // Shows the window modally and gives back the language to store.
    static QString Ask(const clsCaption& captions, const QString& currentSetting,
                       QWidget* parent = nullptr);

    // The list entry shown for a stored setting.
    static QString ShownLanguage(const clsCaption& captions, const QString& setting);

private:
    QLabel* lblLanguage_;
    QComboBox* cmbLanguage_;
    QPushButton* cmdOK_;
};

}  // namespace scrivane::app
