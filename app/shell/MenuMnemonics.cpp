#include "shell/MenuMnemonics.h"

#include <QAction>
#include <QSet>

namespace scrivane::app {

namespace {

const QChar kMark = QLatin1Char('&');

// A letter or digit that every keyboard can type with Alt.
bool Typeable(QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); }

bool WordStartsAt(const QString& text, qsizetype at) {
    return text[at].isLetterOrNumber() && (at == 0 || !text[at - 1].isLetterOrNumber());
}

// Chooses the position of each caption's letter (-1: none) in three passes.
QList<qsizetype> ChooseLetters(const QStringList& captions) {
    QList<qsizetype> chosen(captions.size(), -1);
    QSet<QChar> used;
    auto take = [&](qsizetype index, qsizetype at) {
        const QChar c = captions[index][at];
        if (!Typeable(c) || used.contains(c.toUpper())) return false;
        used.insert(c.toUpper());
        chosen[index] = at;
        return true;
    };
    // Which positions each pass offers: the first word's start, later words' starts,
    // then every position.
    enum class Pass { FirstWord, LaterWords, Anywhere };
    for (Pass pass : {Pass::FirstWord, Pass::LaterWords, Pass::Anywhere}) {
        for (qsizetype i = 0; i < captions.size(); ++i) {
            if (chosen[i] >= 0) continue;
            const QString& text = captions[i];
            bool firstWordSeen = false;
            for (qsizetype at = 0; at < text.size(); ++at) {
                const bool wordStart = WordStartsAt(text, at);
                const bool firstWord = wordStart && !firstWordSeen;
                firstWordSeen = firstWordSeen || wordStart;
                const bool offered = pass == Pass::Anywhere ||
                                     (pass == Pass::FirstWord ? firstWord : wordStart && !firstWord);
                if (offered && take(i, at)) break;
                if (pass == Pass::FirstWord && firstWordSeen) break;
            }
        }
    }
    return chosen;
}

}  // namespace

QStringList WithMnemonics(const QStringList& captions) {
    const QList<qsizetype> chosen = ChooseLetters(captions);
    QStringList marked;
    for (qsizetype i = 0; i < captions.size(); ++i) {
        QString text;
        for (qsizetype at = 0; at < captions[i].size(); ++at) {
            const QChar c = captions[i][at];
            if (at == chosen[i]) text += kMark;
            text += c;
            if (c == kMark) text += kMark;
        }
        marked << text;
    }
    return marked;
}

QString PlainCaption(const QString& text) {
    QString plain;
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (text[at] == kMark && at + 1 < text.size()) ++at;  // "&x" -> "x", "&&" -> "&"
        plain += text[at];
    }
    return plain;
}

void AssignMnemonics(const QList<QAction*>& entries) {
    QStringList captions;
    for (QAction* entry : entries) captions << PlainCaption(entry->text());
    const QStringList marked = WithMnemonics(captions);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries[i]->text() != marked[i]) entries[i]->setText(marked[i]);
    }
}

}  // namespace scrivane::app
