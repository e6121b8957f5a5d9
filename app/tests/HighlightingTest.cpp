// The editor's highlighting: each kind of line gets its look from the engine's own
// reading of the line, as the user types, and the switch in the Format menu is kept.
#include <QFile>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>

#include "AppTestSupport.h"
#include "format/OutputFormats.h"
#include "shell/CommandHighlighter.h"
#include "shell/DocumentManager.h"
#include "shell/EditorHighlighting.h"
#include "shell/WritingAids.h"
#include "shell/frmScrivane.h"

using namespace scrivane::app;
using scrivane::kTargetPdf, scrivane::kTargetXhtml;

namespace {

struct Window : test::TestContext {
    frmScrivane window{context};
    QPlainTextEdit* editor = window.editor();
    EditorHighlighting& highlighting = window.aids().highlighting();

    // Shown, since only the lines on screen are coloured.
    Window() {
        window.Load();
        window.resize(900, 700);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    QTextBlock Line(int number) const {
        return editor->document()->findBlockByNumber(number - 1);
    }
    LineKind KindOf(int number) { return highlighting.ClassifyBlock(Line(number)).kind; }
    // The coloured ranges of a line: start, length and colour name of each.
    QStringList Colours(int number) const {
        QCoreApplication::processEvents();
        QStringList ranges;
        for (const QTextLayout::FormatRange& range : Line(number).layout()->formats()) {
            ranges << QString("%1+%2 %3").arg(range.start).arg(range.length).arg(
                          range.format.foreground().color().name());
        }
        return ranges;
    }
};

// The line options of the shipped standard set ("#1 " headings, "%% " hidden lines,
// "@header ", "@link " and "@note " lines), as every new user has them.
const QStringList kText = {
    "plain words",         "<set>fontsize=14",   "<img src='pic.jpg' left='40'>",
    "<h1>Intro",           "<pb>",               "#1 Chapter one",
    "%% a note to self",   "@header Page &p",    "@link https://example.org",
    "@note remember this", "#2 Section",         ""};

}  // namespace

class HighlightingTest : public QObject {
    Q_OBJECT
private slots:
    void eachKindOfLineHasItsClass();
    void linesAreColouredAndTheMarkerApart();
    void theFormatInUseDecides();
    void switchIsRememberedAndLeavesTheTextAlone();
    void typedLinesAreColouredAtOnce();
    void lineNumberConditionsFollowInsertedLines();
    void onlyTheLinesOnScreenAreColoured();
    void commandsTheEngineRefusesAreMarkedAndReported_data();
    void commandsTheEngineRefusesAreMarkedAndReported();
};

void HighlightingTest::eachKindOfLineHasItsClass() {
    Window w;
    w.editor->setPlainText(kText.join('\n'));
    const QList<LineKind> expected = {
        LineKind::Plain,   LineKind::Command, LineKind::ImageTag, LineKind::Title,
        LineKind::PageBreak, LineKind::Heading, LineKind::Hidden, LineKind::Header,
        LineKind::Link,    LineKind::Note,    LineKind::Heading,  LineKind::Plain};
    for (int n = 1; n <= kText.size(); ++n) {
        QVERIFY2(w.KindOf(n) == expected[n - 1], qPrintable(kText[n - 1]));
    }
    const LineClass heading = w.highlighting.ClassifyBlock(w.Line(11));
    QCOMPARE(heading.level, 2);
    QCOMPARE(heading.markerLength, 3);
    QCOMPARE(heading.conditionName, QString("Heading 2"));
    QCOMPARE(w.highlighting.ClassifyBlock(w.Line(4)).level, 1);
    const LineClass command = w.highlighting.ClassifyBlock(w.Line(2));
    QCOMPARE(kText[1].mid(command.keyStart, command.keyLength), QString("fontsize"));
    QCOMPARE(kText[1].mid(command.valueStart, command.valueLength), QString("14"));

    // In words, for the tooltip.
    QCOMPARE(w.highlighting.Describe(heading),
             QString("Heading with a bookmark at level 2 (Heading 2)"));
    QCOMPARE(w.highlighting.Describe(w.highlighting.ClassifyBlock(w.Line(1))), QString());
    QVERIFY(w.highlighting.Describe(w.highlighting.ClassifyBlock(w.Line(5)))
                .contains("printed as written"));
}

void HighlightingTest::linesAreColouredAndTheMarkerApart() {
    Window w;
    w.editor->setPlainText(kText.join('\n'));
    const CommandHighlighter& h = w.highlighting.highlighter();
    const QString heading = h.FormatOf(LineKind::Heading).foreground().color().name();
    const QString hidden = h.FormatOf(LineKind::Hidden).foreground().color().name();
    QCOMPARE(w.Colours(1), QStringList());
    QCOMPARE(w.Colours(12), QStringList());
    QCOMPARE(w.Colours(6), QStringList({"0+3 #9e9e9e", "3+11 " + heading}));
    QCOMPARE(w.Colours(7), QStringList({"0+17 " + hidden}));
    const QStringList command = w.Colours(2);  // <set> fontsize = 14
    QCOMPARE(command.size(), 4);
    QVERIFY(command[1].startsWith("5+8 "));
    QVERIFY(command[3].startsWith("14+2 "));
    QVERIFY(command[1] != command[3]);
    QVERIFY(w.Line(6).layout()->formats()[1].format.fontWeight() == QFont::Bold);
}

void HighlightingTest::theFormatInUseDecides() {
    Window w;
    w.editor->setPlainText(kText.join('\n'));
    QVERIFY(w.KindOf(3) == LineKind::ImageTag);
    // An XHTML export prints image tags as text.
    w.highlighting.setFormatCode(kTargetXhtml);
    QVERIFY(w.KindOf(3) == LineKind::Plain);
    QCOMPARE(w.Colours(3), QStringList());
    // Without line options the conditions select nothing.
    w.settings.setUseLineOptions(kTargetXhtml, false);
    w.highlighting.ReloadConditions();
    QVERIFY(w.KindOf(6) == LineKind::Plain);
    QCOMPARE(w.Colours(7), QStringList());
    // An export in PDF takes the PDF's conditions again.
    w.settings.setShowExportOptions(kTargetPdf, false);
    w.settings.setOpenAfterExport(kTargetPdf, false);
    w.prompts.saveNames = {w.folders.file("out.pdf")};
    w.window.action("mnuPDFExport")->trigger();
    QCOMPARE(w.highlighting.formatCode(), kTargetPdf);
    QVERIFY(w.KindOf(6) == LineKind::Heading);
    QVERIFY(!w.Colours(7).isEmpty());
}

void HighlightingTest::switchIsRememberedAndLeavesTheTextAlone() {
    Window w;
    w.editor->setPlainText(kText.join('\n'));
    w.window.documents().setClean();
    QAction* toggle = w.window.action("mnuHighlighting");
    QVERIFY(toggle->isCheckable() && toggle->isChecked());
    toggle->trigger();
    QVERIFY(!w.highlighting.enabled());
    for (int n = 1; n <= kText.size(); ++n) QCOMPARE(w.Colours(n), QStringList());
    QVERIFY(w.settings.highlighting().isOff());
    toggle->trigger();
    QVERIFY(!w.Colours(6).isEmpty());
    toggle->trigger();
    // Colours are no change to the text: nothing to save, nothing to undo.
    QVERIFY(!w.window.documents().isDirty());
    QVERIFY(!w.editor->document()->isUndoAvailable());

    frmScrivane next(w.context);  // the switch stays off in the next window
    next.Load();
    next.show();
    QVERIFY(QTest::qWaitForWindowExposed(&next));
    QVERIFY(!next.action("mnuHighlighting")->isChecked());
    QVERIFY(!next.aids().highlighting().enabled());
    next.editor()->setPlainText("#1 Chapter");
    QCoreApplication::processEvents();
    QVERIFY(next.editor()->document()->firstBlock().layout()->formats().isEmpty());
}

void HighlightingTest::typedLinesAreColouredAtOnce() {
    Window w;
    QTest::keyClicks(w.editor, "text");
    QTest::keyClick(w.editor, Qt::Key_Return);
    QTest::keyClicks(w.editor, "%% ");
    QVERIFY(w.KindOf(2) == LineKind::Hidden);
    QCOMPARE(w.Colours(2).size(), 1);
    QTest::keyClick(w.editor, Qt::Key_Home);
    QTest::keyClick(w.editor, Qt::Key_Delete);
    QCOMPARE(w.Colours(2), QStringList());
}

void HighlightingTest::lineNumberConditionsFollowInsertedLines() {
    Window w;
    // Line options in which line 2 is hidden.
    const QString options = w.paths.lineOptionsFile(kTargetPdf, "[Default]");
    QFile file(options);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<?xml version=\"1.0\"?><dorvex><vantor><format><line><name>Second</name>"
               "<condition>linenumber</condition><value>2</value><show>no</show>"
               "<format></format></line></format></vantor></dorvex>");
    file.close();
    w.highlighting.ReloadConditions();
    w.editor->setPlainText("one\ntwo\nthree");
    QVERIFY(w.KindOf(2) == LineKind::Hidden);
    QCOMPARE(w.Colours(2).size(), 1);
    QTextCursor cursor(w.editor->document());
    cursor.insertText("zero\n");
    QTRY_COMPARE(w.Colours(2).size(), 1);  // "one" is line 2 now
    QTRY_COMPARE(w.Colours(3), QStringList());
    cursor.movePosition(QTextCursor::Start);
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    QTRY_COMPARE(w.Colours(1), QStringList());
    QTRY_COMPARE(w.Colours(2).size(), 1);  // "two" again
}

