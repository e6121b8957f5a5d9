// The page preview: laid out again once typing pauses, on a worker thread, obsolete
// results dropped, the view kept where it is, the engine's reports on the status line,
// the pane's switch and width remembered.
#include <QAction>
#include <QLabel>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QTextBlock>
#include <QtTest>

#include "AppTestSupport.h"
#include "preview/PreviewLayout.h"
#include "preview/PreviewPane.h"
#include "preview/PreviewScheduler.h"
#include "preview/PreviewView.h"
#include "shell/EditorHighlighting.h"
#include "shell/WritingAids.h"
#include "shell/frmScrivane.h"

using namespace scrivane::app;

namespace {

constexpr int kLayoutWaitMs = 20000;  // a slow, shared machine

// Lines enough for several pages of the standard format.
QString Lines(int count, const QString& prefix = "Line of text number") {
    QStringList lines;
    for (int n = 1; n <= count; ++n) lines << QString("%1 %2").arg(prefix).arg(n);
    return lines.join('\n');
}

// The status line and the preview on, as the window starts.
struct Shown : test::TestContext {
    Shown() {
        settings.setShowStatusBar(true);
        settings.setShowPreview(true);
    }
};

struct Window : Shown {
    frmScrivane window{context};
    QPlainTextEdit* editor = window.editor();
    PreviewPane& pane = window.preview();

    explicit Window(const QString& text = QString()) {
        window.Load();
        window.resize(1000, 700);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (!text.isEmpty()) SetText(text);
    }
    // Replaces the text and waits for its pages, which must be in view.
    void SetText(const QString& text) {
        QSignalSpy shown(&pane, &PreviewPane::pagesShown);
        editor->setPlainText(text);
        QVERIFY(shown.wait(kLayoutWaitMs));
        QCOMPARE(pane.shownGeneration(), pane.scheduler().generation());
    }
    QString report() const { return window.findChild<QLabel*>("lblLineReport")->text(); }
    int viewTop() const { return pane.view().verticalScrollBar()->value(); }
};

}  // namespace

class PreviewTest : public QObject {
    Q_OBJECT
private slots:
    void showsThePagesOfTheText();
    void aBurstOfKeysGivesOneLayout();
    void anObsoleteResultIsDropped();
    void thePauseFollowsTheCostOfTheLastLayout();
    void newPagesKeepTheScrollPosition();
    void aBadImageIsReportedAndThePagesStillShow();
    void reportsFollowTheCaretInFrench();
    void switchAndWidthAreRemembered();
    void zoomKeepsThePointUnderTheMouse();
    void pageRectsAreWhereTheViewDrawsThem();
    void lineMapFindsRunsSideBySideAndAcrossPages();
    void caretAndPagesLeadEachOtherThroughColumnsAndWraps();
};

void PreviewTest::showsThePagesOfTheText() {
    Window w(Lines(200));
    QVERIFY(w.pane.shown());
    QVERIFY(w.pane.view().isVisible());
    QVERIFY(w.pane.view().pageCount() >= 3);
    QVERIFY(w.window.action("mnuPreview")->isChecked());
    // Hidden, it lays nothing out.
    w.window.action("mnuPreview")->trigger();
    QVERIFY(!w.pane.shown());
    QVERIFY(!w.pane.view().isVisible());
    const int started = w.pane.scheduler().layoutsStarted();
    QTest::keyClicks(w.editor, "more");
    QTest::qWait(PreviewScheduler::kDefaultDelayMs * 2);
    QCOMPARE(w.pane.scheduler().layoutsStarted(), started);
}

void PreviewTest::aBurstOfKeysGivesOneLayout() {
    Window w(Lines(60));
    w.pane.scheduler().setDelay(PreviewScheduler::kDefaultDelayMs);  // keys 20 ms apart stay inside
    const int started = w.pane.scheduler().layoutsStarted();
    QSignalSpy shown(&w.pane, &PreviewPane::pagesShown);
    w.editor->moveCursor(QTextCursor::End);
    for (const char key : QByteArray("a quick burst")) {
        QTest::keyClick(w.editor, key);
        QTest::qWait(20);  // well inside the pause that starts a layout
    }
    QVERIFY(shown.wait(kLayoutWaitMs));
    QCOMPARE(w.pane.scheduler().layoutsStarted(), started + 1);
    QCOMPARE(w.pane.shownGeneration(), w.pane.scheduler().generation());
    QTest::qWait(PreviewScheduler::kDefaultDelayMs * 2);
    QCOMPARE(shown.count(), 1);
}

