// The writing aids: lines inserted at the caret, the Modify window and its commands,
// titles, page breaks, images and headers, find and go to line.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QtTest>

#include "AppTestSupport.h"
#include "ScriptedAidDialogs.h"
#include "dialogs/AidDialogs.h"
#include "dialogs/ModifyChoices.h"
#include "dialogs/frmGoto.h"
#include "dialogs/frmInsertImage.h"
#include "dialogs/frmModify.h"
#include "dialogs/frmSearch.h"
#include "shell/DocumentManager.h"
#include "shell/ExportCommands.h"
#include "shell/FindCommands.h"
#include "shell/InsertCommands.h"
#include "shell/TextInsertion.h"

using namespace scrivane::app;
using scrivane::app::test::ScriptedAidDialogs;

namespace {

// An editor with the writing aids' commands, on fresh folders.
struct Aids : test::TestContext {
    QWidget window;
    QPlainTextEdit* editor = new QPlainTextEdit(&window);
    ScriptedAidDialogs dialogs;
    InsertCommands inserts{context, editor, &dialogs};
    FindCommands finds{context, editor, &window, &dialogs};

    // The text, with the caret put where "|" stands (and the "|" taken out).
    void SetText(const QString& marked) {
        editor->setPlainText(QString(marked).remove('|'));
        QTextCursor cursor = editor->textCursor();
        cursor.setPosition(std::max<int>(0, int(marked.indexOf('|'))));
        editor->setTextCursor(cursor);
    }
    // The text with "|" at the caret.
    QString Marked() const {
        return editor->toPlainText().insert(editor->textCursor().position(), '|');
    }
    QString Selected() const { return editor->textCursor().selectedText(); }
    int CaretLine() const { return editor->textCursor().blockNumber() + 1; }
};

}  // namespace

class WritingAidsTest : public QObject {
    Q_OBJECT
private slots:
    void insertToTextPlacesTheLineAroundTheCaret_data();
    void insertToTextPlacesTheLineAroundTheCaret();
    void insertionsAreUndoneInOneStepAndKeepEarlierHistory();
    void modifyWindowOffersEachKeysValues();
    void modifyCommandsInsertTheirCommandLine();
    void insertMenuCommands();
    void fontColourInsertsTheChosenColourOnly();
    void findGoesFromMatchToMatchAndSaysWhenThereIsNoMore();
    void findCountsPositionsOnTheEditorsText();
    void goToLine();
    void goToLineReadsNumbersAsWritten();
};

void WritingAidsTest::insertToTextPlacesTheLineAroundTheCaret_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("at the start of the text") << "|abc" << "<pb>\n|abc";
    QTest::newRow("at the start of a line") << "abc\n|def" << "abc\n<pb>\n|def";
    QTest::newRow("on an empty line") << "abc\n|\ndef" << "abc\n<pb>\n|\ndef";
    QTest::newRow("mid-line splits it") << "ab|c" << "ab\n<pb>\n|c";
    QTest::newRow("at the end of a line") << "abc|\ndef" << "abc\n<pb>\n|def";
    QTest::newRow("at the end of the text") << "abc|" << "abc\n<pb>\n|";
    QTest::newRow("empty text") << "|" << "<pb>\n|";
}

void WritingAidsTest::insertToTextPlacesTheLineAroundTheCaret() {
    QFETCH(QString, before);
    QFETCH(QString, after);
    Aids a;
    a.SetText(before);
    InsertToText(a.editor, "<pb>");
    QCOMPARE(a.Marked(), after);

    a.SetText(before);  // the page break command goes the same way
    a.inserts.PageBreak();
    QCOMPARE(a.Marked(), after);

    a.SetText(before);
    InsertToText(a.editor, QString());
    QCOMPARE(a.Marked(), before);
}

void WritingAidsTest::insertionsAreUndoneInOneStepAndKeepEarlierHistory() {
    Aids a;
    QTest::keyClicks(a.editor, "typed");
    a.dialogs.values = {"Page &p"};
    a.inserts.Header();
    QCOMPARE(a.editor->document()->blockCount(), 10);
    a.editor->undo();  // the whole header block at once
    QCOMPARE(a.editor->toPlainText(), QString("typed"));
    a.editor->undo();  // and what was typed before it is still in the history
    QCOMPARE(a.editor->toPlainText(), QString());

    // A selection is left as it is: the line goes in at the caret.
    a.SetText("one two");
    QTextCursor cursor = a.editor->textCursor();
    cursor.setPosition(4);
    cursor.setPosition(7, QTextCursor::KeepAnchor);
    a.editor->setTextCursor(cursor);
    InsertToText(a.editor, "<set>x=5");
    QCOMPARE(a.editor->toPlainText(), QString("one two\n<set>x=5\n"));
}

