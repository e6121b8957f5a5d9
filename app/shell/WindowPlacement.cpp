#include "shell/WindowPlacement.h"

#include <algorithm>

#include "shell/AppContext.h"

namespace scrivane::app {

namespace {

constexpr int kCascadeTwips = 500;

// Two thirds of the free screen, centred, in twips.
QRect FirstStartPlace(const QRect& screenArea) {
    const QSize size = screenArea.size() * 2 / 3;
    QRect place(QPoint(), size);
    place.moveCenter(screenArea.center());
    return {place.left() * kTwipsPerPixel, place.top() * kTwipsPerPixel,
            size.width() * kTwipsPerPixel, size.height() * kTwipsPerPixel};
}

}  // namespace

QRect InitialWindowGeometry(AppContext& context, const QRect& screenArea) {
    AppSettings& s = context.settings;
    int left, top, width, height;
    if (s.windowSizeStored()) {
        left = s.windowLeft();
        top = s.windowTop();
        width = s.windowWidth();
        height = s.windowHeight();
    } else {
        const QRect first = FirstStartPlace(screenArea);
        left = first.left();
        top = first.top();
        width = first.width();
        height = first.height();
    }
    if (context.commandLine.startsWith("-F2")) {
        left += kCascadeTwips;
        top += kCascadeTwips;
        s.setWindowLeft(left);
        s.setWindowTop(top);
    }
    WindowOption(context.args, "x", left);
    WindowOption(context.args, "y", top);
    WindowOption(context.args, "w", width);
    WindowOption(context.args, "h", height);
    width = std::max(width, kLeastWindowTwips);
    height = std::max(height, kLeastWindowTwips);
    if (left < 0) left = 10;
    if (top < 0) top = 10;
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

}  // namespace scrivane::app