// A short text is laid out soon after the keys stop; a long one waits the whole pause; a
// fixed pause stays what it was set to.
void PreviewTest::thePauseFollowsTheCostOfTheLastLayout() {
    QCOMPARE(PreviewScheduler::PauseAfter(0), PreviewScheduler::kShortestDelayMs);
    QCOMPARE(PreviewScheduler::PauseAfter(40), 160);
    QCOMPARE(PreviewScheduler::PauseAfter(900), PreviewScheduler::kDefaultDelayMs);
    Window w(Lines(5));
    QSignalSpy shown(&w.pane, &PreviewPane::pagesShown);
    w.pane.scheduler().setDelay(250);
    w.pane.scheduler().LayOutNow();
    QVERIFY(shown.wait(kLayoutWaitMs));
    QCOMPARE(w.pane.scheduler().delay(), 250);
}

void PreviewTest::anObsoleteResultIsDropped() {
    test::TestContext t;
    QString text = "first text";
    PreviewScheduler scheduler([&] {
        ExportJob job = TakeExportJob(t.context, scrivane::kTargetPdf, text);
        return job;
    });
    scheduler.setActive(true);
    QList<quint64> shown;
    connect(&scheduler, &PreviewScheduler::laidOut, this,
            [&](std::shared_ptr<const PreviewResult> result) { shown << result->generation; });
    scheduler.LayOutNow();
    // An edit while the layout runs: its result can only arrive after this.
    text = "second text";
    scheduler.TextChanged();
    QTRY_COMPARE_WITH_TIMEOUT(shown.size(), 1, kLayoutWaitMs);
    QCOMPARE(scheduler.resultsDropped(), 1);
    QCOMPARE(scheduler.layoutsStarted(), 2);
    QCOMPARE(shown.front(), scheduler.generation());
}

void PreviewTest::newPagesKeepTheScrollPosition() {
    Window w(Lines(400));
    QScrollBar* bar = w.pane.view().verticalScrollBar();
    QVERIFY(bar->maximum() > 1000);
    bar->setValue(bar->maximum() / 2);
    const int top = w.viewTop();
    // An edit that moves no line (the caret's line stays where the view is not).
    QSignalSpy shown(&w.pane, &PreviewPane::pagesShown);
    QTextCursor cursor(w.editor->document()->lastBlock());
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText("!");
    QVERIFY(shown.wait(kLayoutWaitMs));
    QCOMPARE(w.viewTop(), top);
}

void PreviewTest::aBadImageIsReportedAndThePagesStillShow() {
    Window w("A line before\n<img src='missing-picture.jpg'>\nA line after");
    QCOMPARE(w.pane.view().pageCount(), 1);
    const scrivane::Diagnostics& reports = w.window.aids().highlighting().engineReports();
    QCOMPARE(int(reports.size()), 1);
    QCOMPARE(reports[0].line, 2);
    QCOMPARE(reports[0].kind, scrivane::DiagnosticKind::kImageNotPlaced);
    // The caret is on line 1: the status line names the problem elsewhere.
    w.editor->moveCursor(QTextCursor::Start);
    QVERIFY2(w.report().startsWith("Line 2: image not placed: missing-picture.jpg"),
             qPrintable(w.report()));

    // A JPEG cut short, as a header on every page and on a line of its own.
    const QByteArray logo = test::FileBytes(QString(SCRIVANE_TESTDATA) + "/logo.jpg");
    test::WriteFileBytes(w.folders.data() + "/cut.jpg", logo.left(300));
    w.SetText("<set>imgheader=%apppath%/cut.jpg\nText\n<img src='%apppath%/cut.jpg'>\nMore");
    QCOMPARE(w.pane.view().pageCount(), 1);
    QCOMPARE(int(reports.size()), 2);
    QCOMPARE(reports[0].line, 1);
    QCOMPARE(reports[1].line, 3);
    QCOMPARE(reports[1].kind, scrivane::DiagnosticKind::kImageNotPlaced);

    // Characters no font can show (Greek is shown, an unassigned code point is not), and a
    // command the engine refuses.
    w.SetText("fine\n<set>fontsize=huge\nGreek \u03b1\u03b2 \u0378");
    QCOMPARE(int(reports.size()), 2);
    QCOMPARE(reports[0].line, 2);
    QCOMPARE(reports[1].line, 3);
    QCOMPARE(reports[1].kind, scrivane::DiagnosticKind::kCharacterReplaced);
    w.editor->setTextCursor(QTextCursor(w.editor->document()->lastBlock()));
    QVERIFY2(w.report().startsWith("Line 3: character replaced: \u0378"),
             qPrintable(w.report()));
    w.editor->moveCursor(QTextCursor::Start);
    QVERIFY2(w.report().endsWith("(+1)"), qPrintable(w.report()));
}

