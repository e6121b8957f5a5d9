#pragma once
// The preferences: on "General" the language and which parts of the main window show,
// on "Others" PDF optimisation, SVG animation and the new-window choice for favorites.
// OK stores every value; the main window applies them when the window has closed.
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QStackedWidget;

namespace scrivane::app {

struct AppContext;

class frmPreferences : public QDialog {
    Q_OBJECT
public:
    explicit frmPreferences(AppContext& context, QWidget* parent = nullptr);

    // Shows the window modally; true when the values were stored (OK).
    static bool Edit(AppContext& context, QWidget* parent);

    // The language stored for a list entry: "Français" in any letter case is "Francais".
    static QString StoredLanguage(const QString& shown);

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void done(int result) override;  // the position is kept however the window closes

private:
    QWidget* GeneralPage();
    QWidget* OthersPage();
    QCheckBox* AddCheck(QWidget* page, const char* name, const char* caption);
    void ShowValues();
    void RestorePosition();

    AppContext& context_;
    QListWidget* lstPreferences_;
    QStackedWidget* pages_;
    QLabel* lblLanguage_ = nullptr;
    QComboBox* cmbLanguage_ = nullptr;
    QCheckBox* chkShowToolbar_ = nullptr;
    QCheckBox* chkShowStatusBar_ = nullptr;
    QCheckBox* chkShowRecentFiles_ = nullptr;
    QCheckBox* chkShowFavorites_ = nullptr;
    QLabel* lblAdjustTextBox_ = nullptr;
    QLineEdit* txtAdjustTextBoxHeight_ = nullptr;
    QCheckBox* chkOptimizePDFFileSize_ = nullptr;
    QCheckBox* chkAnimateSVG_ = nullptr;
    QCheckBox* chkOpenFavoritesNewWindow_ = nullptr;
};

}  // namespace scrivane::app
