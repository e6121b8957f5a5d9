#pragma once
// The sample documents of the data folder's samples/ (*.pdf, *.svg), each with the
// description kept beside it (letter.pdf.desc), and the choice of opening the chosen one
// with its usual program too. OK or a double click chooses the selected sample; Cancel
// chooses none.
#include <QDialog>
#include <QString>

class QCheckBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace scrivane::app {

struct AppContext;

class frmSamples : public QDialog {
    Q_OBJECT
public:
    explicit frmSamples(AppContext& context, QWidget* parent = nullptr);

    // Shows the window modally; the full path of the chosen sample, empty for none.
    static QString Choose(AppContext& context, QWidget* parent);

    QString chosenSample() const { return chosen_; }
    QStringList sampleNames() const;  // as listed
    void selectSample(const QString& name);
    QString description() const;

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    void ShowDescription();

    AppContext& context_;
    QString folder_;
    QListWidget* File1_;
    QPlainTextEdit* txtDescription_;
    QCheckBox* chkOpenFile_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
    QString chosen_;
};

}  // namespace scrivane::app