void PreviewTest::reportsFollowTheCaretInFrench() {
    test::TestContext t;
    t.settings.setLanguage("Francais");
    t.captions.setLangue("Francais");
    t.settings.setShowStatusBar(true);
    t.settings.setShowPreview(true);
    frmScrivane window(t.context);
    window.Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.action("mnuPreview")->text().remove('&'), QString("Aperçu des pages"));
    QSignalSpy shown(&window.preview(), &PreviewPane::pagesShown);
    window.editor()->setPlainText("un\n<img src='absente.jpg'>");
    QVERIFY(shown.wait(kLayoutWaitMs));
    const QString report = window.findChild<QLabel*>("lblLineReport")->text();
    QVERIFY2(report.startsWith("Ligne 2: image non placée: absente.jpg"), qPrintable(report));
    // Hidden, the reports go: they would not follow the text any more.
    window.action("mnuPreview")->trigger();
    QCOMPARE(window.findChild<QLabel*>("lblLineReport")->text(), QString());
}

void PreviewTest::switchAndWidthAreRemembered() {
    test::TestContext t;
    {
        frmScrivane window(t.context);
        window.Load();
        window.resize(1000, 600);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.preview().shown());
        QTest::keyClick(window.editor(), Qt::Key_F5);
        QVERIFY(window.preview().shown());
        QVERIFY(t.settings.showPreview().isOn());
        auto* splitter = window.findChild<QSplitter*>("splPreview");
        QVERIFY(std::abs(splitter->sizes()[1] - splitter->width() / 2) < 10);
        splitter->setSizes({700, 300});
        emit splitter->splitterMoved(700, 1);
        QVERIFY(std::abs(t.settings.previewWidth() - 300 * 15) <= 2 * 15);
    }
    frmScrivane again(t.context);
    again.Load();
    again.resize(1000, 600);
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    QVERIFY(again.preview().shown());
    QVERIFY(again.action("mnuPreview")->isChecked());
    auto* splitter = again.findChild<QSplitter*>("splPreview");
    QVERIFY2(std::abs(splitter->sizes()[1] - 300) <= 4, qPrintable(QString::number(splitter->sizes()[1])));
    QTest::keyClick(again.editor(), Qt::Key_F5);
    QVERIFY(!again.preview().shown());
    QVERIFY(t.settings.showPreview().isOff());
}

