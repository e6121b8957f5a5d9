#pragma once
// The about box: the program's name and version, and OK.
#include <QDialog>

class QLabel;
class QPushButton;

namespace scrivane::app {

class clsCaption;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(const clsCaption& captions, QWidget* parent = nullptr);

    static void Show(const clsCaption& captions, QWidget* parent);

private:
    QLabel* lblMain_;
    QLabel* lblVersion_;
    QPushButton* cmdOK_;
};

}  // namespace scrivane::app