void HighlightingTest::onlyTheLinesOnScreenAreColoured() {
    Window w;
    QStringList lines;
    for (int n = 1; n <= 3000; ++n) lines << (n % 2 ? "%% hidden" : "text");
    w.editor->setPlainText(lines.join('\n'));
    QCOMPARE(w.Colours(1).size(), 1);
    QCOMPARE(w.Line(2999).userState(), -1);  // far below: not looked at yet
    QTextCursor end(w.editor->document()->lastBlock());
    w.editor->setTextCursor(end);
    w.editor->ensureCursorVisible();
    QCOMPARE(w.Colours(2999).size(), 1);
    QCOMPARE(w.Colours(3000), QStringList());
    // Lines changed while out of sight are coloured anew when they come back.
    QTextCursor first(w.editor->document());
    first.insertText("x");  // "x%% hidden" is printed as written
    w.editor->moveCursor(QTextCursor::Start);
    QCOMPARE(w.Colours(1), QStringList());
}

void HighlightingTest::commandsTheEngineRefusesAreMarkedAndReported_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("report");
    auto row = [](const char* line, LineKind kind, CommandFault fault, const char* report) {
        QTest::newRow(line) << QString(line) << int(kind) << int(fault) << QString(report);
    };
    using K = LineKind;
    using F = CommandFault;
    row("<set>fontsize=12", K::Command, F::None, "");
    row("<set>x=", K::Plain, F::None, "");  // too short: printed as text
    row("<set>SIZE=3", K::BadCommand, F::Key,
        "Unknown command: no command is called \"size\"; the line changes nothing");
    row("<set>fontsize=abc", K::BadCommand, F::Value, "Bad value: not a number");
    row("<set>fontsize=0", K::BadCommand, F::Value,
        "Bad value: a font size of 0 makes the text invisible");
    row("<set>bottom=20000", K::BadCommand, F::Value,
        "Bad value: out of range: above -20000 and below 20000");
    row("<set>link=", K::BadCommand, F::Line, "Bad value: the value is empty");
}