void WritingAidsTest::modifyWindowOffersEachKeysValues() {
    const QStringList sizes = {"6", "8", "10", "12", "14", "16", "18", "20",
                               "22", "24", "26", "28", "36", "48", "72"};
    const QStringList places = {"0", "10", "20", "30", "50", "80", "100", "120", "150", "200", "300"};
    const QStringList hundreds = {"100", "200", "300", "400", "500", "600", "700", "800", "900", "1000"};
    const struct {
        const char* key;
        QStringList values;  // empty: a text box
        const char* initial;
        const char* caption;
    } kExpected[] = {
        {"title", {}, "", "Title"},
        {"subject", {}, "", "Subject"},
        {"author", {}, "", "Author"},
        {"keywords", {}, "", "Keywords"},
        {"header", {}, "Page &p / &pages", "Header"},
        {"font", {"Arial", "Helvetica", "TimesNewRoman"}, "Arial", "Font Name"},
        {"fontsize", sizes, "10", "Font Size"},
        {"textalign", {"Left", "Right", "Justify"}, "Left", "Text Alignment"},
        {"dy", sizes, "10", "Space Between Lines"},
        {"linelength", {"100", "200", "300", "400", "500"}, "400", "Line Length"},
        {"x", places, "80", "Left Position"},
        {"y", places, "80", "Top Position"},
        {"top", places, "100", "Top Margin"},
        {"bottom", places.mid(0, 10), "", "Bottom Margin"},
        {"pagewidth", hundreds, "595", "Page Width"},
        {"pageheight", hundreds, "842", "Page Height"},
    };
    test::TestContext t;
    t.captions.setLangue("Francais");
    for (const auto& expected : kExpected) {
        frmModify window(t.captions, t.settings);
        window.ToModify = expected.key;
        window.Load();
        const bool list = !expected.values.isEmpty();
        QVERIFY2(window.combo()->isVisibleTo(&window) == list, expected.key);
        QVERIFY2(window.textBox()->isVisibleTo(&window) == !list, expected.key);
        QCOMPARE(window.windowTitle(), t.captions.m(expected.caption));
        if (list) {
            QStringList offered;
            for (int i = 0; i < window.combo()->count(); ++i) offered << window.combo()->itemText(i);
            QCOMPARE(offered, expected.values);
        }
        window.cmdOK_Click();
        QCOMPARE(window.ReturnValue, QString(expected.initial));
    }
    frmModify window(t.captions, t.settings);
    window.ToModify = "fontsize";
    window.Load();
    window.combo()->setEditText("abc");  // typed, not validated
    window.cmdOK_Click();
    QCOMPARE(window.ReturnValue, QString("abc"));
    window.cmdCancel_Click();
    QCOMPARE(window.ReturnValue, QString());

    // Enter in the box is OK, in the list and in the text box alike.
    for (const char* key : {"fontsize", "title"}) {
        frmModify typed(t.captions, t.settings);
        typed.ToModify = key;
        typed.Load();
        typed.show();
        QWidget* box = typed.combo()->isVisibleTo(&typed)
                           ? static_cast<QWidget*>(typed.combo()->lineEdit())
                           : typed.textBox();
        QTest::keyClicks(box, "7");
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(typed.result(), int(QDialog::Accepted));
        QCOMPARE(typed.ReturnValue, QString("7"));  // the first value replaced, not completed
    }
}

