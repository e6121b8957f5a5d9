#pragma once
// The Favorites menu: its entries 1 to 9 named after the favorites, "Add to favorites",
// "Add to a favorite", "Organize favorites", and opening a favorite's files, in this
// window or each in a new one.
#include <QObject>
#include <QString>
#include <memory>

#include "favorites/FavoriteStore.h"

class QAction;
class QMenu;
class QWidget;

namespace scrivane::app {

struct AppContext;
class DocumentManager;
class FavoriteDialogs;
class WindowLauncher;

class FavoriteCommands : public QObject {
    Q_OBJECT
public:
    // menu: the Favorites menu, holding the entries of the menu table by object name.
    FavoriteCommands(AppContext& context, DocumentManager& documents, QMenu* menu,
                     QWidget* owner);
    ~FavoriteCommands() override;

    // Tests answer the windows and count the new windows instead.
    void setDialogs(FavoriteDialogs* dialogs) { dialogs_ = dialogs; }
    void setLauncher(WindowLauncher* launcher) { launcher_ = launcher; }

    // Shows or hides the menu ("ShowFavorites") and names its entries after the favorites
    // that exist. At start and after every change.
    void RebuildMenu();
    void AddToFavorites();
    void AddToAFavorite();
    void Organize();
    void OpenFavorite(int n);

private:
    QAction* Entry(const QString& objectName) const;
    void EnableEntries();  // as the menu opens
    void ShowError(const QString& message);

    AppContext& context_;
    DocumentManager& documents_;
    QMenu* menu_;
    FavoriteStore store_;
    std::unique_ptr<FavoriteDialogs> ownDialogs_;
    std::unique_ptr<WindowLauncher> ownLauncher_;
    FavoriteDialogs* dialogs_;
    WindowLauncher* launcher_;
};

}  // namespace scrivane::app
