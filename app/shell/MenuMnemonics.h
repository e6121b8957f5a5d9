#pragma once
// Keyboard letters of the menus: Alt and a letter opens a menu of the menu bar, the
// letter alone picks an entry of an open menu. They are chosen from the captions as
// shown (English or the language file's), so they are given whenever the captions
// change: unique within one menu, the first letter of a word where one is free, and only
// letters and digits that every keyboard has (A-Z, 0-9).
#include <QList>
#include <QStringList>

class QAction;

namespace scrivane::app {

// The captions, each with "&" before its letter; an "&" of the caption itself is
// doubled so that it shows. Earlier captions choose first: the first letter of their
// first word, then of a later word, then any letter. A caption for which no letter is
// left gets none; an empty caption stays empty.
QStringList WithMnemonics(const QStringList& captions);

// The caption as shown: the letter's "&" dropped and "&&" back to "&".
QString PlainCaption(const QString& text);

// Gives the entries of one menu their letters, the first entries having the first
// choice. Texts that carry letters already are read through PlainCaption first.
void AssignMnemonics(const QList<QAction*>& entries);

}  // namespace scrivane::app
