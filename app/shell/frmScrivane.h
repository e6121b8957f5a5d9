#pragma once
// The main window: the editor, its toolbar, status line and menus, and the commands
// that belong to the window (editing, word wrap, font, new window, help, quit).
#include <QMainWindow>
#include <QMap>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QToolBar;

namespace scrivane::app {

struct AppContext;
class DocumentManager;
class ExportCommands;
class FavoriteCommands;
class HelpCommands;
class PreviewPane;
class WritingAids;

class frmScrivane : public QMainWindow {
    Q_OBJECT
public:
    explicit frmScrivane(AppContext& context, QWidget* parent = nullptr);
    ~frmScrivane() override;

    // The load sequence: window place, editor font, toolbar, word wrap, the command
    // line's file, captions, title, recent files and status line.
    void Load();

    QPlainTextEdit* editor() const { return rtb1_; }
    DocumentManager& documents() const { return *documents_; }
    ExportCommands& exports() const { return *exports_; }
    FavoriteCommands& favorites() const { return *favorites_; }
    HelpCommands& help() const { return *help_; }
    WritingAids& aids() const { return *aids_; }
    PreviewPane& preview() const { return *preview_; }
    QAction* action(const QString& objectName) const;
    QString statusText() const;

    void ApplyCaptions();
    void RefreshToolbar();
    void RefreshRecentMenu();
    void UpdateStatusBar();
    void UpdateTitle();
    void ApplyTextColorAndFont();
    void SaveSettings();
    // After the preferences' OK: language, captions, toolbar, status bar, recent files and
    // the Favorites menu follow the settings at once.
    void ApplyPreferences();
    // Quit: asks about unsaved changes; false when the user cancelled.
    bool Quit();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The menus from the menu table, then their commands connected by object name.
    void BuildMenus();
    void ConnectCommands();
    void BuildToolbar();
    // Gives every menu its Alt keys from the captions shown.
    void AssignMenuKeys();
    void PlaceWindow();
    void SetWordWrap(bool on);
    void ChooseFont();
    void OpenNewWindow();
    void ShowHelp();
    void ShowReadme();

    AppContext& context_;
    QPlainTextEdit* rtb1_ = nullptr;
    QToolBar* Toolbar1_ = nullptr;
    QLabel* lblStatusBar_ = nullptr;
    std::unique_ptr<ExportCommands> exports_;
    DocumentManager* documents_ = nullptr;
    FavoriteCommands* favorites_ = nullptr;
    std::unique_ptr<HelpCommands> help_;
    WritingAids* aids_ = nullptr;
    PreviewPane* preview_ = nullptr;
    QMap<QString, QAction*> actions_;   // by object name
    QMap<QString, QString> captions_;   // object name -> English caption
    QMap<QString, QMenu*> menus_;
    QMap<QString, QAction*> toolButtons_;  // by key
    QFont editorFont_;
    bool showStatusBar_ = false;
    bool loaded_ = false;
    bool quitting_ = false;
};

}  // namespace scrivane::app
