#pragma once
// Opening a file with the desktop's default application (an export just written, the
// manual), saying so when the file is missing or no application could open it.
#include <QString>

namespace scrivane::app {

struct AppContext;

void OpenWithDesktop(const AppContext& context, const QString& path);

}  // namespace scrivane::app
