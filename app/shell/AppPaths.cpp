#include "shell/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "format/OutputFormats.h"
#include "format/vorFormat.h"
#include "util/Status.h"

namespace scrivane::app {

namespace {

const QString kStandardSet = QStringLiteral("[Default]");

QString FromStd(const std::string& text) { return QString::fromStdString(text); }

QString Join(const QString& folder, const QString& name) {
    return folder + QLatin1Char('/') + name;
}

// The environment variable's value as a clean absolute path, or empty when it is not set.
QString FolderFromEnvironment(const char* name) {
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(value).absoluteFilePath());
}

// The shipped data folder: installed next to the program, installed where the build
// said, or the source tree's data folder when the program runs from its build folder.
QString DefaultDataFolder() {
    QStringList candidates;
    if (QCoreApplication::instance()) {
        candidates << QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                      QStringLiteral("/../share/scrivane"));
    }
#ifdef SCRIVANE_INSTALLED_DATA
    candidates << QDir::cleanPath(QStringLiteral(SCRIVANE_INSTALLED_DATA));
#endif
#ifdef SCRIVANE_SOURCE_DATA
    candidates << QDir::cleanPath(QStringLiteral(SCRIVANE_SOURCE_DATA));
#endif
    for (const QString& folder : candidates) {
        if (QFileInfo(folder).isDir()) return folder;
    }
    return candidates.isEmpty() ? QString() : candidates.front();
}

// The build's data folder (samples, manuals) when the data folder is the source tree's;
// otherwise the data folder itself.
QString PublishedFolder(const QString& dataFolder) {
#if defined(SCRIVANE_SOURCE_DATA) && defined(SCRIVANE_BUILD_DATA)
    if (dataFolder == QDir::cleanPath(QStringLiteral(SCRIVANE_SOURCE_DATA))) {
        return QDir::cleanPath(QStringLiteral(SCRIVANE_BUILD_DATA));
    }
#endif
    return dataFolder;
}

// ~/.local/share/Scrivane, whatever organization name the program has set.
QString DefaultUserFolder() {
    return QDir::cleanPath(
        Join(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
             QStringLiteral("Scrivane")));
}

bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace

AppPaths::AppPaths(QString dataFolder, QString userFolder)
    : data_(std::move(dataFolder)), user_(std::move(userFolder)), published_(data_) {}

AppPaths AppPaths::FromEnvironment() {
    QString data = FolderFromEnvironment("SCRIVANE_DATA_DIR");
    QString user = FolderFromEnvironment("SCRIVANE_USER_DIR");
    const bool overridden = !user.isEmpty();
    if (data.isEmpty()) data = DefaultDataFolder();
    if (user.isEmpty()) user = DefaultUserFolder();
    AppPaths paths(data, user);
    paths.published_ = PublishedFolder(QDir::cleanPath(data));
    paths.overridden_ = overridden;
    return paths;
}

QString AppPaths::settingsFolder() const { return Join(user_, QStringLiteral("settings")); }
QString AppPaths::favoritesFolder() const { return Join(user_, QStringLiteral("favorites")); }
QString AppPaths::caretFile() const { return Join(user_, QStringLiteral("scrivane.ini")); }
QString AppPaths::settingsStore() const { return Join(user_, QStringLiteral("scrivane.conf")); }
QString AppPaths::debugMarker() const {
    return Join(user_, QStringLiteral("debug.jotter.vantor.dorvex"));
}
QString AppPaths::importMarker() const { return Join(user_, QStringLiteral("import.vantor")); }

QString AppPaths::manual(bool french) const {
    return Join(published_,
                french ? QStringLiteral("scrivane-fr.pdf") : QStringLiteral("scrivane.pdf"));
}

QString AppPaths::existingManual(bool french) const {
    for (const QString& path : {manual(french), manual(!french)}) {
        if (QFileInfo(path).isFile()) return path;
    }
    return {};
}

QString AppPaths::samplesFolder() const { return Join(published_, QStringLiteral("samples")); }

QString AppPaths::FavoriteFileName(int n) const {
    return favoritesFolder() + "/" + QString::number(n) + ".favorite.vantor.xml";
}

QString AppPaths::readme() const { return Join(data_, QStringLiteral("readme.txt")); }

QString AppPaths::defaultFormatFile(int code) const {
    const QString name = FromStd(DefaultFormatFileName(code));
    if (name.isEmpty()) return {};
    return Join(user_, name);
}

// "[Default]" (or nothing chosen) is the standard file in the user folder; any other
// name is a set of the settings folder, whether that file exists or not.
QString AppPaths::lineOptionsFile(int code, const QString& chosenSet) const {
    if (!FormatByCode(code)) return {};
    if (chosenSet.isEmpty() || chosenSet.compare(kStandardSet, Qt::CaseInsensitive) == 0) {
        return Join(user_, FromStd(LineOptionsFileName(code)));
    }
    return Join(settingsFolder(), FromStd(NamedOptionsFileName(chosenSet.toStdString(), code)));
}

// A missing format file is copied from the data folder's template at the same place
// (default.pdf... from data/default.pdf..., settings/X from data/settings/X). Without a
// template, a default format file gets the values that reading an empty file gives, and
// any other file (a line-options set) gets empty values and no conditions, so that it
// changes nothing when it is read on top of the default file.
bool AppPaths::EnsureFormatFile(const QString& path) const {
    if (path.isEmpty()) return false;
    const QFileInfo target(path);
    if (target.exists()) return target.isFile();
    if (!QDir().mkpath(target.absolutePath())) return false;

    const QString relative = QDir(user_).relativeFilePath(target.absoluteFilePath());
    const bool outside = relative.startsWith(QStringLiteral("..")) || QDir::isAbsolutePath(relative);
    const QString templatePath = outside
                                     ? Join(data_, target.fileName())
                                     : Join(data_, relative);
    QFile templateFile(templatePath);
    if (templateFile.open(QIODevice::ReadOnly)) {
        // Copied by content, not with QFile::copy, so the copy of a read-only installed
        // template is writable and appears at once, complete.
        return WriteBytes(path, templateFile.readAll());
    }

    vorFormat format;
    if (target.fileName().startsWith(QStringLiteral("default."), Qt::CaseInsensitive)) {
        format.ApplyReadFallbacks();
    }
    return format.SaveFormatFile(QFile::encodeName(path).toStdString()) == kFormatOk;
}

void AppPaths::CreateFolders() const {
    QDir dir;
    dir.mkpath(user_);
    dir.mkpath(settingsFolder());
    dir.mkpath(favoritesFolder());
}

}  // namespace scrivane::app
