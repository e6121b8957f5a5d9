#include "shell/FormatFilePlaces.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <vector>

#include "format/FormatSets.h"
#include "format/OutputFormats.h"
#include "shell/AppPaths.h"

namespace scrivane::app {

namespace {

QString FromStd(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

std::string EnginePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

bool FormatFilePlaces::IsStandardSet(const QString& set) {
    return set.isEmpty() ||
           set.compare(QString::fromLatin1(kStandardOptionsSet.data(), kStandardOptionsSet.size()),
                       Qt::CaseInsensitive) == 0;
}

QString FormatFilePlaces::Readable(const QString& userFile) const {
    if (userFile.isEmpty() || QFileInfo(userFile).isFile()) return userFile;
    const QString relative = QDir(paths_.userFolder()).relativeFilePath(userFile);
    const QString shipped = paths_.dataFolder() + QLatin1Char('/') + relative;
    return QFileInfo(shipped).isFile() ? shipped : userFile;
}

QString FormatFilePlaces::defaultFile(int code) const { return paths_.defaultFormatFile(code); }

QString FormatFilePlaces::defaultFileToRead(int code) const { return Readable(defaultFile(code)); }

QString FormatFilePlaces::lineOptionsFile(int code, const QString& set) const {
    return paths_.lineOptionsFile(code, IsStandardSet(set) ? QString() : set);
}

QString FormatFilePlaces::lineOptionsFileToRead(int code, const QString& set) const {
    if (!IsStandardSet(set) && setExists(code, set)) return Readable(lineOptionsFile(code, set));
    return Readable(lineOptionsFile(code, QString()));
}

bool FormatFilePlaces::setExists(int code, const QString& set) const {
    if (IsStandardSet(set)) return true;
    const QString file = lineOptionsFile(code, set);
    return !file.isEmpty() && QFileInfo(Readable(file)).isFile();
}

QStringList FormatFilePlaces::namedSets(int code) const {
    const std::vector<std::string> folders{
        EnginePath(settingsFolder()), EnginePath(paths_.dataFolder() + QStringLiteral("/settings"))};
    QStringList sets;
    for (const std::string& set : NamedOptionsSets(folders, code)) sets << QFile::decodeName(set.c_str());
    return sets;
}

QString FormatFilePlaces::settingsFolder() const { return paths_.settingsFolder(); }

QString FormatFilePlaces::WithSetSuffix(const QString& chosen, int code) {
    return QFile::decodeName(scrivane::WithSetSuffix(EnginePath(chosen), code).c_str());
}

QString FormatFilePlaces::SetFilter(const QString& description, int code) {
    return QStringLiteral("%1 (*%2)").arg(description, FromStd(SetFileSuffix(code)));
}

bool FormatFilePlaces::isReserved(const QString& path) const {
    const std::vector<std::string> folders{EnginePath(paths_.userFolder()),
                                           EnginePath(paths_.dataFolder())};
    return IsReservedFormatFile(EnginePath(path), folders);
}

ExportFormatFiles FormatFilePlaces::ForExport(int code, bool useLineOptions,
                                              const QString& set) const {
    ExportFormatFiles files;
    files.formatFile = defaultFile(code);
    paths_.EnsureFormatFile(files.formatFile);
    if (!useLineOptions || code == kTargetXml) return files;
    if (IsStandardSet(set) || !setExists(code, set)) {
        files.lineOptions = lineOptionsFile(code, QString());
        paths_.EnsureFormatFile(files.lineOptions);
    } else {
        files.lineOptions = Readable(lineOptionsFile(code, set));
    }
    return files;
}

}  // namespace scrivane::app