void WritingAidsTest::modifyCommandsInsertTheirCommandLine() {
    const QList<QPair<const char*, const char*>> kInserted = {
        {"title", "<set>title="},       {"subject", "<set>subject="},
        {"author", "<set>author="},     {"keywords", "<set>keywords="},
        {"font", "<set>fontname="},     {"fontsize", "<set>fontsize="},
        {"textalign", "<set>textalign="}, {"dy", "<set>dy="},
        {"linelength", "<set>linelength="}, {"x", "<set>x="},
        {"y", "<set>y="},               {"top", "<set>top="},
        {"bottom", "<set>bottom="},     {"pagewidth", "<set>PageWidth="},
        {"pageheight", "<set>PageHeight="}};
    for (const auto& [key, prefix] : kInserted) {
        Aids a;
        a.dialogs.values = {"v1"};
        a.inserts.Modify(key);
        QCOMPARE(a.editor->toPlainText(), QString(prefix) + "v1\n");
        a.inserts.Modify(key);  // cancelled: nothing
        QCOMPARE(a.editor->toPlainText(), QString(prefix) + "v1\n");
        QCOMPARE(a.dialogs.asked, QStringList({key, key}));
    }
    // Page width confirmed without a change, through the window's own first value.
    test::TestContext t;
    frmModify window(t.captions, t.settings);
    window.ToModify = "pagewidth";
    window.Load();
    window.cmdOK_Click();
    QCOMPARE(ModifyChoiceFor("pagewidth")->prefix + window.ReturnValue, QString("<set>PageWidth=595"));
}

void WritingAidsTest::insertMenuCommands() {
    Aids a;
    a.SetText("before|after");
    a.dialogs.values = {"My header"};
    a.inserts.Header();
    QCOMPARE(a.editor->toPlainText().split('\n'),
             QStringList({"before", "<set>saveformat=header", "<set>savey=header", "<set>x=20",
                          "<set>y=20", "<set>fontsize-4", "<set>header=My header",
                          "<set>loadformat=header", "<set>loady=header", "after"}));
    QCOMPARE(a.dialogs.asked, QStringList({"header"}));

    a.SetText("|text");
    a.dialogs.values = {"Intro", ""};
    a.inserts.Title(2);
    a.inserts.Title(3);  // an empty answer inserts nothing
    QCOMPARE(a.Marked(), QString("<h2>Intro\n|text"));
    QCOMPARE(a.dialogs.asked.mid(1), QStringList({"Title 2", "Title 3"}));

    a.SetText("|");
    ImageFields onlySource{"pic.jpg", "", "", "", ""};
    ImageFields all{"%apppath%/a.jpg", "10", "20", "30", "40"};
    ImageFields noSource{"", "10", "", "", ""};
    a.dialogs.images = {onlySource, all, noSource};
    a.inserts.Image();
    a.inserts.Image();
    a.inserts.Image();
    a.inserts.Image();  // cancelled
    QCOMPARE(a.editor->toPlainText(),
             QString("<img src='pic.jpg'>\n"
                     "<img src='%apppath%/a.jpg' left='10' top='20' width='30' height='40'>\n"));
}

void WritingAidsTest::fontColourInsertsTheChosenColourOnly() {
    Aids a;
    a.prompts.colours = {QColor(10, 20, 30)};
    a.inserts.FontColour();
    QCOMPARE(a.editor->toPlainText(), QString("<set>fontcolor=10 20 30\n"));
    QCOMPARE(a.prompts.customColoursShown.size(), 16);
    a.inserts.FontColour();  // cancelled: the text stays as it was
    QCOMPARE(a.editor->toPlainText(), QString("<set>fontcolor=10 20 30\n"));
}

