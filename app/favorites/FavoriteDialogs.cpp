#include "favorites/FavoriteDialogs.h"

#include <QApplication>
#include <QInputDialog>

#include "favorites/frmFavori.h"
#include "favorites/frmFavorites.h"
#include "shell/AppContext.h"

namespace scrivane::app {

namespace {

// A window opened from the organizer belongs to it, others to the main window.
QWidget* Owner(QWidget* mainWindow) {
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : mainWindow;
}

}  // namespace

// Shown modally, centred over its owner.
FavoriteAnswer QtFavoriteDialogs::AskFavorite(const QString& proposedName, const QString& mode) {
    frmFavori window(context_.captions, proposedName, mode, Owner(owner_));
    if (window.exec() != QDialog::Accepted) return {};
    return {window.favoriteName(), window.mode()};
}

QString QtFavoriteDialogs::AskFavoriteNumber(int current) {
    bool ok = false;
    const QString typed = QInputDialog::getText(
        Owner(owner_), context_.captions.m("Favorite"), context_.captions.m("Favorite number"),
        QLineEdit::Normal, QString::number(current), &ok);
    return ok ? typed : QString();
}

void QtFavoriteDialogs::Organize() {
    frmFavorites window(context_, *this, frmFavorites::State::Organizing, owner_);
    window.exec();
}

int QtFavoriteDialogs::ChooseFavorite() {
    frmFavorites window(context_, *this, frmFavorites::State::Choosing, owner_);
    window.exec();
    return window.chosenFavorite();
}

}  // namespace scrivane::app
