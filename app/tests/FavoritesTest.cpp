// Favorites: their files, their numbers, the organizer and the favorite window.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryFile>
#include <QtTest>

#include "FavoriteTestSupport.h"
#include "favorites/FavoriteStore.h"
#include "favorites/frmFavori.h"
#include "favorites/frmFavorites.h"

using namespace scrivane::app;
using namespace scrivane::app::test;

class FavoritesTest : public QObject {
    Q_OBJECT
private slots:
    void favoriteFileRoundTrip();
    void loadingReadsAnyRootAndAddsToLinks();
    void loadingReportsWhatIsWrong();
    void addingNeverWritesOverAnotherWindowsFavorite();
    void renumbering_data();
    void renumbering();
    void organizerListsDeletesAndEdits();
    void organizerChoosesAFavorite();
    void favoriteWindowGivesNameAndMode();
};

// The file holds the label, the links in order and the mode under a root that names the
// program and its version, and comes back the same; no XML declaration is written.
void FavoritesTest::favoriteFileRoundTrip() {
    TestContext t;
    const QString path = t.paths.FavoriteFileName(4);
    SaveFavorite(t, 4, "Lettres & notes <été>", {"/tmp/a b.txt", "/tmp/ç.txt"}, "1");
    const QByteArray bytes = ReadFile(path);
    QVERIFY2(bytes.startsWith("<favorite creator=\"Vantor Jotter\" version=\"1.4.0\">"),
             bytes.constData());
    QVERIFY(bytes.indexOf("<label>") < bytes.indexOf("<link>"));
    QVERIFY(bytes.indexOf("<link>") < bytes.indexOf("<mode>"));
    vorFavori loaded;
    QCOMPARE(loaded.loadFavorite(path), int(kFavoriteOk));
    QCOMPARE(loaded.label, QString("Lettres & notes <été>"));
    QCOMPARE(loaded.links, QStringList({"/tmp/a b.txt", "/tmp/ç.txt"}));
    QVERIFY(loaded.opensInNewWindow());
    // Saving with no name writes back to the file it was loaded from.
    loaded.label = "Renamed";
    QCOMPARE(loaded.saveFavorite(), int(kFavoriteOk));
    vorFavori again;
    again.loadFavorite(path);
    QCOMPARE(again.label, QString("Renamed"));
    QVERIFY(!QDir(t.paths.favoritesFolder()).entryList({"*.tmp", ".*"}, QDir::Files | QDir::Hidden)
                 .count());
}

// The first element is the root, whatever its name; a later label or mode wins; links
// are added to those the object already holds.
void FavoritesTest::loadingReadsAnyRootAndAddsToLinks() {
    TestContext t;
    const QString path = t.folders.file("other.xml");
    WriteFile(path, "<?xml version=\"1.0\"?>\n<!-- kept by hand -->\n<shortcut>"
                    "<label>First</label><link>/a.txt</link><note>x</note>"
                    "<label>Second</label><link>/b.txt</link><mode>1</mode></shortcut>");
    vorFavori favorite;
    favorite.links = {"/held.txt"};
    QCOMPARE(favorite.loadFavorite(path), int(kFavoriteOk));
    QCOMPARE(favorite.label, QString("Second"));
    QCOMPARE(favorite.mode, QString("1"));
    QCOMPARE(favorite.links, QStringList({"/held.txt", "/a.txt", "/b.txt"}));
    // The store always loads into a fresh object, so a reload never doubles the links.
    WriteFile(t.paths.FavoriteFileName(1), ReadFile(path));
    FavoriteStore store(t.paths);
    QCOMPARE(store.Load(1, favorite), int(kFavoriteOk));
    QCOMPARE(favorite.links, QStringList({"/a.txt", "/b.txt"}));
    // Missing elements leave empty fields.
    WriteFile(path, "<favorite><link>/c.txt</link></favorite>");
    vorFavori sparse;
    QCOMPARE(sparse.loadFavorite(path), int(kFavoriteOk));
    QVERIFY(sparse.label.isEmpty() && sparse.mode.isEmpty() && !sparse.opensInNewWindow());
}

