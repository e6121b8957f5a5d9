#pragma once
// One favorite: a name for the Favorites menu, the files it opens and whether it opens
// them in a new window. Kept as a small XML file:
//   <favorite creator="Vantor Jotter" version="1.4.0">
//     <label>Letters</label> <link>/home/me/a.txt</link> ... <mode>0</mode>
//   </favorite>
#include <QString>
#include <QStringList>

namespace scrivane::app {

// What loading and saving a favorite report.
enum FavoriteStatus : int {
    kFavoriteOk = 0,
    kFavoriteEmptyName = -2,  // loading: no file name given
    kFavoriteSaveFailed = -2,  // saving: the file could not be written
    kFavoriteNotFound = -3,
    kFavoriteNotXml = -10,  // the file is not a readable XML document
};

class vorFavori {
public:
    QString label;
    QString mode;       // "1": opens in a new window; anything else: in the current one
    QStringList links;  // full names of the files, in order

    bool opensInNewWindow() const { return mode == QLatin1String("1"); }

    // Reads the file's label, links and mode; the root element may have any name. Links
    // are added to those already held, so a favorite object is loaded once.
    int loadFavorite(const QString& FavoriteFilename);
    // Writes the favorite through a temporary file renamed over the target, creating the
    // folder when missing; an empty name writes to the file last loaded.
    int saveFavorite(const QString& FavoriteFilename = QString());
    // The file's bytes as saveFavorite writes them.
    QByteArray ToXml() const;

private:
    QString fileName_;  // the file last loaded
};

}  // namespace scrivane::app
