#pragma once
// The toolbar's pictures. Each command has the name of its icon in the desktop's theme
// ("edit-cut"); where the theme has none, a line drawing of our own for that command
// stands in, drawn at whatever size is asked in the palette's text colour (grey while
// disabled), and named like the theme icon it replaces.
#include <QIcon>
#include <QString>

namespace scrivane::app {

QIcon ToolbarIcon(const QString& themeName);

}  // namespace scrivane::app
