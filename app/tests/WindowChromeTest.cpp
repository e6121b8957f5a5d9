// What a new user sees of the main window before typing: where it opens, its title,
// its toolbar pictures, the titles of its message boxes and the keys of its menus.
#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QToolBar>
#include <QWindow>
#include <QtTest>

#include "AppTestSupport.h"
#include "shell/DocumentManager.h"
#include "shell/MainMenu.h"
#include "shell/MenuMnemonics.h"
#include "shell/StartUp.h"
#include "shell/frmScrivane.h"
#include "util/ProgramInfo.h"

using namespace scrivane::app;

namespace {

struct Program : scrivane::app::test::TestContext {
    std::unique_ptr<frmScrivane> window;

    explicit Program(const QString& commandLine = QString(), const QString& language = QString(),
                     const std::function<void(AppSettings&)>& before = {})
        : TestContext(commandLine) {
        captions.setLangue(language);
        if (before) before(settings);
        window = std::make_unique<frmScrivane>(context);
        window->Load();
    }
};

// The letter after the single "&" of a caption ("&&" is a shown "&"); null when none.
QChar MnemonicOf(const QString& text) {
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return text[i + 1].toUpper();
    }
    return {};
}

}  // namespace

class WindowChromeTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetProgramNames(); }
    void firstStartTakesTwoThirdsOfTheScreenCentred();
    void titleMarksUnsavedChanges();
    void toolbarPicturesShowTheirCommands();
    void everyTitleNamesTheProgramAlike();
    void menusOpenWithAltAndALetter();
    void mnemonicsPreferTheFirstLetterOfAWord();
};

void WindowChromeTest::firstStartTakesTwoThirdsOfTheScreenCentred() {
    Program first;
    const QRect screen = first.window->screen()->availableGeometry();
    const QRect placed = first.window->geometry();
    QVERIFY(qAbs(placed.width() - screen.width() * 2 / 3) <= 2);
    QVERIFY(qAbs(placed.height() - screen.height() * 2 / 3) <= 2);
    QVERIFY(qAbs(placed.center().x() - screen.center().x()) <= 2);
    QVERIFY(qAbs(placed.center().y() - screen.center().y()) <= 2);

    // A saved place is kept, and the command line still has the last word.
    auto saved = [](AppSettings& s) {
        s.setWindowLeft(1500);
        s.setWindowTop(750);
        s.setWindowWidth(6000);
        s.setWindowHeight(4500);
    };
    Program again(QString(), QString(), saved);
    QCOMPARE(again.window->geometry(), QRect(100, 50, 400, 300));
    Program told("-w=7500 -h=5250 missing.txt", QString(), saved);
    QCOMPARE(told.window->geometry(), QRect(100, 50, 500, 350));
}

void WindowChromeTest::titleMarksUnsavedChanges() {
    Program p;
    p.window->winId();  // the title the desktop shows is the native window's
    QWindow* native = p.window->windowHandle();
    QCOMPARE(native->title(), QString("[Untitled] - Vantor Jotter"));
    QVERIFY(!p.window->isWindowModified());
    QTest::keyClicks(p.window->editor(), "changed");
    QVERIFY(p.window->isWindowModified());
    QCOMPARE(native->title(), QString("[Untitled]* - Vantor Jotter"));

    const QString path = p.folders.file("saved.txt");
    QCOMPARE(p.window->documents().saveFile(path), 0);
    QVERIFY(!p.window->isWindowModified());
    QCOMPARE(native->title(), DocumentManager::CompactPath(path, false) + " - Vantor Jotter");
    p.prompts.answers = {Prompts::Answer::No};
    p.window->action("mnuNew")->trigger();
    QCOMPARE(native->title(), QString("[Untitled] - Vantor Jotter"));
}

// Without an icon theme the program's own pictures stand in, each for the theme icon
// of its command (no trash can for Cut, no magnifier for Paste).
void WindowChromeTest::toolbarPicturesShowTheirCommands() {
    Program p;
    const QList<QPair<const char*, const char*>> expected = {
        {"tb_new", "document-new"},       {"tb_open", "document-open"},
        {"tb_save", "document-save"},     {"tb_pdfexport", "document-export"},
        {"tb_pdfimport", "document-import"}, {"tb_cut", "edit-cut"},
        {"tb_copy", "edit-copy"},         {"tb_paste", "edit-paste"},
        {"tb_undo", "edit-undo"}};
    QSet<QByteArray> pictures;
    for (const auto& [button, theme] : expected) {
        QAction* action = p.window->findChild<QAction*>(button);
        QVERIFY2(action, button);
        const QIcon icon = action->icon();
        QCOMPARE(icon.name(), QString(theme));
        const QImage image = icon.pixmap(24, 24).toImage();
        QVERIFY2(!image.isNull(), button);
        int inked = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) inked += qAlpha(image.pixel(x, y)) > 0;
        }
        QVERIFY2(inked > 20, button);  // a picture, not an empty square
        pictures.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()),
                                   image.sizeInBytes()));
    }
    QCOMPARE(pictures.size(), expected.size());  // nine different pictures
    const QImage disabled = p.window->findChild<QAction*>("tb_cut")->icon()
                                .pixmap(QSize(24, 24), QIcon::Disabled).toImage();
    QVERIFY(disabled != p.window->findChild<QAction*>("tb_cut")->icon().pixmap(24, 24).toImage());
}

