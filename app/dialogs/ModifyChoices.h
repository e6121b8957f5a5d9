#pragma once
// What the Modify window offers for each key: its caption, whether the value is free
// text or chosen from a list, the values listed and the one shown first, and the command
// text that the value completes.
#include <QString>
#include <QStringList>
#include <span>

namespace scrivane::app {

struct ModifyChoice {
    const char* menu;     // object name of the menu entry
    const char* key;      // the window's key ("fontsize")
    const char* caption;  // English window caption, looked up when shown
    const char* prefix;   // the command line that the value completes ("<set>fontsize=")
    QStringList values;   // empty: free text
    QString initial;      // shown first

    bool freeText() const { return values.isEmpty(); }
};

// Every key, in the order of the Modify menu, then the Insert menu's.
std::span<const ModifyChoice> ModifyChoices();
// The entry of a key, or null.
const ModifyChoice* ModifyChoiceFor(const QString& key);

// The key of the Header entry of the Insert menu: free text, its own block of commands.
inline constexpr const char* kHeaderKey = "header";

}  // namespace scrivane::app