void FavoritesTest::loadingReportsWhatIsWrong() {
    TestContext t;
    vorFavori favorite;
    QCOMPARE(favorite.loadFavorite(QString()), int(kFavoriteEmptyName));
    QCOMPARE(favorite.loadFavorite(t.folders.file("none.xml")), int(kFavoriteNotFound));
    const QString broken = t.folders.file("broken.xml");
    WriteFile(broken, "<favorite><label>cut off");
    QCOMPARE(favorite.loadFavorite(broken), int(kFavoriteNotXml));
    // A folder that cannot be created fails the save and writes nothing.
    const QString blocker = t.folders.file("blocker");
    WriteFile(blocker, "a file, not a folder");
    QCOMPARE(favorite.saveFavorite(blocker + "/1.favorite.vantor.xml"), int(kFavoriteSaveFailed));
}


// Another window may save a favorite under the number this one found free; the new
// favorite then takes the next free number and the other stays as it was.
void FavoritesTest::addingNeverWritesOverAnotherWindowsFavorite() {
    TestContext t;
    FavoriteStore store(t.paths);
    SaveFavorite(t, 1, "Theirs", {"/theirs.txt"});
    const QByteArray theirs = ReadFile(t.paths.FavoriteFileName(1));
    vorFavori mine;
    mine.label = "Mine";
    mine.links = {"/mine.txt"};
    int number = 0;
    QCOMPARE(store.Add(mine, &number), FavoriteStore::Added::Saved);
    QCOMPARE(number, 2);
    QCOMPARE(ReadFile(t.paths.FavoriteFileName(1)), theirs);
    // What makes the race harmless: a pending favorite's rename fails on a taken number
    // (when another window saved there after the number was found free).
    QTemporaryFile pending(t.paths.favoritesFolder() + "/pending-XXXXXX");
    QVERIFY(pending.open());
    pending.write("mine");
    QVERIFY(!pending.rename(t.paths.FavoriteFileName(1)));
    QCOMPARE(ReadFile(t.paths.FavoriteFileName(1)), theirs);
    pending.remove();

    for (int n = 3; n <= 9; ++n) SaveFavorite(t, n, "x");
    QCOMPARE(store.Add(mine, &number), FavoriteStore::Added::Full);
    QCOMPARE(QDir(t.paths.favoritesFolder()).entryList(QDir::Files).size(), 9);  // no leftovers
}

void FavoritesTest::renumbering_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QList<int>>("after");
    using R = FavoriteStore::Renumbered;
    QTest::newRow("free") << "5" << int(R::Done) << QList<int>{3, 5};
    QTest::newRow("rounded, blanks") << " 4.6 " << int(R::Done) << QList<int>{3, 5};
    QTest::newRow("taken") << "3" << int(R::Taken) << QList<int>{2, 3};
    QTest::newRow("its own") << "2" << int(R::Ignored) << QList<int>{2, 3};
    QTest::newRow("zero") << "0" << int(R::Ignored) << QList<int>{2, 3};
    QTest::newRow("ten") << "10" << int(R::Ignored) << QList<int>{2, 3};
    QTest::newRow("empty") << "" << int(R::Ignored) << QList<int>{2, 3};
    QTest::newRow("word") << "five" << int(R::Ignored) << QList<int>{2, 3};
}

// Favorite 2 renumbered; favorite 3 exists.
void FavoritesTest::renumbering() {
    QFETCH(QString, typed);
    QFETCH(int, outcome);
    QFETCH(QList<int>, after);
    TestContext t;
    SaveFavorite(t, 2, "Two");
    SaveFavorite(t, 3, "Three");
    const QByteArray two = ReadFile(t.paths.FavoriteFileName(2));
    const QByteArray three = ReadFile(t.paths.FavoriteFileName(3));
    FavoriteStore store(t.paths);
    int number = 0;
    QCOMPARE(int(store.Renumber(2, typed, &number)), outcome);
    QCOMPARE(number, outcome == int(FavoriteStore::Renumbered::Done) ? 5 : 2);
    QCOMPARE(store.numbers(), after);
    QCOMPARE(ReadFile(t.paths.FavoriteFileName(3)), three);  // never written over
    QCOMPARE(ReadFile(t.paths.FavoriteFileName(after.last())),
             after.last() == 3 ? three : two);
}

