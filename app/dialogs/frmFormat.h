#pragma once
// The export options of one format, shown before each of its exports and from the
// Format menu: the document properties and default font of the format's default file,
// whether line options apply and which set of them, the line format editor, the page
// setup, and named settings files. OK writes the values back to the default file,
// which the export then reads; closing the window any other way cancels the export.
#include <QDialog>
#include <memory>

#include "format/vorFormat.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace scrivane::app {

struct AppContext;
struct DocumentProperties;
class FormatFilePlaces;

class frmFormat : public QDialog {
    Q_OBJECT
public:
    // properties: what the last import found (title, author, ..., the set it names);
    // used instead of the file's values while its UseDocumentProperties is set, and
    // told the set the user picks.
    frmFormat(AppContext& context, int formatCode, DocumentProperties& properties,
              QWidget* parent = nullptr);
    ~frmFormat() override;

    // True once OK has written the values: the export goes on.
    bool confirmed() const { return bCmdOk_; }
    // The values of the default file as the window holds them (page setup edits them).
    vorFormat& format() { return *format_; }

public slots:
    void accept() override;  // OK
    void done(int result) override;

    void EditLineOptions();
    void ShowPageSetup();
    void LoadSettings();
    void SaveSettingsAs();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    QLayout* BuildButtonRow();
    void BuildMenu();
    void ApplyCaptions();
    void ApplyEnableRules();
    // The set list: "[Default]" and the named sets, with `selected` chosen when listed.
    void FillSetList(const QString& selected);
    // The set chosen when the window opens.
    QString OpeningSet() const;
    // A new format object from the file; a missing file gives the reading defaults.
    void Load(const QString& path);
    void ShowValues(bool fromProperties);
    // The boxes' values into the format object.
    void TakeValues();
    // TakeValues, then the format object written to the file; false when it failed
    // (and said so). An empty name writes nothing.
    bool SaveValues(const QString& path);
    QString SettingsFilter() const;

    AppContext& context_;
    const int code_;
    DocumentProperties& properties_;
    std::unique_ptr<FormatFilePlaces> places_;
    std::unique_ptr<vorFormat> format_;
    QString defaultFile_;
    bool bCmdOk_ = false;

    QLabel *lblTitle_, *lblSubject_, *lblAuthor_, *lblKeywords_, *lblFontName_, *lblFontSize_;
    QLineEdit *txtTitle_, *txtSubject_, *txtAuthor_, *txtKeywords_;
    QComboBox *cmbFontName_, *cmbFontSize_, *cmbAshtmFile_;
    QCheckBox *chkShow_, *chkOpenFile_, *chkUseAsHTM_;
    QPushButton *cmdFormatLine_, *cmdPageSetup_, *cmdOK_, *cmdCancel_;
    QMenu* mnuFormatSettings_ = nullptr;
    QAction *mnuFormatLoadSettings_ = nullptr, *mnuFormatSaveAs_ = nullptr,
            *mnuFormatEditLineOptions_ = nullptr;
};

}  // namespace scrivane::app
