#pragma once
// Page setup of the export options: margins, line spacing, line lengths, alignment and
// page size of the format object the export options window holds. OK takes each value
// that is a number within its range and leaves the others as they were; the values
// reach the default file when the export options are confirmed.
#include <QDialog>

#include "format/vorFormat.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace scrivane::app {

struct AppContext;

class frmPageSetup : public QDialog {
    Q_OBJECT
public:
    frmPageSetup(AppContext& context, vorFormat& format, QWidget* parent = nullptr);

    // The page types offered and their sizes in points: A4, Legal, Letter.
    struct PageType {
        const char* name;
        int width;
        int height;
    };
    static const PageType kPageTypes[3];

public slots:
    void accept() override;  // OK
    void done(int result) override;

private:
    void BuildControls();
    void ApplyCaptions();
    void ShowValues();
    void ChoosePageType(const QString& name);

    AppContext& context_;
    vorFormat& format_;
    QLabel *lblLeftMargin_, *lblTopMargin_, *lblDeltaY_, *lblMaxLenLine_, *lblLineLen_,
        *lblTextAlignment_, *lblTypePage_, *lblPageWidth_, *lblPageHeight_;
    QComboBox *cmbLeftMargin_, *cmbTopMargin_, *cmbDeltaY_, *cmbMaxLenLine_, *cmbLineLen_,
        *cmbTextAlignment_, *cmbTypePage_;
    QLineEdit *txtPageWidth_, *txtPageHeight_;
    QGroupBox* FramePageSize_;
    QPushButton *cmdOK_, *cmdCancel_;
};

}  // namespace scrivane::app
