#pragma once
// The small window of the Modify menu and of the Title, Subject, Author, Keywords and
// Header entries of the Insert menu: it asks for the value of one command, from a list
// of typical values or as free text. Any text is returned as typed; the engine judges it.
#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace scrivane::app {

class AppSettings;
class clsCaption;

class frmModify : public QDialog {
    Q_OBJECT
public:
    frmModify(const clsCaption& captions, AppSettings& settings, QWidget* parent = nullptr);

    QString ToModify;     // the key (ModifyChoices.h), set before Load
    QString ReturnValue;  // the value entered; empty when cancelled

    // Places the window, sets its captions and shows the list or the text box of the key,
    // preset to the key's first value.
    void Load();

    QComboBox* combo() const { return Combo1_; }
    QLineEdit* textBox() const { return Text1_; }

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void done(int result) override;

private:
    const clsCaption& captions_;
    AppSettings& settings_;
    QLabel* lblValue_;
    QComboBox* Combo1_;
    QLineEdit* Text1_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
    bool freeText_ = true;
};

}  // namespace scrivane::app
