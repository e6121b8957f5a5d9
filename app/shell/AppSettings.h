#pragma once
// Every setting the program keeps per user: one getter and one setter each, with its
// default beside its name in AppSettings.cpp. Values are read at the moment of use, so a
// change takes effect at the next one. Stored through QSettings: the native place (an
// INI file under the user's config folder here), or, when the user folder is overridden
// (SCRIVANE_USER_DIR), a file in that folder. Sections and keys are stored lower-cased,
// so names written in any letter case find the same value; every value is the text it
// has always been ("1"/"0", "True"/"False", whole twips), so older files keep working.
#include <QString>
#include <memory>
#include <optional>

class QSettings;

namespace scrivane::app {

// An on/off setting as stored: "1" on, "0" off. Other texts (edited by hand, or the
// letter "O" that is the Favorites menu's default) are neither, and each reader says
// which way they lean: isOn() takes only "1" as on, isOff() only "0" as off.
class SettingSwitch {
public:
    explicit SettingSwitch(QString stored) : stored_(std::move(stored)) {}
    bool isOn() const { return stored_ == QLatin1String("1"); }
    bool isOff() const { return stored_ == QLatin1String("0"); }
    const QString& stored() const { return stored_; }

private:
    QString stored_;
};

// The dialogs whose position is remembered.
enum class DialogPlace { Preferences, Modify, PageSetup, Format, InsertImage, FormatLine };

class AppSettings {
public:
    // iniPath empty: the native store of the application "Scrivane".
    explicit AppSettings(const QString& iniPath = QString());
    ~AppSettings();
    AppSettings(const AppSettings&) = delete;
    AppSettings& operator=(const AppSettings&) = delete;

    // Language name ("Francais", "English", another language file's name); empty until
    // one is chosen, which asks at start-up.
    QString language() const;
    void setLanguage(const QString& name);
    SettingSwitch showToolbar() const;  // on; the toolbar hides only at "0"
    void setShowToolbar(bool on);
    SettingSwitch showStatusBar() const;  // off
    void setShowStatusBar(bool on);
    SettingSwitch showRecentFiles() const;  // on
    void setShowRecentFiles(bool on);
    SettingSwitch showFavorites() const;  // "O": neither, so the menu shows
    void setShowFavorites(bool on);
    SettingSwitch optimizePdfFileSize() const;  // off: PDF files keep their source text
    void setOptimizePdfFileSize(bool on);
    SettingSwitch animateSvgFiles() const;  // off
    void setAnimateSvgFiles(bool on);
    SettingSwitch openFavoritesInNewWindow() const;  // off ("OpenFavoritesMode")
    void setOpenFavoritesInNewWindow(bool on);
    // Twips taken off the editor's height; the text as stored, applied when numeric.
    QString adjustTextBoxHeight() const;  // "0"
    void setAdjustTextBoxHeight(const QString& twips);
    SettingSwitch wordWrap() const;  // off
    void setWordWrap(bool on);
    int openFilterIndex() const;  // 1-based file type of the Open dialog; 1
    void setOpenFilterIndex(int index);
    int saveFilterIndex() const;  // the same for Save As; 1
    void setSaveFilterIndex(int index);
    SettingSwitch openSampleFile() const;  // on: a chosen sample also opens outside
    void setOpenSampleFile(bool on);
    SettingSwitch highlighting() const;  // on: the editor colours lines by what they become
    void setHighlighting(bool on);
    SettingSwitch showPreview() const;  // off: the page preview beside the editor
    void setShowPreview(bool on);
    int previewWidth() const;  // the preview's width in twips; 0 (never set): half the window
    void setPreviewWidth(int twips);

    // Per export format code (10 PDF, 20 XHTML, 30 XML, 40 SVG).
    SettingSwitch showExportOptions(int code) const;  // on: the options before each export
    void setShowExportOptions(int code, bool on);
    SettingSwitch openAfterExport(int code) const;  // on: the written file is opened
    void setOpenAfterExport(int code, bool on);
    SettingSwitch useLineOptions(int code) const;  // on: the line options file is used
    void setUseLineOptions(int code, bool on);
    QString lineOptionsSet(int code) const;  // named set of line options; "[Default]"
    void setLineOptionsSet(int code, const QString& name);

    // A dialog's position in twips; nullopt means centred on the screen.
    std::optional<int> dialogLeft(DialogPlace dialog) const;
    std::optional<int> dialogTop(DialogPlace dialog) const;
    void setDialogPosition(DialogPlace dialog, int left, int top);

    // The main window in twips: 500, 500, 8000 wide, 5000 high.
    int windowLeft() const;
    void setWindowLeft(int twips);
    int windowTop() const;
    void setWindowTop(int twips);
    int windowWidth() const;
    void setWindowWidth(int twips);
    int windowHeight() const;
    void setWindowHeight(int twips);
    // Whether a size was saved; without one the window opens on two thirds of the screen.
    bool windowSizeStored() const;

    // The editor's font: "MS Sans Serif", 10 points (a size that is not a positive
    // number reads as 10), neither bold nor italic.
    QString editorFontName() const;
    void setEditorFontName(const QString& family);
    double editorFontSize() const;
    void setEditorFontSize(double points);
    bool editorFontBold() const;
    void setEditorFontBold(bool bold);
    bool editorFontItalic() const;
    void setEditorFontItalic(bool italic);

    // Recent files n = 1 (the latest) to 4, full paths; empty when none.
    QString recentFile(int n) const;
    void setRecentFile(int n, const QString& path);

    // Writes pending changes to the store now (they are written at exit anyway).
    void sync();

private:
    std::unique_ptr<QSettings> store_;
};

}  // namespace scrivane::app
