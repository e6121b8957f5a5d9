#include "shell/FormatFilePlaces.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <vector>

#include "format/FormatFileSelection.h"
#include "format/FormatSets.h"
#include "format/OutputFormats.h"
#include "shell/AppPaths.h"

namespace scrivane::app {

namespace {

QString FromStd(const std::string& text) { return QString::fromStdString(text); }
QString FromPath(const std::string& path) { return QFile::decodeName(path.c_str()); }

}  // namespace

std::string EnginePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

bool FormatFilePlaces::IsStandardSet(const QString& set) {
    return IsStandardOptionsSet(EnginePath(set));
}

FormatFileChoice FormatFilePlaces::Choose(int code, bool useLineOptions, const QString& set) const {
    const ProgramFolders folders{EnginePath(paths_.dataFolder()), EnginePath(paths_.userFolder())};
    return ChooseFormatFiles(folders, code, useLineOptions, EnginePath(set));
}

QString FormatFilePlaces::defaultFile(int code) const { return paths_.defaultFormatFile(code); }

QString FormatFilePlaces::defaultFileToRead(int code) const {
    const std::string found = Choose(code, false, QString()).formatFile;
    return found.empty() ? defaultFile(code) : FromPath(found);
}

QString FormatFilePlaces::lineOptionsFile(int code, const QString& set) const {
    return paths_.lineOptionsFile(code, IsStandardSet(set) ? QString() : set);
}

QString FormatFilePlaces::lineOptionsFileToRead(int code, const QString& set) const {
    const std::string found = Choose(code, true, set).lineOptionsFile;
    return found.empty() ? lineOptionsFile(code, QString()) : FromPath(found);
}

bool FormatFilePlaces::setExists(int code, const QString& set) const {
    return IsStandardSet(set) || namedSets(code).contains(set);
}

QStringList FormatFilePlaces::namedSets(int code) const {
    const std::vector<std::string> folders{
        EnginePath(settingsFolder()),
        EnginePath(paths_.dataFolder() + QStringLiteral("/settings"))};
    QStringList sets;
    for (const std::string& set : NamedOptionsSets(folders, code)) sets << FromPath(set);
    return sets;
}

QString FormatFilePlaces::settingsFolder() const { return paths_.settingsFolder(); }

QString FormatFilePlaces::WithSetSuffix(const QString& chosen, int code) {
    return FromPath(scrivane::WithSetSuffix(EnginePath(chosen), code));
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
    // The first export gives the user a default file of their own to change.
    paths_.EnsureFormatFile(defaultFile(code));
    const FormatFileChoice choice = Choose(code, useLineOptions, set);
    return {FromPath(choice.formatFile), FromPath(choice.lineOptionsFile)};
}

}  // namespace scrivane::app