void HighlightingTest::commandsTheEngineRefusesAreMarkedAndReported() {
    QFETCH(QString, line);
    QFETCH(int, kind);
    QFETCH(int, fault);
    QFETCH(QString, report);
    Window w;
    w.editor->setPlainText("text before\n" + line);
    const LineClass c = w.highlighting.ClassifyBlock(w.Line(2));
    QCOMPARE(int(c.kind), kind);
    QCOMPARE(int(c.fault), fault);
    // The tooltip and, with the caret on the line, the status line say why.
    w.editor->moveCursor(QTextCursor::End);
    QCOMPARE(w.highlighting.reportText(), report);
    w.editor->moveCursor(QTextCursor::Start);
    QCOMPARE(w.highlighting.reportText(), QString());
    if (kind != int(LineKind::BadCommand)) return;
    QCOMPARE(w.highlighting.Describe(c), report);
    // The wavy line is under the part at fault.
    QCoreApplication::processEvents();
    QStringList waved;
    for (const QTextLayout::FormatRange& range : w.Line(2).layout()->formats()) {
        if (range.format.underlineStyle() == QTextCharFormat::WaveUnderline) {
            waved << line.mid(range.start, range.length);
        }
    }
    if (fault == int(CommandFault::Key)) QCOMPARE(waved, QStringList({line.mid(5, line.indexOf('=') - 5)}));
    if (fault == int(CommandFault::Value)) QCOMPARE(waved, QStringList({line.mid(line.indexOf('=') + 1)}));
    if (fault == int(CommandFault::Line)) QCOMPARE(waved.join(QString()), line);
}

QTEST_MAIN(HighlightingTest)
#include "HighlightingTest.moc"
