#pragma once
// Where the main window opens. Places are kept in twips, as the settings store them
// (15 twips a pixel): the saved place, or on a first start (no saved size) two thirds of
// the screen, centred; "-F2" (a new window) cascades 500 twips from the last one and
// saves that place at once; x=, y=, w= and h= on the command line have the last word.
#include <QRect>

namespace scrivane::app {

struct AppContext;

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int TwipsToPixels(int twips) { return twips / kTwipsPerPixel; }
// A window is never narrower or lower than this.
inline constexpr int kLeastWindowTwips = 2000;

// The window's first geometry in pixels, on a screen whose free area is screenArea.
QRect InitialWindowGeometry(AppContext& context, const QRect& screenArea);

}  // namespace scrivane::app
