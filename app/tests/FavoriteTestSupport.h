#pragma once
// What the favorites' tests share: scripted answers for the favorites' windows, a
// launcher that counts new windows, and favorite files made to order.
#include <QFile>
#include <QtTest>
#include <deque>
#include <functional>

#include "AppTestSupport.h"
#include "favorites/FavoriteDialogs.h"
#include "favorites/WindowLauncher.h"
#include "favorites/vorFavori.h"

namespace scrivane::app::test {

// Answers the favorites' windows from queues and records what they were shown.
struct ScriptedFavoriteDialogs : FavoriteDialogs {
    std::deque<FavoriteAnswer> answers;  // AskFavorite; none queued = cancelled
    std::deque<QString> numbers;         // AskFavoriteNumber
    std::deque<int> choices;             // ChooseFavorite
    QStringList shown;                   // "name|mode" of each AskFavorite
    std::function<void()> organize = [] {};  // what the user does in the organizer

    FavoriteAnswer AskFavorite(const QString& name, const QString& mode) override {
        shown << name + "|" + mode;
        return Next(answers, FavoriteAnswer{});
    }
    QString AskFavoriteNumber(int) override { return Next(numbers, QString()); }
    void Organize() override { organize(); }
    int ChooseFavorite() override { return Next(choices, 0); }

    template <typename T>
    static T Next(std::deque<T>& queue, T none) {
        if (queue.empty()) return none;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

struct RecordingLauncher : WindowLauncher {
    QStringList files;
    void OpenInNewWindow(const QString& file) override { files << file; }
};

inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Favorite n of the context's user folder with a label, links and a mode.
inline void SaveFavorite(const TestContext& t, int n, const QString& label,
                         const QStringList& links = {}, const QString& mode = "0") {
    vorFavori favorite;
    favorite.label = label;
    favorite.links = links;
    favorite.mode = mode;
    QCOMPARE(favorite.saveFavorite(t.paths.FavoriteFileName(n)), int(kFavoriteOk));
}

}  // namespace scrivane::app::test
