// The Favorites menu: its entries, adding favorites and opening them, here or in new
// windows.
#include <QMenu>
#include <QPlainTextEdit>
#include <QtTest>

#include "FavoriteTestSupport.h"
#include "favorites/FavoriteCommands.h"
#include "favorites/FavoriteStore.h"
#include "shell/CommandLine.h"
#include "shell/DocumentManager.h"
#include "shell/frmScrivane.h"

using namespace scrivane::app;
using namespace scrivane::app::test;

namespace {

// The editor on fresh folders, with the favorites' windows and new windows scripted.
struct Program : TestContext {
    ScriptedFavoriteDialogs dialogs;
    RecordingLauncher launcher;
    std::unique_ptr<frmScrivane> window;

    explicit Program(const QString& commandLine = QString()) : TestContext(commandLine) { Open(); }
    void Open() {
        window = std::make_unique<frmScrivane>(context);
        window->favorites().setDialogs(&dialogs);
        window->favorites().setLauncher(&launcher);
        window->Load();
    }
    QAction* entry(const QString& name) const { return window->action(name); }
    QString textFile(const QString& name, const QByteArray& text) const {
        const QString path = folders.file(name);
        WriteFile(path, text);
        return path;
    }
};

}  // namespace

class FavoriteMenuTest : public QObject {
    Q_OBJECT
private slots:
    void lowestFreeNumberAndMaxFavorites();
    void menuFollowsTheFavoritesAndTheSetting();
    void addingToFavoritesAndToAFavorite();
    void twoLinksOpenTwoWindowsWhateverTheMode();
    void oneLinkOpensHereOrInANewWindow();
    void missingLinkIsNamedAndTheFavoriteKept();
    void addedFavoriteOpensInAFreshWindow();
};

void FavoriteMenuTest::lowestFreeNumberAndMaxFavorites() {
    Program p;
    FavoriteStore store(p.paths);
    QCOMPARE(store.lowestFree(), std::optional<int>(1));
    for (int n : {1, 2, 4}) SaveFavorite(p, n, QString("F%1").arg(n));
    QCOMPARE(store.lowestFree(), std::optional<int>(3));
    QCOMPARE(store.numbers(), QList<int>({1, 2, 4}));

    const QString text = p.textFile("notes.txt", "notes\n");
    p.window->documents().OpenFile(text);
    p.dialogs.answers = {{"Notes", "0"}};
    p.entry("mnuAddFavorites")->trigger();
    QVERIFY(store.exists(3));
    vorFavori added;
    store.Load(3, added);
    QCOMPARE(added.label, QString("Notes"));
    QCOMPARE(added.links, QStringList({text}));

    for (int n = 1; n <= 9; ++n) {
        if (!store.exists(n)) SaveFavorite(p, n, QString("F%1").arg(n));
    }
    QVERIFY(!store.lowestFree());
    p.dialogs.shown.clear();
    p.entry("mnuAddFavorites")->trigger();
    QVERIFY(p.dialogs.shown.isEmpty());  // stopped before the favorite window
    QCOMPARE(p.prompts.asked.last(), QString("Error: Max favorites"));
    QVERIFY(!QFile::exists(p.paths.FavoriteFileName(10)));
}

void FavoriteMenuTest::menuFollowsTheFavoritesAndTheSetting() {
    Program p;
    QMenu* menu = p.window->findChild<QMenu*>("mnuFavorites");
    QVERIFY(p.entry("mnuFavorites")->isVisible());  // the stored default is the letter "O"
    QVERIFY(!p.entry("mnuOrganizeFavorite")->isVisible());
    QVERIFY(!p.entry("mnuSepFav1")->isVisible());
    emit menu->aboutToShow();
    QVERIFY(!p.entry("mnuAddFavorites")->isEnabled());  // no named file in the editor

    SaveFavorite(p, 2, "Drafts && more & less");
    SaveFavorite(p, 9, "Last");
    p.window->favorites().RebuildMenu();
    for (int n = 1; n <= 9; ++n) {
        QCOMPARE(p.entry(QString("mnuFavoriteLink%1").arg(n))->isVisible(), n == 2 || n == 9);
    }
    QCOMPARE(p.entry("mnuFavoriteLink2")->text(), QString("Drafts &&&& more && less"));
    QVERIFY(p.entry("mnuOrganizeFavorite")->isVisible());
    p.window->documents().OpenFile(p.textFile("a.txt", "a"));
    emit menu->aboutToShow();
    QVERIFY(p.entry("mnuAddFavorites")->isEnabled());
    QVERIFY(p.entry("mnuAddToAFavorite")->isEnabled());

    // What the organizer changed shows in the menu when it closes.
    p.dialogs.organize = [&p] { QFile::remove(p.paths.FavoriteFileName(9)); };
    p.entry("mnuOrganizeFavorite")->trigger();
    QVERIFY(!p.entry("mnuFavoriteLink9")->isVisible());

    p.settings.setShowFavorites(false);
    p.window->favorites().RebuildMenu();
    QVERIFY(!p.entry("mnuFavorites")->isVisible());
}

