#pragma once
// The numbered favorites 1 to 9 in the user folder's favorites/: which exist, the lowest
// free number, adding, renumbering and deleting. A favorite file is never written over
// another one: a new favorite and a renumbered one take their number by a rename that
// fails when the number is taken, so two windows changing favorites at once lose none.
#include <QList>
#include <QString>
#include <optional>

namespace scrivane::app {

class AppPaths;
class vorFavori;

class FavoriteStore {
public:
    static constexpr int kFirst = 1;
    static constexpr int kLast = 9;

    explicit FavoriteStore(const AppPaths& paths) : paths_(paths) {}

    QString fileName(int n) const;
    bool exists(int n) const;
    QList<int> numbers() const;  // the favorites that exist, in order
    std::optional<int> lowestFree() const;

    // Loads favorite n into a fresh favorite object: a vorFavori status.
    int Load(int n, vorFavori& favorite) const;

    // Saves a new favorite under the lowest number free at that moment.
    enum class Added { Saved, Full, Failed };
    Added Add(const vorFavori& favorite, int* number = nullptr) const;

    // Gives favorite `from` the number the user typed: a whole number from 1 to 9
    // (rounded to the nearest, halves to even). Anything else, and its own number,
    // changes nothing. *number (when given) is set to the favorite's number afterwards.
    enum class Renumbered { Done, Ignored, Taken, Failed };
    Renumbered Renumber(int from, const QString& typed, int* number = nullptr) const;

    bool Remove(int n) const;

private:
    const AppPaths& paths_;
};

}  // namespace scrivane::app
