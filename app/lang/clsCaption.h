#pragma once
// Every caption and message passes through here: m() for captions, e() for messages,
// with the English text as the key. A language file "<langue>.lng" in the data folder
// gives the translation; without one (or without an entry) the English text is shown.
// The file is read at the first lookup after the language is set and kept in memory
// until the language changes; a missing file (English has none) is remembered as missing
// until the next setLangue, so that no lookup searches the data folder.
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

#include "lang/IniFile.h"

namespace scrivane::app {

class clsCaption {
public:
    explicit clsCaption(QString dataFolder) : dataFolder_(std::move(dataFolder)) {}

    QString m(const QString& caption) const;  // section "Captions"
    QString e(const QString& message) const;  // section "Errors"

    QString langue() const { return langue_; }
    // Setting another language drops the texts read for the last one; setting the same
    // one again looks again for a file that was missing.
    void setLangue(const QString& language);

    // The language file of a language name, matched without letter case; empty when none.
    QString LanguageFile(const QString& language) const;
    // The languages offered in frmLanguage: "English" first, then one entry per *.lng file.
    QStringList AvailableLanguages() const;

private:
    QString Lookup(const QString& section, const QString& key) const;
    // The current language's texts, read on first use; null while there is no readable file.
    const IniSections* Translations() const;

    QString dataFolder_;
    QString langue_;
    mutable std::optional<IniSections> translations_;
    mutable bool searched_ = false;  // the language file was looked for since setLangue
};

}  // namespace scrivane::app
