// The writing aids from the keyboard, end to end in the main window: titles, page
// break, go to line, find with Enter and Escape, find next.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

#include "AppTestSupport.h"
#include "ScriptedAidDialogs.h"
#include "dialogs/frmSearch.h"
#include "shell/FindCommands.h"
#include "shell/WritingAids.h"
#include "shell/frmScrivane.h"

using namespace scrivane::app;
using scrivane::app::test::ScriptedAidDialogs;

class EditorKeysTest : public QObject {
    Q_OBJECT
private slots:
    void shortcutsWriteAndFind();
};

void EditorKeysTest::shortcutsWriteAndFind() {
    test::TestContext t;
    t.settings.setShowStatusBar(true);
    frmScrivane window(t.context);
    window.Load();
    auto owned = std::make_unique<ScriptedAidDialogs>();
    ScriptedAidDialogs& dialogs = *owned;
    window.aids().setDialogs(std::move(owned));
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QPlainTextEdit* editor = window.editor();
    editor->setFocus();

    QTest::keyClicks(editor, "first line");
    dialogs.values = {"Intro", "Part", "Point"};
    QTest::keyClick(editor, Qt::Key_1, Qt::ControlModifier);
    QTest::keyClicks(editor, "body abc");
    QTest::keyClick(editor, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(editor, "more abc");
    QTest::keyClick(editor, Qt::Key_Home);
    QTest::keyClick(editor, Qt::Key_2, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_3, Qt::ControlModifier);
    QCOMPARE(editor->toPlainText(),
             QString("first line\n<h1>Intro\nbody abc\n<pb>\n<h2>Part\n<h3>Point\nmore abc"));
    QCOMPARE(dialogs.asked, QStringList({"Title 1", "Title 2", "Title 3"}));

    dialogs.lines = {2};
    QTest::keyClick(editor, Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(editor->textCursor().blockNumber(), 1);
    QCOMPARE(editor->textCursor().positionInBlock(), 0);

    // Ctrl+F opens the find window; Enter finds, Escape goes back to the editor with the
    // match selected, F3 finds the next one.
    QTest::keyClick(editor, Qt::Key_F, Qt::ControlModifier);
    frmSearch* search = window.aids().finds().findWindow();
    QVERIFY(search && search->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(search));
    QTest::keyClicks(search->searchBox(), "ABC");
    QTest::keyClick(search->searchBox(), Qt::Key_Return);
    QCOMPARE(editor->textCursor().selectionStart(), 26);
    QTest::keyClick(search->searchBox(), Qt::Key_Escape);
    QVERIFY(!search->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_COMPARE(QApplication::focusWidget(), editor);
    QCOMPARE(editor->textCursor().selectedText(), QString("abc"));
    QTest::keyClick(editor, Qt::Key_F3);
    QCOMPARE(editor->textCursor().selectionStart(), 59);
    QCOMPARE(editor->textCursor().selectedText(), QString("abc"));

    // A click on the status line asks for a line too.
    dialogs.lines = {1};
    QTest::mouseClick(window.findChild<QLabel*>("lblStatusBar"), Qt::LeftButton);
    QCOMPARE(editor->textCursor().blockNumber(), 0);
    QCOMPARE(dialogs.defaultLineShown, 7);

    // Escape in the editor hides the find window too.
    QTest::keyClick(editor, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(search->isVisible());
    QTest::keyClick(editor, Qt::Key_Escape);
    QVERIFY(!search->isVisible());
}

QTEST_MAIN(EditorKeysTest)
#include "EditorKeysTest.moc"
