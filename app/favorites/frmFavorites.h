#pragma once
// The favorites organizer: the list of favorites ("3 - Letters"), and either the buttons
// that renumber, edit and delete them (organizing) or OK and Cancel to pick one for "Add
// to a favorite" (choosing). Changes are made on the files at once.
#include <QDialog>

#include "favorites/FavoriteStore.h"

class QGroupBox;
class QListWidget;
class QPushButton;

namespace scrivane::app {

struct AppContext;
class FavoriteDialogs;

class frmFavorites : public QDialog {
    Q_OBJECT
public:
    enum class State { Organizing, Choosing };
    frmFavorites(AppContext& context, FavoriteDialogs& dialogs, State state,
                 QWidget* parent = nullptr);

    // Choosing: the number of the favorite confirmed with OK; 0 when none was.
    int chosenFavorite() const { return chosen_; }
    // Selects the list entry of favorite n (none when it is not listed).
    void selectFavorite(int n);
    QStringList entries() const;  // the list's texts, in order

public slots:
    void cmdNumber_Click();
    void cmdProperties_Click();
    void cmdDelete_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    void FillList();
    void UpdateButtons();
    int SelectedNumber() const;  // 0 when nothing is selected
    void ShowError(const QString& message);
    QPushButton* AddButton(const char* name, const char* caption);

    AppContext& context_;
    FavoriteDialogs& dialogs_;
    FavoriteStore store_;
    State state_;
    QGroupBox* FrameFavoritesList_;
    QListWidget* listFavorites_;
    QList<QPushButton*> selectionButtons_;  // usable only with an entry selected
    int chosen_ = 0;
};

}  // namespace scrivane::app