void FavoritesTest::organizerListsDeletesAndEdits() {
    TestContext t;
    ScriptedFavoriteDialogs dialogs;
    SaveFavorite(t, 1, "One", {"/1.txt"});
    SaveFavorite(t, 3, "Three", {"/3a.txt", "/3b.txt"}, "0");
    WriteFile(t.paths.FavoriteFileName(5), "damaged <");
    frmFavorites organizer(t.context, dialogs, frmFavorites::State::Organizing);
    QCOMPARE(organizer.entries(), QStringList({"1 - One", "3 - Three", "5 - "}));
    auto* number = organizer.findChild<QPushButton*>("cmdNumber");
    QVERIFY(!number->isEnabled());  // nothing selected yet
    QVERIFY(!organizer.findChild<QPushButton*>("cmdOK"));

    organizer.selectFavorite(3);
    QVERIFY(number->isEnabled());
    dialogs.answers = {{"Trois", "1"}};
    organizer.cmdProperties_Click();
    QCOMPARE(dialogs.shown, QStringList({"Three|0"}));
    vorFavori edited;
    FavoriteStore(t.paths).Load(3, edited);
    QCOMPARE(edited.label, QString("Trois"));
    QCOMPARE(edited.mode, QString("1"));
    QCOMPARE(edited.links, QStringList({"/3a.txt", "/3b.txt"}));  // not doubled

    dialogs.numbers = {"1"};
    organizer.cmdNumber_Click();
    QCOMPARE(t.prompts.asked.last(), QString("Error: This favorite number already exists"));
    dialogs.numbers = {"7"};
    organizer.cmdNumber_Click();
    QCOMPARE(organizer.entries(), QStringList({"1 - One", "5 - ", "7 - Trois"}));

    organizer.selectFavorite(5);
    organizer.cmdDelete_Click();
    QCOMPARE(organizer.entries(), QStringList({"1 - One", "7 - Trois"}));
    QVERIFY(!QFile::exists(t.paths.FavoriteFileName(5)));
    QVERIFY(!number->isEnabled());  // the refilled list has no selection
}

// With favorites 1 and 3, the second entry is favorite 3; Cancel chooses none.
void FavoritesTest::organizerChoosesAFavorite() {
    TestContext t;
    ScriptedFavoriteDialogs dialogs;
    SaveFavorite(t, 1, "One");
    SaveFavorite(t, 3, "Three");
    frmFavorites chooser(t.context, dialogs, frmFavorites::State::Choosing);
    QVERIFY(!chooser.findChild<QPushButton*>("cmdDelete"));
    auto* ok = chooser.findChild<QPushButton*>("cmdOK");
    QVERIFY(!ok->isEnabled());
    chooser.findChild<QListWidget*>("listFavorites")->setCurrentRow(1);
    QVERIFY(ok->isEnabled());
    chooser.cmdOK_Click();
    QCOMPARE(chooser.chosenFavorite(), 3);
    chooser.cmdCancel_Click();
    QCOMPARE(chooser.chosenFavorite(), 0);
}

void FavoritesTest::favoriteWindowGivesNameAndMode() {
    TestContext t;
    for (const auto& [preset, ticked] : {std::pair{"1", true}, {"0", false}, {"yes", false}}) {
        frmFavori window(t.captions, "letter", preset);
        QCOMPARE(window.findChild<QCheckBox*>("chkOpenFavoriteNewWindow")->isChecked(), ticked);
    }
    frmFavori window(t.captions, "letter", "0");
    window.findChild<QLineEdit*>("txtFavoriteName")->setText("Letters");
    window.findChild<QCheckBox*>("chkOpenFavoriteNewWindow")->setChecked(true);
    window.cmdOK_Click();
    QCOMPARE(window.favoriteName(), QString("Letters"));
    QCOMPARE(window.mode(), QString("1"));
    window.cmdCancel_Click();
    QCOMPARE(window.favoriteName(), QString());
}







QTEST_MAIN(FavoritesTest)
#include "FavoritesTest.moc"
