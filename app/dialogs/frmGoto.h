#pragma once
// Asks for the number of the line to go to. The result is the number rounded to a whole
// line, or -1 when the window was cancelled or the entry is not a number of 0 or more
// (0 stands for the last line).
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace scrivane::app {

class clsCaption;

class frmGoto : public QDialog {
    Q_OBJECT
public:
    frmGoto(const clsCaption& captions, int defaultLine, QWidget* parent = nullptr);

    int chosenLine() const { return result_; }
    QLineEdit* lineBox() const { return txtLine_; }

    // The line an entry asks for, or -1.
    static int LineOf(const QString& entry);

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    QLabel* lblLine_;
    QLineEdit* txtLine_;
    int result_ = -1;
};

}  // namespace scrivane::app
