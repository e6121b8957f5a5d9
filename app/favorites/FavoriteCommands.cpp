#include "favorites/FavoriteCommands.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include "favorites/FavoriteDialogs.h"
#include "favorites/WindowLauncher.h"
#include "favorites/vorFavori.h"
#include "shell/AppContext.h"
#include "shell/DocumentManager.h"

namespace scrivane::app {

namespace {

QString LinkEntryName(int n) { return QStringLiteral("mnuFavoriteLink%1").arg(n); }

// A label as a menu caption: "&" is shown, not taken as the entry's access key.
QString MenuCaption(QString label) { return label.replace(QLatin1Char('&'), QLatin1String("&&")); }

}  // namespace

FavoriteCommands::FavoriteCommands(AppContext& context, DocumentManager& documents, QMenu* menu,
                                   QWidget* owner)
    : QObject(menu),
      context_(context),
      documents_(documents),
      menu_(menu),
      store_(context.paths),
      ownDialogs_(std::make_unique<QtFavoriteDialogs>(context, owner)),
      ownLauncher_(std::make_unique<ProcessWindowLauncher>()),
      dialogs_(ownDialogs_.get()),
      launcher_(ownLauncher_.get()) {
    auto on = [this](const QString& name, auto slot) {
        if (QAction* entry = Entry(name)) connect(entry, &QAction::triggered, this, slot);
    };
    on("mnuAddFavorites", [this] { AddToFavorites(); });
    on("mnuAddToAFavorite", [this] { AddToAFavorite(); });
    on("mnuOrganizeFavorite", [this] { Organize(); });
    for (int n = FavoriteStore::kFirst; n <= FavoriteStore::kLast; ++n) {
        on(LinkEntryName(n), [this, n] { OpenFavorite(n); });
    }
    connect(menu_, &QMenu::aboutToShow, this, &FavoriteCommands::EnableEntries);
}

FavoriteCommands::~FavoriteCommands() = default;

QAction* FavoriteCommands::Entry(const QString& objectName) const {
    for (QAction* action : menu_->actions()) {
        if (action->objectName() == objectName) return action;
    }
    return nullptr;
}

void FavoriteCommands::ShowError(const QString& message) {
    context_.prompts.Inform(context_.captions.e("Error"), context_.captions.e(message));
}

void FavoriteCommands::RebuildMenu() {
    menu_->menuAction()->setVisible(!context_.settings.showFavorites().isOff());
    bool any = false;
    for (int n = FavoriteStore::kFirst; n <= FavoriteStore::kLast; ++n) {
        QAction* entry = Entry(LinkEntryName(n));
        const bool exists = store_.exists(n);
        if (exists) {
            vorFavori favorite;
            store_.Load(n, favorite);
            entry->setText(MenuCaption(favorite.label));
        }
        entry->setVisible(exists);
        any = any || exists;
    }
    Entry("mnuSepFav1")->setVisible(any);
    Entry("mnuOrganizeFavorite")->setVisible(any);
}

void FavoriteCommands::EnableEntries() {
    const bool named = !documents_.fileName().isEmpty();
    Entry("mnuAddFavorites")->setEnabled(named);
    Entry("mnuAddToAFavorite")->setEnabled(named && !store_.numbers().isEmpty());
}

void FavoriteCommands::AddToFavorites() {
    const QString file = documents_.fileName();
    if (file.isEmpty()) {
        ShowError("No file open");
        return;
    }
    if (!store_.lowestFree()) {
        ShowError("Max favorites");
        return;
    }
    const QString mode = context_.settings.openFavoritesInNewWindow().isOn() ? "1" : "0";
    const FavoriteAnswer answer =
        dialogs_->AskFavorite(QFileInfo(file).completeBaseName(), mode);
    if (answer.name.isEmpty()) return;
    vorFavori favorite;
    favorite.label = answer.name;
    favorite.mode = answer.mode;
    favorite.links = {file};
    switch (store_.Add(favorite)) {
        case FavoriteStore::Added::Saved:
            break;
        case FavoriteStore::Added::Full:  // another window took the last number meanwhile
            ShowError("Max favorites");
            break;
        case FavoriteStore::Added::Failed:
            ShowError("Error");
            break;
    }
    RebuildMenu();
}

void FavoriteCommands::AddToAFavorite() {
    const QString file = documents_.fileName();
    if (file.isEmpty()) {
        ShowError("No file open");
        return;
    }
    const int n = dialogs_->ChooseFavorite();
    if (n == 0) return;
    vorFavori favorite;
    if (store_.Load(n, favorite) != kFavoriteOk) {
        ShowError("Error");
        return;
    }
    favorite.links << file;
    if (favorite.saveFavorite() != kFavoriteOk) ShowError("Error");
}

void FavoriteCommands::Organize() {
    dialogs_->Organize();
    RebuildMenu();
}

// Two or more files open each in a new window; one file opens in a new window when the
// favorite says so, otherwise here, as the Open command opens it. A file that is no
// longer there is named in a message; the favorite stays as it is.
void FavoriteCommands::OpenFavorite(int n) {
    vorFavori favorite;
    if (store_.Load(n, favorite) != kFavoriteOk) {
        ShowError("Error");
        return;
    }
    const bool newWindows = favorite.links.size() >= 2 || favorite.opensInNewWindow();
    for (const QString& link : favorite.links) {
        if (!QFileInfo(link).isFile()) {
            context_.prompts.Inform(
                context_.captions.e("Error"),
                context_.captions.e("File %filename% not found").replace("%filename%", link));
        } else if (newWindows) {
            launcher_->OpenInNewWindow(link);
        } else {
            documents_.OpenDropped(link);  // asks about unsaved changes, as Open does
        }
    }
}

}  // namespace scrivane::app
