#include "favorites/frmFavorites.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "favorites/FavoriteDialogs.h"
#include "favorites/vorFavori.h"
#include "shell/AppContext.h"

namespace scrivane::app {

namespace {

constexpr int kNumberRole = Qt::UserRole;  // the favorite's number, kept with its entry

}  // namespace

frmFavorites::frmFavorites(AppContext& context, FavoriteDialogs& dialogs, State state,
                           QWidget* parent)
    : QDialog(parent), context_(context), dialogs_(dialogs), store_(context.paths), state_(state) {
    setObjectName("frmFavorites");
    const clsCaption& c = context_.captions;
    setWindowTitle(c.m(state == State::Organizing ? "Favorites" : "Add to a favorite"));

    FrameFavoritesList_ = new QGroupBox(c.m("Favorites"), this);
    FrameFavoritesList_->setObjectName("FrameFavoritesList");
    listFavorites_ = new QListWidget(FrameFavoritesList_);
    listFavorites_->setObjectName("listFavorites");
    listFavorites_->setMinimumSize(260, 180);
    auto* frameLayout = new QVBoxLayout(FrameFavoritesList_);
    frameLayout->addWidget(listFavorites_);

    auto* buttons = new QVBoxLayout;
    if (state == State::Organizing) {
        QPushButton* number = AddButton("cmdNumber", "Number");
        QPushButton* properties = AddButton("cmdProperties", "Properties");
        QPushButton* remove = AddButton("cmdDelete", "Delete");
        QPushButton* close = AddButton("cmdClose", "Close");
        connect(number, &QPushButton::clicked, this, &frmFavorites::cmdNumber_Click);
        connect(properties, &QPushButton::clicked, this, &frmFavorites::cmdProperties_Click);
        connect(remove, &QPushButton::clicked, this, &frmFavorites::cmdDelete_Click);
        connect(close, &QPushButton::clicked, this, &QDialog::accept);
        selectionButtons_ = {number, properties, remove};
        for (QPushButton* button : {number, properties, remove, close}) buttons->addWidget(button);
        connect(listFavorites_, &QListWidget::itemDoubleClicked, this,
                &frmFavorites::cmdProperties_Click);
    } else {
        QPushButton* ok = AddButton("cmdOK", "OK");
        QPushButton* cancel = AddButton("cmdCancel", "Cancel");
        ok->setDefault(true);
        connect(ok, &QPushButton::clicked, this, &frmFavorites::cmdOK_Click);
        connect(cancel, &QPushButton::clicked, this, &frmFavorites::cmdCancel_Click);
        selectionButtons_ = {ok};
        buttons->addWidget(ok);
        buttons->addWidget(cancel);
        connect(listFavorites_, &QListWidget::itemDoubleClicked, this, &frmFavorites::cmdOK_Click);
    }
    buttons->addStretch();
    connect(listFavorites_, &QListWidget::itemSelectionChanged, this,
            &frmFavorites::UpdateButtons);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(FrameFavoritesList_, 1);
    layout->addLayout(buttons);
    FillList();
}

QPushButton* frmFavorites::AddButton(const char* name, const char* caption) {
    auto* button = new QPushButton(context_.captions.m(caption), this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

void frmFavorites::FillList() {
    listFavorites_->clear();
    for (int n : store_.numbers()) {
        vorFavori favorite;
        store_.Load(n, favorite);  // a damaged file is listed without a name, to delete it
        auto* item = new QListWidgetItem(QString::number(n) + " - " + favorite.label);
        item->setData(kNumberRole, n);
        listFavorites_->addItem(item);
    }
    UpdateButtons();
}

void frmFavorites::UpdateButtons() {
    const bool selected = SelectedNumber() != 0;
    for (QPushButton* button : selectionButtons_) button->setEnabled(selected);
}

int frmFavorites::SelectedNumber() const {
    const QList<QListWidgetItem*> selected = listFavorites_->selectedItems();
    return selected.isEmpty() ? 0 : selected.first()->data(kNumberRole).toInt();
}

void frmFavorites::selectFavorite(int n) {
    listFavorites_->clearSelection();
    for (int row = 0; row < listFavorites_->count(); ++row) {
        QListWidgetItem* item = listFavorites_->item(row);
        if (item->data(kNumberRole).toInt() == n) {
            listFavorites_->setCurrentItem(item);
            item->setSelected(true);
        }
    }
}

QStringList frmFavorites::entries() const {
    QStringList texts;
    for (int row = 0; row < listFavorites_->count(); ++row) {
        texts << listFavorites_->item(row)->text();
    }
    return texts;
}

void frmFavorites::ShowError(const QString& message) {
    context_.prompts.Inform(context_.captions.e("Error"), context_.captions.e(message));
}

void frmFavorites::cmdNumber_Click() {
    const int from = SelectedNumber();
    if (from == 0) return;
    int selected = from;
    switch (store_.Renumber(from, dialogs_.AskFavoriteNumber(from), &selected)) {
        case FavoriteStore::Renumbered::Taken:
            ShowError("This favorite number already exists");
            break;
        case FavoriteStore::Renumbered::Failed:
            ShowError("Error");
            break;
        case FavoriteStore::Renumbered::Done:
        case FavoriteStore::Renumbered::Ignored:
            break;
    }
    FillList();
    selectFavorite(selected);
}

void frmFavorites::cmdProperties_Click() {
    const int n = SelectedNumber();
    if (n == 0) return;
    vorFavori favorite;
    if (store_.Load(n, favorite) != kFavoriteOk) {
        ShowError("Error");
        return;
    }
    const FavoriteAnswer answer = dialogs_.AskFavorite(favorite.label, favorite.mode);
    if (answer.name.isEmpty()) return;
    favorite.label = answer.name;
    favorite.mode = answer.mode;
    if (favorite.saveFavorite() != kFavoriteOk) ShowError("Error");
    FillList();
    selectFavorite(n);
}

// At once, without a question, as the button says.
void frmFavorites::cmdDelete_Click() {
    const int n = SelectedNumber();
    if (n == 0) return;
    if (!store_.Remove(n)) ShowError("Error");
    FillList();
}

void frmFavorites::cmdOK_Click() {
    chosen_ = SelectedNumber();
    if (chosen_ != 0) accept();
}

void frmFavorites::cmdCancel_Click() {
    chosen_ = 0;
    reject();
}

}  // namespace scrivane::app
