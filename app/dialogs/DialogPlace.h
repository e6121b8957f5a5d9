#pragma once
// Where a dialog opens: where it was last closed (kept in twips), or centred over the
// window that opened it the first time. A place that lies off every screen now (a
// screen that was removed) is brought back onto the nearest one.
#include "shell/AppSettings.h"

class QWidget;

namespace scrivane::app {

void RestoreDialogPlace(QWidget& dialog, const AppSettings& settings, DialogPlace place);
void StoreDialogPlace(const QWidget& dialog, AppSettings& settings, DialogPlace place);

}  // namespace scrivane::app