void WindowChromeTest::everyTitleNamesTheProgramAlike() {
    QCOMPARE(QGuiApplication::applicationDisplayName(), QString(scrivane::kProgramName));
    QCOMPARE(QCoreApplication::applicationName(), QString("Scrivane"));  // the settings' place
    QVERIFY(QFile::exists(":/icons/scrivane.svg"));  // the window icon is in the program
    QtPrompts prompts(nullptr);
    auto untitled = prompts.BuildMessageBox(QMessageBox::Question, QString(), "Save?",
                                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    QCOMPARE(untitled->windowTitle(), QString(scrivane::kProgramName));
    auto titled = prompts.BuildMessageBox(QMessageBox::Information, "Error", "It failed",
                                          QMessageBox::Ok, QMessageBox::Ok);
    QCOMPARE(titled->windowTitle(), QString("Error"));
    QCOMPARE(titled->text(), QString("It failed"));
    Program p;
    QVERIFY(p.window->windowTitle().contains(scrivane::kProgramName));
}

void WindowChromeTest::menusOpenWithAltAndALetter() {
    for (const QString language : {"", "Francais"}) {
        Program p(QString(), language);
        QMap<QString, QSet<QChar>> lettersOfMenu;
        for (const MenuEntry& entry : MainMenuEntries()) {
            if (entry.kind == MenuEntry::Kind::Divider || !*entry.caption) continue;
            const QString text = p.window->action(entry.name)->text();
            const QChar letter = MnemonicOf(text);
            QVERIFY2(!letter.isNull(), qPrintable(text));
            QVERIFY2(letter.unicode() < 128, qPrintable(text));  // on every keyboard
            QVERIFY2(!lettersOfMenu[entry.parent].contains(letter), qPrintable(text));
            lettersOfMenu[entry.parent].insert(letter);
        }
        // The shown captions themselves are the language's.
        QCOMPARE(PlainCaption(p.window->action("mnuSaveAs")->text()), p.captions.m("Save As"));
        QCOMPARE(PlainCaption(p.window->action("mnuFile")->text()), p.captions.m("File"));
    }

    // Alt+F opens the File menu and types nothing; other Alt letters type nothing either.
    Program p;
    p.window->show();
    QVERIFY(QTest::qWaitForWindowActive(p.window.get()));
    p.window->editor()->setFocus();
    QTest::keyClick(p.window->editor(), Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    QCOMPARE(QApplication::activePopupWidget()->objectName(), QString("mnuFile"));
    QApplication::activePopupWidget()->close();
    QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
    p.window->editor()->setFocus();
    QTest::keyClick(p.window->editor(), Qt::Key_J, Qt::AltModifier);
    QCOMPARE(p.window->editor()->toPlainText(), QString());
    QTest::keyClick(p.window->editor(), Qt::Key_J);
    QCOMPARE(p.window->editor()->toPlainText(), QString("j"));
}

void WindowChromeTest::mnemonicsPreferTheFirstLetterOfAWord() {
    QCOMPARE(WithMnemonics({"File", "Edit", "Format", "Favorites"}),
             QStringList({"&File", "&Edit", "F&ormat", "F&avorites"}));
    // A later word's first letter comes before letters inside words.
    QCOMPARE(WithMnemonics({"Save", "Save As", "Select All"}),
             QStringList({"&Save", "Save &As", "S&elect All"}));
    // An "&" of the caption stays shown; a letter with an accent is never the key.
    QCOMPARE(WithMnemonics({"R&D", "\u00c9dition"}), QStringList({"&R&&D", "\u00c9&dition"}));
    // Nothing left to take: no key rather than a repeated one.
    QCOMPARE(WithMnemonics({"A", "a", "B"}), QStringList({"&A", "a", "&B"}));
    QCOMPARE(PlainCaption("F&ichier && co"), QString("Fichier & co"));
}

QTEST_MAIN(WindowChromeTest)
#include "WindowChromeTest.moc"