void PreviewTest::zoomKeepsThePointUnderTheMouse() {
    Window w(Lines(200));
    PreviewView& view = w.pane.view();
    const int fitted = view.PageRect(0).width();
    const QPoint mouse(view.viewport()->width() / 2, 100);
    const PreviewView::PagePoint before = view.PageAt(mouse);
    QVERIFY(before.page >= 0);
    QWheelEvent wheel(QPointF(mouse), view.viewport()->mapToGlobal(QPointF(mouse)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(view.viewport(), &wheel);
    QCOMPARE(view.zoom(), PreviewView::kZoomStep);
    QVERIFY(view.PageRect(0).width() > fitted * 1.2);
    const PreviewView::PagePoint after = view.PageAt(mouse);
    QCOMPARE(after.page, before.page);
    QVERIFY(std::abs(after.point.y() - before.point.y()) < 2);
    // And back to the pane's width.
    view.setZoom(1.0);
    QCOMPARE(view.PageRect(0).width(), fitted);
    QCOMPARE(view.zoomMode(), QPdfView::ZoomMode::FitToWidth);
}

// The view's own page navigation scrolls to the top of a page: our page rectangles
// must put it at the same place, in both zoom modes.
void PreviewTest::pageRectsAreWhereTheViewDrawsThem() {
    Window w(Lines(400));
    PreviewView& view = w.pane.view();
    for (double zoom : {1.0, 1.5}) {
        view.setZoom(zoom);
        for (int page : {3, 1, view.pageCount() - 2}) {
            view.pageNavigator()->jump(page, QPointF(), view.zoomFactor());
            QCOMPARE(view.verticalScrollBar()->value(),
                     std::min(view.PageRect(page).top(), view.verticalScrollBar()->maximum()));
        }
    }
}

// Two columns on page 0, line 3 wrapped from the foot of the first column to the top of
// the second, line 5 wrapped onto page 1; lines 2 and 6 show nothing (commands).
void PreviewTest::lineMapFindsRunsSideBySideAndAcrossPages() {
    PreviewLineMap map;
    map.Add({1, 50, 40, 200, 14, 5});     // added out of order on purpose
    map.Add({0, 50, 40, 200, 14, 1});
    map.Add({0, 50, 700, 200, 14, 3});
    map.Add({0, 300, 40, 200, 14, 3});
    map.Add({0, 300, 56, 200, 14, 4});
    map.Add({0, 300, 700, 200, 14, 5});
    map.Add({1, 50, 56, 120, 14, 7});
    map.Index();

    auto place = [&](int line) {
        const std::optional<PagePlace> at = map.PlaceOfLine(line);
        return at ? QString("%1@%2").arg(at->page).arg(at->y) : QString("none");
    };
    QCOMPARE(place(1), QString("0@40"));
    QCOMPARE(place(2), QString("0@700"));  // nothing shown: the next line's place
    QCOMPARE(place(3), QString("0@700"));  // its first piece, not the one higher up
    QCOMPARE(place(5), QString("0@700"));
    QCOMPARE(place(6), QString("1@56"));
    QCOMPARE(place(99), QString("1@56"));  // past the end: the last line shown
    QCOMPARE(place(0), QString("0@40"));

    // Side by side at the same height, the column decides.
    QCOMPARE(map.LineAt(0, 60, 50).value(), 1);
    QCOMPARE(map.LineAt(0, 310, 50).value(), 3);
    QCOMPARE(map.LineAt(0, 310, 62).value(), 4);
    // Between the runs, the nearest; on the second page, its own runs.
    QCOMPARE(map.LineAt(0, 280, 48).value(), 3);
    QCOMPARE(map.LineAt(0, 100, 500).value(), 3);
    QCOMPARE(map.LineAt(1, 60, 45).value(), 5);
    QCOMPARE(map.LineAt(1, 400, 60).value(), 7);
    QVERIFY(!map.LineAt(2, 60, 45));
    QVERIFY(!PreviewLineMap().PlaceOfLine(1));
}

// Where the rendered PDF shows a word: its page and box in points, found in the page's
// own text, not in the layout the map was built from.
struct Found {
    int page = -1;
    QRectF box;
};

Found FindOnPages(QPdfDocument* pdf, const QString& word) {
    for (int page = 0; page < pdf->pageCount(); ++page) {
        const int at = pdf->getAllText(page).text().indexOf(word);
        if (at >= 0) return {page, pdf->getSelectionAtIndex(page, at, int(word.size())).boundingRectangle()};
    }
    return {};
}

// Two columns, every third line long enough to wrap; the caret on a line brings its page
// into view, a double click on a line's words puts the caret on that line.
void PreviewTest::caretAndPagesLeadEachOtherThroughColumnsAndWraps() {
    QStringList text{"<set>linelength=200", "<set>columns=2"};
    for (int n = 3; n <= 400; ++n) {
        const QString words = n % 3 ? QString("short") : QString("and a longer one that wraps ").repeated(3);
        text << QString("w%1x %2 end%1x").arg(n).arg(words);
    }
    Window w(text.join('\n'));
    PreviewView& view = w.pane.view();
    QVERIFY(view.pageCount() >= 4);
    QPdfDocument* pdf = view.document();
    const PreviewLineMap& map = w.pane.lines();
    QVERIFY(!map.empty());

    // Lines in the first and second column, on the first page and later ones, and the
    // last piece of a wrapped line, which stands lines below its first.
    int inSecondColumn = 0;
    for (const int line : {3, 61, 99, 212, 303, 399}) {
        const Found start = FindOnPages(pdf, QString("w%1x").arg(line));
        const Found end = FindOnPages(pdf, QString("end%1x").arg(line));
        QVERIFY2(start.page >= 0 && end.page >= 0, qPrintable(QString::number(line)));
        if (start.box.left() > 250) ++inSecondColumn;
        if (line % 3 == 0) QVERIFY(end.page > start.page || end.box.top() != start.box.top());
        const std::optional<PagePlace> place = map.PlaceOfLine(line);
        QVERIFY(place);
        QCOMPARE(place->page, start.page);
        QVERIFY2(std::abs(place->y - start.box.top()) < 6, qPrintable(QString::number(line)));
        QCOMPARE(map.LineAt(start.page, start.box.center().x(), start.box.center().y()).value(), line);
        QCOMPARE(map.LineAt(end.page, end.box.center().x(), end.box.center().y()).value(), line);

        // The caret leads the view to the line's page...
        w.editor->setTextCursor(QTextCursor(w.editor->document()->findBlockByNumber(line - 1)));
        const QPoint onPage = view.ViewportPosition(start.page, start.box.center());
        QVERIFY2(view.viewport()->rect().contains(onPage), qPrintable(QString::number(line)));
        // ... and a double click on the end of the line leads the caret back to it.
        w.editor->moveCursor(QTextCursor::Start);
        view.verticalScrollBar()->setValue(view.PageRect(end.page).top());
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {},
                           view.ViewportPosition(end.page, end.box.center()));
        QCOMPARE(w.editor->textCursor().blockNumber() + 1, line);
    }
    QVERIFY(inSecondColumn > 0);
}

QTEST_MAIN(PreviewTest)
#include "PreviewTest.moc"
