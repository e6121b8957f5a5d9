#pragma once
// What the program tells Qt before its first window: its names, and where Qt keeps what
// it writes by itself.

namespace scrivane::app {

class AppPaths;

// "Scrivane" names the place of the settings; the program's name, "Vantor Jotter", is
// what window titles show: the desktop adds it to titles that lack it and shows it
// alone for untitled windows (message boxes), instead of "Scrivane". Also the icon.
void SetProgramNames();

// With the user folder overridden (SCRIVANE_USER_DIR: tests, a portable install), what
// Qt keeps by itself (the file dialogs' history and the colour dialog's colours, in
// QtProject.conf) goes to that folder instead of the home folder, and the file dialogs
// are Qt's own, since the desktop's keep a list of recent files in the home folder.
void KeepQtSettingsInUserFolder(const AppPaths& paths);

}  // namespace scrivane::app