void WritingAidsTest::findGoesFromMatchToMatchAndSaysWhenThereIsNoMore() {
    Aids a;
    a.SetText("abc at the start, then ABC, aBc\nand Abc|");
    a.finds.FindNext();  // before the first Find: nothing to look for
    QVERIFY(a.prompts.asked.isEmpty());
    a.finds.Find();
    frmSearch* search = a.finds.findWindow();
    QVERIFY(search->isVisible());
    search->searchBox()->setText("abc");
    const QList<int> starts = {0, 23, 28, 36};
    for (int start : starts) {
        search->cmdSearchNext_Click();
        QCOMPARE(a.editor->textCursor().selectionStart(), start);
        QCOMPARE(a.Selected().toLower(), QString("abc"));
        QCOMPARE(search->SearchIndex(), start);
    }
    a.finds.FindNext();  // past the last match: said, twice, and the selection stays
    a.finds.FindNext();
    QCOMPARE(a.prompts.asked, QStringList({"Vantor Jotter: Cannot found 'abc'",
                                           "Vantor Jotter: Cannot found 'abc'"}));
    QCOMPARE(a.editor->textCursor().selectionStart(), 36);

    // Case sensitive: only the lower-case one; the search goes on from the last match.
    a.prompts.asked.clear();
    Aids b;
    b.SetText("ABC abc ABC");
    b.finds.Find();
    b.finds.findWindow()->searchBox()->setText("abc");
    b.finds.findWindow()->caseBox()->setChecked(true);
    b.finds.FindNext();
    QCOMPARE(b.editor->textCursor().selectionStart(), 4);
    b.finds.FindNext();
    QCOMPARE(b.prompts.asked.size(), 1);

    // A selection is what Find looks for; Escape hides the window.
    b.SetText("find me");
    QTextCursor cursor = b.editor->textCursor();
    cursor.setPosition(5);
    cursor.setPosition(7, QTextCursor::KeepAnchor);
    b.editor->setTextCursor(cursor);
    b.finds.Find();
    QCOMPARE(b.finds.findWindow()->searchBox()->text(), QString("me"));
    b.finds.HideFind();
    QVERIFY(!b.finds.findWindow()->isVisible());

    // Shown again after a change of language, it speaks the new one.
    b.captions.setLangue("Francais");
    b.finds.Find();
    QCOMPARE(b.finds.findWindow()->findChild<QPushButton*>("cmdSearchNext")->text(),
             QString("Suivant"));
    QCOMPARE(b.finds.findWindow()->searchBox()->text(), QString("me"));
}

void WritingAidsTest::findCountsPositionsOnTheEditorsText() {
    // A file with CR LF line ends: a match on the third line selects the word itself.
    Aids a;
    ExportCommands exports(a.context, a.editor);
    DocumentManager documents(a.context, a.editor, exports);
    const QString path = a.folders.file("dos.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("one\r\ntwo\r\nthree \xc3\x9f word\r\n");
    file.close();
    QCOMPARE(documents.OpenFile(path), OpenOutcome::Opened);
    a.finds.Find();
    a.finds.findWindow()->searchBox()->setText("WORD");
    a.finds.FindNext();
    QCOMPARE(a.Selected(), QString("word"));
    QCOMPARE(a.CaretLine(), 3);
    a.dialogs.lines = {2};
    a.finds.GotoLine();
    QCOMPARE(a.editor->textCursor().position(), 4);  // "two" starts after "one" and one break
}

void WritingAidsTest::goToLine() {
    Aids a;
    a.SetText("one\ntwo\nthr|ee\nfour");
    a.dialogs.lines = {2, 0, 5, -1};
    a.finds.GotoLine();
    QCOMPARE(a.dialogs.defaultLineShown, 3);  // the caret's line
    QCOMPARE(a.Marked(), QString("one\n|two\nthree\nfour"));
    a.finds.GotoLine();  // 0: the last line
    QCOMPARE(a.Marked(), QString("one\ntwo\nthree\n|four"));
    a.finds.GotoLine();  // beyond the end: said, and the caret stays
    QCOMPARE(a.prompts.asked, QStringList({"Go to line: Line number out of bounds"}));
    QCOMPARE(a.CaretLine(), 4);
    a.finds.GotoLine();  // cancelled
    QCOMPARE(a.CaretLine(), 4);
    QCOMPARE(a.prompts.asked.size(), 1);
}

void WritingAidsTest::goToLineReadsNumbersAsWritten() {
    QCOMPARE(frmGoto::LineOf("3"), 3);
    QCOMPARE(frmGoto::LineOf(" 2.5 "), 2);  // halves go to the even neighbour
    QCOMPARE(frmGoto::LineOf("3.5"), 4);
    QCOMPARE(frmGoto::LineOf("0"), 0);
    QCOMPARE(frmGoto::LineOf("-1"), -1);
    QCOMPARE(frmGoto::LineOf("abc"), -1);
    QCOMPARE(frmGoto::LineOf(""), -1);
    QCOMPARE(frmGoto::LineOf("99999999999"), std::numeric_limits<int>::max());

    test::TestContext t;
    frmGoto window(t.captions, 7);
    QCOMPARE(window.lineBox()->text(), QString("7"));
    window.lineBox()->setText("12");
    window.cmdOK_Click();
    QCOMPARE(window.chosenLine(), 12);
    window.cmdCancel_Click();
    QCOMPARE(window.chosenLine(), -1);
}

QTEST_MAIN(WritingAidsTest)
#include "WritingAidsTest.moc"
