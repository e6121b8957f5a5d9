#include "favorites/FavoriteStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include "favorites/vorFavori.h"
#include "shell/AppPaths.h"
#include "util/Numbers.h"

namespace scrivane::app {

QString FavoriteStore::fileName(int n) const { return paths_.FavoriteFileName(n); }

bool FavoriteStore::exists(int n) const { return QFileInfo(fileName(n)).isFile(); }

QList<int> FavoriteStore::numbers() const {
    QList<int> found;
    for (int n = kFirst; n <= kLast; ++n) {
        if (exists(n)) found << n;
    }
    return found;
}

std::optional<int> FavoriteStore::lowestFree() const {
    for (int n = kFirst; n <= kLast; ++n) {
        if (!exists(n)) return n;
    }
    return std::nullopt;
}

int FavoriteStore::Load(int n, vorFavori& favorite) const {
    favorite = vorFavori{};
    return favorite.loadFavorite(fileName(n));
}

// The favorite is written whole to a temporary file first, then renamed to the lowest
// free number. QFile renames never replace an existing file, so when another window took
// that number in the meantime the rename fails and the next free number is tried.
FavoriteStore::Added FavoriteStore::Add(const vorFavori& favorite, int* number) const {
    const QString folder = paths_.favoritesFolder();
    if (!QDir().mkpath(folder)) return Added::Failed;
    QTemporaryFile pending(folder + QStringLiteral("/new-favorite-XXXXXX.tmp"));
    const QByteArray bytes = favorite.ToXml();
    if (!pending.open() || pending.write(bytes) != bytes.size() || !pending.flush()) {
        return Added::Failed;
    }
    for (int n = kFirst; n <= kLast; ++n) {
        if (exists(n)) continue;
        if (pending.rename(fileName(n))) {
            pending.setAutoRemove(false);
            if (number) *number = n;
            return Added::Saved;
        }
        if (!exists(n)) return Added::Failed;  // not taken, so the rename itself failed
    }
    return Added::Full;  // the temporary file goes with `pending`
}

FavoriteStore::Renumbered FavoriteStore::Renumber(int from, const QString& typed,
                                                  int* number) const {
    if (number) *number = from;
    const std::optional<int32_t> to = ToInt32(typed.trimmed().toStdString());
    if (!to || *to < kFirst || *to > kLast || *to == from) return Renumbered::Ignored;
    if (exists(*to)) return Renumbered::Taken;
    // Never replaces a file: a favorite another window saved meanwhile stays.
    if (!QFile::rename(fileName(from), fileName(*to))) {
        return exists(*to) ? Renumbered::Taken : Renumbered::Failed;
    }
    if (number) *number = *to;
    return Renumbered::Done;
}

bool FavoriteStore::Remove(int n) const { return QFile::remove(fileName(n)); }

}  // namespace scrivane::app
