#include "lang/clsCaption.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "lang/IniFile.h"

namespace scrivane::app {

namespace {

const QLatin1String kExtension(".lng");

// The files of the data folder, in name order.
QFileInfoList DataFiles(const QString& folder) {
    if (folder.isEmpty()) return {};
    return QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
}

// The name the language list shows for a language file's base name.
QString ListedName(const QString& base) {
    const QString upper = base.toUpper();
    if (upper == QLatin1String("FRANCAIS")) return QStringLiteral("Fran\u00e7ais");
    if (upper == QLatin1String("ENGLISH")) return QString();
    if (base.size() == 1) return upper;
    return base.left(1).toUpper() + base.mid(1);
}

}  // namespace

QString clsCaption::m(const QString& caption) const { return Lookup("Captions", caption); }

QString clsCaption::e(const QString& message) const { return Lookup("Errors", message); }

void clsCaption::setLangue(const QString& language) {
    // The same language keeps the texts already read; a file found missing is looked for
    // again.
    if (language == langue_ && translations_) return;
    langue_ = language;
    translations_.reset();
    searched_ = false;
}

const IniSections* clsCaption::Translations() const {
    if (!searched_ && !langue_.isEmpty()) {
        searched_ = true;
        const QString file = LanguageFile(langue_);
        if (!file.isEmpty()) translations_ = IniSections::Read(file);
    }
    return translations_ ? &*translations_ : nullptr;
}

QString clsCaption::Lookup(const QString& section, const QString& key) const {
    if (langue_.isEmpty() || key.trimmed().isEmpty()) return key;
    const IniSections* translations = Translations();
    return translations ? translations->Value(section, key, key) : key;
}

QString clsCaption::LanguageFile(const QString& language) const {
    // A language is a file name in the data folder, never a path.
    if (language.isEmpty() || language.contains(u'/') || language.contains(u'\\')) return {};
    const QString wanted = language + kExtension;
    const QFileInfo exact(QDir(dataFolder_).filePath(wanted));
    if (!dataFolder_.isEmpty() && exact.isFile()) return exact.filePath();
    for (const QFileInfo& info : DataFiles(dataFolder_)) {
        if (info.fileName().compare(wanted, Qt::CaseInsensitive) == 0) return info.filePath();
    }
    return {};
}

QStringList clsCaption::AvailableLanguages() const {
    QStringList languages{QStringLiteral("English")};
    for (const QFileInfo& info : DataFiles(dataFolder_)) {
        const QString name = info.fileName();
        if (name.size() <= kExtension.size() || !name.endsWith(kExtension, Qt::CaseInsensitive)) {
            continue;
        }
        const QString listed = ListedName(name.left(name.size() - kExtension.size()));
        // On a case-sensitive file system two files may differ only in letter case.
        if (!listed.isEmpty() && !languages.contains(listed, Qt::CaseInsensitive)) {
            languages << listed;
        }
    }
    return languages;
}

}  // namespace scrivane::app
