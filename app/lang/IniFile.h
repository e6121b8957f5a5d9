#pragma once
// A small reader and writer of INI files (language files, the caret-position file):
// sections and keys compare without letter case, the first "=" ends the key, blanks
// around key and value are dropped, a value in double quotes loses them, and at most 254
// characters of a value are used. Files are read as UTF-8 when valid, else Windows-1252,
// and written as UTF-8 through a temporary file and a rename.
#include <QHash>
#include <QString>
#include <optional>

namespace scrivane::app {

// The entries of an INI file read once, answering lookups by the same rules as
// IniFile::ReadValue (for files read many times over, such as a language file).
class IniSections {
public:
    // The file's entries; nullopt when it cannot be read.
    static std::optional<IniSections> Read(const QString& path);

    // The value of the first entry of that key in a section of that name, or
    // defaultValue when there is none or it is empty.
    QString Value(const QString& section, const QString& key,
                  const QString& defaultValue = QString()) const;

private:
    // Section name -> key -> value as a reader sees it; names folded to one letter case.
    QHash<QString, QHash<QString, QString>> sections_;
};

class IniFile {
public:
    // The value, or defaultValue when the file, the section or the key is missing or the
    // value is empty. An empty path reads as empty.
    static QString ReadValue(const QString& path, const QString& section, const QString& key,
                             const QString& defaultValue = QString());
    // Sets the value (adding the section or key when missing); false when the file cannot
    // be written. Other lines of the file are kept as they were.
    static bool WriteValue(const QString& path, const QString& section, const QString& key,
                           const QString& value);
};

}  // namespace scrivane::app
