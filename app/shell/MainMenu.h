#pragma once
// The main window's menu bar as data: every menu, command and divider line in the order
// shown, with its object name and English caption (looked up in the language file when
// the captions are applied). The window builds its menus from this table and connects
// the commands by object name.
#include <span>

namespace scrivane::app {

struct MenuEntry {
    enum class Kind {
        Menu,     // a menu of the menu bar, or a submenu
        Command,  // an entry that runs a command
        Toggle,   // an entry with a check mark
        Divider,  // a divider line
    };
    const char* parent;   // object name of the menu it belongs to; "" for the menu bar
    const char* name;     // object name; "" for a divider nothing refers to
    const char* caption;  // English; "" for entries captioned at run time (recent files)
    Kind kind = Kind::Command;
    const char* shortcut = "";  // portable key text ("Ctrl+Shift+S"); "" for none
};

// The menu bar's entries, each after the menu it belongs to.
std::span<const MenuEntry> MainMenuEntries();

}  // namespace scrivane::app
