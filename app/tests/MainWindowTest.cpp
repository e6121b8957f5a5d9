// The main window end to end: menus and captions, typing, exporting, reopening.
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QtTest>

#include "AppTestSupport.h"
#include "format/OutputFormats.h"
#include "shell/AppContext.h"
#include "shell/DocumentManager.h"
#include "shell/ExportCommands.h"
#include "shell/MainMenu.h"
#include "shell/MenuMnemonics.h"
#include "shell/frmScrivane.h"

using namespace scrivane::app;
using scrivane::kTargetPdf;
using scrivane::app::test::ScriptedPrompts;
using scrivane::app::test::TestFolders;

namespace {

struct Program : scrivane::app::test::TestContext {
    std::unique_ptr<frmScrivane> window;

    explicit Program(const QString& commandLine = QString(), const QString& language = QString())
        : TestContext(commandLine) {
        captions.setLangue(language);
        window = std::make_unique<frmScrivane>(context);
        window->Load();
    }
};

QStringList TopMenus(const frmScrivane& window) {
    QStringList names;
    for (QAction* action : window.menuBar()->actions()) names << PlainCaption(action->text());
    return names;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void menusComeInOrderWithTheirCaptions();
    void everyCommandIsEnabled();
    void typingExportingAndReopeningGiveTheSameText();
    void commandLineOpensTheFileAndPlacesTheWindow();
    void quitAsksAboutUnsavedChanges();
    void usualShortcutsReachTheirCommands();
};

void MainWindowTest::menusComeInOrderWithTheirCaptions() {
    Program english;
    QCOMPARE(TopMenus(*english.window),
             QStringList({"File", "Edit", "Modify", "Insert", "Favorites", "Format", "Tools",
                          "Insert", "Help"}));
    QCOMPARE(english.window->windowTitle(), QString("[Untitled][*] - Vantor Jotter"));
    Program french(QString(), "Francais");
    QCOMPARE(PlainCaption(french.window->action("mnuFile")->text()), french.captions.m("File"));
    QVERIFY(PlainCaption(french.window->action("mnuFile")->text()) != "File");
    QVERIFY(!french.window->windowTitle().contains("Untitled"));
}

// Every command of the menus works: none is shown disabled for want of its dialog. Only
// "Add to a favorite" waits for a favorite to add to; hidden entries (no favorites yet,
// no recent files) are left out.
void MainWindowTest::everyCommandIsEnabled() {
    TestFolders outer;
    const QString path = outer.file("named.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("a named document\n");
    file.close();
    Program p("\"" + path + "\"");
    for (const MenuEntry& entry : MainMenuEntries()) {
        if (!*entry.name || !*entry.caption || entry.kind == MenuEntry::Kind::Divider) continue;
        QAction* action = p.window->action(entry.name);
        QVERIFY2(action, entry.name);
        if (!action->isVisible() || QString(entry.name) == "mnuAddToAFavorite") continue;
        QVERIFY2(action->isEnabled(), entry.name);
    }
}

void MainWindowTest::typingExportingAndReopeningGiveTheSameText() {
    Program p;
    p.settings.setOpenAfterExport(kTargetPdf, false);
    QPlainTextEdit* editor = p.window->editor();
    const QString text = "My letter\n<set>fontsize=14\nDear reader, this line is long enough to "
                         "be wrapped by the layout when it is exported to a PDF file, which "
                         "it is now.\n\nRegards";
    const QStringList lines = text.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0) QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClicks(editor, lines[i]);
    }
    QCOMPARE(editor->toPlainText(), text);
    QVERIFY(p.window->documents().isDirty());

    QString pdf = p.folders.file("letter.pdf");
    p.prompts.saveNames = {pdf};
    p.window->action("mnuPDFExport")->trigger();
    QVERIFY(QFile::exists(pdf));
    QProcess qpdf;
    qpdf.start("qpdf", {"--check", pdf});
    QVERIFY(qpdf.waitForFinished(20000));
    QCOMPARE(qpdf.exitCode(), 0);
    QVERIFY(p.window->documents().isDirty());  // exporting does not save the text

    p.prompts.answers = {Prompts::Answer::No};
    p.window->action("mnuNew")->trigger();
    QCOMPARE(editor->toPlainText(), QString());

    p.prompts.openNames = {pdf};
    p.window->action("mnuOpen")->trigger();
    QCOMPARE(editor->toPlainText(), text);
    QCOMPARE(p.window->documents().fileName(), pdf);
    QVERIFY(p.window->windowTitle().startsWith(DocumentManager::CompactPath(pdf, false)));
}

void MainWindowTest::commandLineOpensTheFileAndPlacesTheWindow() {
    TestFolders outer;
    QString path = outer.file("my-notes.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("from the command line\n");
    file.close();
    Program p("-x=1500 -y=3000 \"" + path + "\"");
    QCOMPARE(p.window->editor()->toPlainText(), QString("from the command line\n"));
    QCOMPARE(p.window->documents().fileName(), path);
    QCOMPARE(p.window->geometry().left(), 100);
    QCOMPARE(p.window->geometry().top(), 200);
    QVERIFY(!p.window->documents().isDirty());
    QCOMPARE(p.window->documents().RecentFiles().first(), path);
}

void MainWindowTest::quitAsksAboutUnsavedChanges() {
    Program p;
    QTest::keyClicks(p.window->editor(), "unsaved");
    p.prompts.answers = {Prompts::Answer::Cancel};
    QVERIFY(!p.window->Quit());
    QCOMPARE(p.window->editor()->toPlainText(), QString("unsaved"));
    p.prompts.answers = {Prompts::Answer::No};
    QVERIFY(p.window->Quit());
    QVERIFY(!p.settings.editorFontBold());
}

void MainWindowTest::usualShortcutsReachTheirCommands() {
    Program p;
    const QList<QPair<const char*, QString>> expected = {
        {"mnuNew", "Ctrl+N"}, {"mnuOpen", "Ctrl+O"}, {"mnuSave", "Ctrl+S"},
        {"mnuSaveAs", "Ctrl+Shift+S"}, {"mnuPDFExport", "Ctrl+E"}, {"mnuPrint", "Ctrl+P"},
        {"mnuQuit", "Ctrl+Q"}};
    for (const auto& [name, keys] : expected) {
        QCOMPARE(p.window->action(name)->shortcut().toString(QKeySequence::PortableText), keys);
    }
    QStringList seen;  // no key sequence twice in the menus
    for (QAction* action : p.window->findChildren<QAction*>()) {
        const QString keys = action->shortcut().toString(QKeySequence::PortableText);
        if (keys.isEmpty()) continue;
        QVERIFY2(!seen.contains(keys), qPrintable(keys));
        seen << keys;
    }

    // Typed in the editor, Ctrl+E exports the text as PDF.
    p.settings.setOpenAfterExport(kTargetPdf, false);
    p.settings.setShowExportOptions(kTargetPdf, false);
    p.window->show();
    QVERIFY(QTest::qWaitForWindowActive(p.window.get()));
    QTest::keyClicks(p.window->editor(), "by the keyboard");
    const QString pdf = p.folders.file("keys.pdf");
    p.prompts.saveNames = {pdf};
    QTest::keyClick(p.window->editor(), Qt::Key_E, Qt::ControlModifier);
    QVERIFY(QFile::exists(pdf));
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
