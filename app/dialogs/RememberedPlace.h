#pragma once
// Dialogs that open where the user last left them: their position is kept in the
// settings in twips, as the main window's is.
#include "shell/AppSettings.h"
#include "shell/WindowPlacement.h"  // kTwipsPerPixel

class QWidget;

namespace scrivane::app {

// Moves the dialog to its stored position; a dialog without one stays where Qt puts it.
void RestorePlace(QWidget* dialog, const AppSettings& settings, DialogPlace place);
// Stores where the dialog is now.
void StorePlace(const QWidget* dialog, AppSettings& settings, DialogPlace place);

}  // namespace scrivane::app