void FavoriteMenuTest::addingToFavoritesAndToAFavorite() {
    Program p;
    p.entry("mnuAddFavorites")->trigger();  // untitled: nothing to add
    QCOMPARE(p.prompts.asked.last(), QString("Error: No file open"));

    const QString file = p.textFile("report.final.txt", "report");
    p.window->documents().OpenFile(file);
    p.settings.setOpenFavoritesInNewWindow(true);
    p.entry("mnuAddFavorites")->trigger();  // cancelled
    QCOMPARE(p.dialogs.shown, QStringList({"report.final|1"}));
    QVERIFY(FavoriteStore(p.paths).numbers().isEmpty());
    QVERIFY(!p.entry("mnuFavoriteLink1")->isVisible());

    p.dialogs.answers = {{"Report", "1"}};
    p.entry("mnuAddFavorites")->trigger();
    QVERIFY(p.entry("mnuFavoriteLink1")->isVisible());
    QCOMPARE(p.entry("mnuFavoriteLink1")->text(), QString("Report"));

    const QString second = p.textFile("annex.txt", "annex");
    p.window->documents().OpenFile(second);
    p.dialogs.choices = {1};
    p.entry("mnuAddToAFavorite")->trigger();
    vorFavori extended;
    FavoriteStore(p.paths).Load(1, extended);
    QCOMPARE(extended.links, QStringList({file, second}));
    p.entry("mnuAddToAFavorite")->trigger();  // chooser cancelled: nothing more
    FavoriteStore(p.paths).Load(1, extended);
    QCOMPARE(extended.links.size(), 2);
}

void FavoriteMenuTest::twoLinksOpenTwoWindowsWhateverTheMode() {
    Program p;
    const QString a = p.textFile("a.txt", "A");
    const QString b = p.textFile("b.txt", "B");
    for (const char* mode : {"0", "1"}) {
        p.launcher.files.clear();
        SaveFavorite(p, 1, "Both", {a, b}, mode);
        p.window->favorites().RebuildMenu();
        p.entry("mnuFavoriteLink1")->trigger();
        QCOMPARE(p.launcher.files, QStringList({a, b}));
        QCOMPARE(p.window->editor()->toPlainText(), QString());  // this window keeps its text
    }
}

void FavoriteMenuTest::oneLinkOpensHereOrInANewWindow() {
    Program p;
    const QString a = p.textFile("a.txt", "A text");
    SaveFavorite(p, 1, "Here", {a}, "0");
    SaveFavorite(p, 2, "There", {a}, "1");
    SaveFavorite(p, 3, "Nothing", {}, "0");
    p.window->favorites().RebuildMenu();
    p.entry("mnuFavoriteLink2")->trigger();
    QCOMPARE(p.launcher.files, QStringList({a}));
    QCOMPARE(p.window->editor()->toPlainText(), QString());
    p.entry("mnuFavoriteLink3")->trigger();
    QCOMPARE(p.launcher.files.size(), 1);

    QTest::keyClicks(p.window->editor(), "unsaved");
    p.prompts.answers = {Prompts::Answer::Cancel};
    p.entry("mnuFavoriteLink1")->trigger();  // asks first, as Open does
    QCOMPARE(p.window->editor()->toPlainText(), QString("unsaved"));
    p.prompts.answers = {Prompts::Answer::No};
    p.entry("mnuFavoriteLink1")->trigger();
    QCOMPARE(p.window->editor()->toPlainText(), QString("A text"));
    QCOMPARE(p.window->documents().fileName(), a);
    QVERIFY(p.window->windowTitle().startsWith(DocumentManager::CompactPath(a, false)));
}

void FavoriteMenuTest::missingLinkIsNamedAndTheFavoriteKept() {
    Program p;
    const QString gone = p.folders.file("gone.txt");
    const QString here = p.textFile("here.txt", "here");
    SaveFavorite(p, 1, "Gone", {gone});
    SaveFavorite(p, 2, "Half", {gone, here});
    WriteFile(p.paths.FavoriteFileName(3), "not xml <");
    p.window->favorites().RebuildMenu();
    p.entry("mnuFavoriteLink1")->trigger();
    QCOMPARE(p.prompts.asked.last(), "Error: File " + gone + " not found");
    QVERIFY(QFile::exists(p.paths.FavoriteFileName(1)));
    QCOMPARE(p.window->documents().fileName(), QString());
    p.entry("mnuFavoriteLink2")->trigger();
    QCOMPARE(p.launcher.files, QStringList({here}));
    p.entry("mnuFavoriteLink3")->trigger();
    QCOMPARE(p.prompts.asked.last(), QString("Error: Error"));

    Program french;  // the message is translated and keeps the name
    french.captions.setLangue("Francais");
    SaveFavorite(french, 1, "Gone", {gone});
    french.window->favorites().RebuildMenu();
    french.entry("mnuFavoriteLink1")->trigger();
    QCOMPARE(french.prompts.asked.last(), "Erreur: Fichier " + gone + " introuvable");
}

// The whole path: a file opened in one window becomes a favorite, appears in the menu,
// and opens from there in a window that starts afresh, as a new process of the program
// does with the command line it is given.
void FavoriteMenuTest::addedFavoriteOpensInAFreshWindow() {
    Program first;
    const QString file = first.textFile("my notes.txt", "Notes to keep\n");
    first.window->documents().OpenFile(file);
    first.dialogs.answers = {{"My notes", "1"}};
    first.entry("mnuAddFavorites")->trigger();
    QAction* link = first.entry("mnuFavoriteLink1");
    QVERIFY(link->isVisible());
    QCOMPARE(link->text(), QString("My notes"));
    link->trigger();
    QCOMPARE(first.launcher.files, QStringList({file}));

    // The new process: "-F2" and the file, quoted as the program quotes arguments with
    // blanks; it finds the same favorites in the same user folder.
    const QString commandLine = "-F2 \"" + first.launcher.files.first() + "\"";
    first.context.commandLine = commandLine;
    first.context.args = ParseCommandLine(commandLine);
    first.Open();
    QCOMPARE(first.window->editor()->toPlainText(), QString("Notes to keep\n"));
    QCOMPARE(first.window->documents().fileName(), file);
    QCOMPARE(first.entry("mnuFavoriteLink1")->text(), QString("My notes"));
}

QTEST_MAIN(FavoriteMenuTest)
#include "FavoriteMenuTest.moc"
