#pragma once
// What the program tells Qt before its first window.

namespace scrivane::app {

// "Scrivane" names the place of the settings; the program's name, "Vantor Jotter", is
// what window titles show: the desktop adds it to titles that lack it and shows it
// alone for untitled windows (message boxes), instead of "Scrivane".
void SetProgramNames();

}  // namespace scrivane::app
