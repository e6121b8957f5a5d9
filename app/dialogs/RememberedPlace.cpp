#include "dialogs/RememberedPlace.h"

#include <QWidget>

namespace scrivane::app {

void RestorePlace(QWidget* dialog, const AppSettings& settings, DialogPlace place) {
    const std::optional<int> left = settings.dialogLeft(place);
    const std::optional<int> top = settings.dialogTop(place);
    if (left && top) dialog->move(*left / kTwipsPerPixel, *top / kTwipsPerPixel);
}

void StorePlace(const QWidget* dialog, AppSettings& settings, DialogPlace place) {
    const QPoint at = dialog->pos();
    settings.setDialogPosition(place, at.x() * kTwipsPerPixel, at.y() * kTwipsPerPixel);
}

}  // namespace scrivane::app
