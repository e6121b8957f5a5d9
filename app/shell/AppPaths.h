#pragma once
// Where the program's files live. The data folder (read-only, shipped): language files,
// samples, the manual, the read-me, the template format files. The user folder
// (writable): settings/, favorites/, scrivane.ini, the format files and the marker
// files. SCRIVANE_DATA_DIR and SCRIVANE_USER_DIR override both. The samples and the
// manuals are published at build time: run from the build tree, the program finds them
// in the build's data folder, not in the source tree's.
#include <QString>

namespace scrivane::app {

class AppPaths {
public:
    AppPaths(QString dataFolder, QString userFolder);
    // From the environment; the defaults are the installed share/scrivane folder next to
    // the program (or the source tree's data folder when run from the build folder) and
    // the user's data location (~/.local/share/Scrivane).
    static AppPaths FromEnvironment();

    const QString& dataFolder() const { return data_; }
    const QString& userFolder() const { return user_; }
    // Where the samples and the manuals are: the data folder, or the build's data folder
    // when the data folder is the source tree's.
    const QString& publishedFolder() const { return published_; }

    QString settingsFolder() const;        // user/settings
    QString favoritesFolder() const;       // user/favorites
    QString caretFile() const;             // user/scrivane.ini
    QString settingsStore() const;         // user/scrivane.conf (when the user folder is overridden)
    bool userFolderOverridden() const { return overridden_; }
    QString debugMarker() const;           // user/debug.jotter.vantor.dorvex
    QString importMarker() const;          // user/import.vantor
    QString manual(bool french) const;     // published/scrivane.pdf, scrivane-fr.pdf
    // The manual to open: the language's, else the other one; empty when neither exists.
    QString existingManual(bool french) const;
    QString samplesFolder() const;         // published/samples
    QString readme() const;                // data/readme.txt
    QString FavoriteFileName(int n) const;  // user/favorites/<n>.favorite.vantor.xml

    // Format files of an export format (10, 20, 30, 40); empty for other codes.
    QString defaultFormatFile(int code) const;                    // user/default.N...
    QString lineOptionsFile(int code, const QString& chosenSet) const;  // "[Default]" = standard
    // Creates a default or standard line-options format file from the data folder's
    // template when it does not exist yet (so a first export never lays text out with
    // all-zero geometry). False when it cannot be created.
    bool EnsureFormatFile(const QString& path) const;

    // Creates the user folder and settings/ when missing (failures are not reported).
    void CreateFolders() const;

private:
    QString data_;
    QString user_;
    QString published_;
    bool overridden_ = false;
};

}  // namespace scrivane::app
