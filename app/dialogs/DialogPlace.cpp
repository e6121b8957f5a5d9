#include "dialogs/DialogPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "shell/WindowPlacement.h"  // kTwipsPerPixel

namespace scrivane::app {

namespace {

// The screen's free area nearest to a point.
QRect ScreenAreaNear(const QPoint& point) {
    QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// The top-left corner that keeps a frame of this size within the area, as far as it fits.
QPoint Inside(QPoint corner, const QSize& size, const QRect& area) {
    if (area.isEmpty()) return corner;
    corner.setX(qMax(area.left(), qMin(corner.x(), area.right() + 1 - size.width())));
    corner.setY(qMax(area.top(), qMin(corner.y(), area.bottom() + 1 - size.height())));
    return corner;
}

}  // namespace

void RestoreDialogPlace(QWidget& dialog, const AppSettings& settings, DialogPlace place) {
    dialog.adjustSize();
    const std::optional<int> left = settings.dialogLeft(place);
    const std::optional<int> top = settings.dialogTop(place);
    QPoint corner;
    if (left && top && (*left != 0 || *top != 0)) {
        corner = QPoint(*left / kTwipsPerPixel, *top / kTwipsPerPixel);
    } else {
        const QWidget* over = dialog.parentWidget() ? dialog.parentWidget()->window() : nullptr;
        const QRect area = over ? over->frameGeometry() : ScreenAreaNear(QPoint());
        corner = area.center() - QPoint(dialog.width() / 2, dialog.height() / 2);
    }
    dialog.move(Inside(corner, dialog.size(), ScreenAreaNear(corner)));
}

void StoreDialogPlace(const QWidget& dialog, AppSettings& settings, DialogPlace place) {
    const QPoint corner = dialog.pos();
    settings.setDialogPosition(place, corner.x() * kTwipsPerPixel, corner.y() * kTwipsPerPixel);
}

}  // namespace scrivane::app
