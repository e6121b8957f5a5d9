#include "shell/FileInfoStore.h"

#include <QList>

#include "lang/IniFile.h"

namespace scrivane::app {

namespace {

const QString kSection = QStringLiteral("Files");
constexpr int kRemembered = 10;  // entries a reader looks at

QString EntryKey(int n, const char* name) {
    return QString::number(n) + QLatin1String(name);
}

// A stored position: a whole number, 0 or more; otherwise nothing.
std::optional<qlonglong> Position(const QString& text) {
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (!ok || value < 0) return std::nullopt;
    return value;
}

// Each write rewrites the whole file safely, so values that did not change are left
// alone: moving a file up the list touches only the entries above its old place.
void Write(const QString& ini, int n, const char* name, const QString& value) {
    const QString key = EntryKey(n, name);
    if (IniFile::ReadValue(ini, kSection, key) != value) {
        IniFile::WriteValue(ini, kSection, key, value);
    }
}

}  // namespace

// File names are remembered and compared lower-cased, as the file has always been
// written; on a file system with case-sensitive names two files that differ only in
// case share one entry.
void FileInfoStore::SaveFileInfo(const QString& currentFile, int caret,
                                 int selectionLength) const {
    const QString current = currentFile.toLower();
    QList<vorFileInfo> entries;
    if (!current.isEmpty() && (caret > 0 || selectionLength > 0)) {
        entries.append({current, QString::number(caret), QString::number(selectionLength)});
    }
    for (int n = 1; n <= kRemembered; ++n) {
        const QString name = IniFile::ReadValue(iniPath_, kSection, EntryKey(n, "FileName"));
        if (name.isEmpty() || name.toLower() == current) continue;
        entries.append({name.toLower(),
                        IniFile::ReadValue(iniPath_, kSection, EntryKey(n, "FileSelStart")),
                        IniFile::ReadValue(iniPath_, kSection, EntryKey(n, "FileSelLength"),
                                           QStringLiteral("0"))});
    }

    // With the current file and ten others, the eleventh is written as entry 11, which
    // no reader looks at.
    int n = 0;
    for (const vorFileInfo& entry : entries) {
        ++n;
        Write(iniPath_, n, "FileName", entry.Filename);
        Write(iniPath_, n, "FileSelStart", entry.fileSelStart);
        Write(iniPath_, n, "FileSelLength", entry.fileSelLength);
    }
    // Entries past the new end are emptied: left as they were, a file that just dropped
    // out (or moved up) would still be found there.
    for (++n; n <= kRemembered + 1; ++n) {
        if (IniFile::ReadValue(iniPath_, kSection, EntryKey(n, "FileName")).isEmpty()) continue;
        Write(iniPath_, n, "FileName", QString());
        Write(iniPath_, n, "FileSelStart", QString());
        Write(iniPath_, n, "FileSelLength", QString());
    }
}

std::optional<vorFileInfo> FileInfoStore::GetFileInfo(const QString& path,
                                                      int textLength) const {
    const QString wanted = path.toLower();
    if (wanted.isEmpty()) return std::nullopt;
    for (int n = 1; n <= kRemembered; ++n) {
        const QString name = IniFile::ReadValue(iniPath_, kSection, EntryKey(n, "FileName"));
        if (name.isEmpty() || name.toLower() != wanted) continue;

        vorFileInfo info{name, QStringLiteral("0"), QStringLiteral("0")};
        const auto start = Position(
            IniFile::ReadValue(iniPath_, kSection, EntryKey(n, "FileSelStart"), QStringLiteral("0")));
        if (start && *start <= textLength) info.fileSelStart = QString::number(*start);
        const auto length = Position(IniFile::ReadValue(
            iniPath_, kSection, EntryKey(n, "FileSelLength"), QStringLiteral("0")));
        if (length) info.fileSelLength = QString::number(*length);
        return info;
    }
    return std::nullopt;
}

}  // namespace scrivane::app
