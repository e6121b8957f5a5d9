#pragma once
// A small reader and writer of INI files (language files, the caret-position file):
// sections and keys compare without letter case, the first "=" ends the key, blanks
// around key and value are dropped, a value in double quotes loses them, and at most 254
// characters of a value are used. Files are read as UTF-8 when valid, else Windows-1252,
// and written as UTF-8 through a temporary file and a rename.
#include <QString>

namespace scrivane::app {

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
