#pragma once
// The windows the favorites commands open, behind an interface that tests replace with
// scripted answers (no test may wait on a modal window). QtFavoriteDialogs shows them.
#include <QString>

class QWidget;

namespace scrivane::app {

struct AppContext;

// What the favorite window gave back: an empty name when it was cancelled.
struct FavoriteAnswer {
    QString name;
    QString mode;  // "1": opens in a new window, "0": in the current one
};

class FavoriteDialogs {
public:
    virtual ~FavoriteDialogs() = default;
    // "Add a favorite" (frmFavori), filled with a name and a mode.
    virtual FavoriteAnswer AskFavorite(const QString& proposedName, const QString& mode) = 0;
    // The input box of the organizer's Number button; empty when cancelled.
    virtual QString AskFavoriteNumber(int current) = 0;
    // The organizer to rename, renumber and delete favorites.
    virtual void Organize() = 0;
    // The organizer choosing a favorite: its number, 0 when none was chosen.
    virtual int ChooseFavorite() = 0;
};

class QtFavoriteDialogs : public FavoriteDialogs {
public:
    QtFavoriteDialogs(AppContext& context, QWidget* owner) : context_(context), owner_(owner) {}
    FavoriteAnswer AskFavorite(const QString& proposedName, const QString& mode) override;
    QString AskFavoriteNumber(int current) override;
    void Organize() override;
    int ChooseFavorite() override;

private:
    AppContext& context_;
    QWidget* owner_;
};

}  // namespace scrivane::app
