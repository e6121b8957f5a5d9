// preview_bench: how far the page preview lags behind the keys, and what it costs the
// keys. Drives the real main window offscreen with the preview on: a key typed in the
// text, the pause that starts a layout, the layout and PDF built on the worker thread,
// the PDF loaded into the view, the visible page rendered and painted. Then types in
// bursts with the preview on and off and times every key from the moment it was queued
// to the moment the editor had handled it. Prints medians of several runs.
//
// With --screenshot FILE it instead opens a text (--text, with its format file given by
// --format-file as the PDF default) and saves a picture of the window with its preview.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPdfPageRenderer>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "BenchText.h"
#include "preview/PreviewPane.h"
#include "preview/PreviewScheduler.h"
#include "preview/PreviewView.h"
#include "SilentPrompts.h"
#include "shell/AppContext.h"
#include "shell/DocumentManager.h"
#include "shell/frmScrivane.h"

using namespace scrivane::app;

namespace {

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Quantile(std::vector<double> values, double q) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(q * double(values.size())))];
}

// Runs the event loop until `done` holds or the time is up; false on time out.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 60000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

// Milestones of one key's way to the screen, in ms from the key.
struct Trip {
    double started = 0;  // the pause is over: the layout goes to the worker
    double arrived = 0;  // the result is back and loaded into the view
    double shown = 0;    // the visible page rendered and painted
    double layoutMs = 0, buildMs = 0, readMs = 0;  // on the worker
    double showMs = 0;  // handing the pages to the view, on the user-interface thread
};

// Watches the window's preview: when a layout starts, when pages arrive, when the view
// paints a page rendered after them.
class Watch : public QObject {
public:
    explicit Watch(frmScrivane& window) : pane_(window.preview()) {
        QObject::connect(&pane_.scheduler(), &PreviewScheduler::started, this,
                         [this] { started_ = clock_.nsecsElapsed(); });
        QObject::connect(&pane_, &PreviewPane::pagesShown, this,
                         [this] { arrived_ = clock_.nsecsElapsed(); });
        auto* renderer = pane_.view().findChild<QPdfPageRenderer*>();
        QObject::connect(renderer, &QPdfPageRenderer::pageRendered, this, [this] {
            if (arrived_ > 0) rendered_ = true;
        });
        pane_.view().viewport()->installEventFilter(this);
    }
    void Reset() {
        started_ = arrived_ = painted_ = 0;
        rendered_ = false;
        clock_.start();
    }
    bool shown() const { return painted_ > 0; }
    Trip trip() const {
        const PreviewPane::Times times = pane_.lastTimes();
        return {started_ / 1e6,          arrived_ / 1e6,         painted_ / 1e6,
                double(times.layoutMs), double(times.buildMs), double(times.readMs),
                double(times.showMs)};
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && rendered_ && painted_ == 0) {
            painted_ = clock_.nsecsElapsed();
        }
        return false;
    }

private:
    PreviewPane& pane_;
    QElapsedTimer clock_;
    qint64 started_ = 0, arrived_ = 0, painted_ = 0;
    bool rendered_ = false;
};

// One key in the middle of the visible text; the time until its page is painted.
Trip TimeOneKey(frmScrivane& window, Watch& watch) {
    QPlainTextEdit* editor = window.editor();
    watch.Reset();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
    QCoreApplication::sendEvent(editor, &press);
    if (!WaitFor([&] { return watch.shown(); })) std::fprintf(stderr, "no page shown\n");
    return watch.trip();
}

void PrintTrips(const char* label, int pages, const std::vector<Trip>& trips) {
    auto column = [&](double Trip::*field) {
        std::vector<double> values;
        for (const Trip& trip : trips) values.push_back(trip.*field);
        return Median(values);
    };
    std::vector<double> afterPause;
    for (const Trip& trip : trips) afterPause.push_back(trip.shown - trip.started);
    std::printf("%-10s %6d %5zu %10.0f %12.0f %6.0f %7.0f %6.0f %5.0f %5.0f %7.0f\n", label,
                pages, trips.size(), column(&Trip::shown), Median(afterPause),
                column(&Trip::started), column(&Trip::layoutMs), column(&Trip::buildMs),
                column(&Trip::readMs), column(&Trip::showMs),
                column(&Trip::shown) - column(&Trip::arrived));
}

// Keys queued in bursts (a key every 40 ms, then a pause long enough to start a layout,
// of a length that varies so that the next burst meets the layout at every stage: taking
// the text, running, handing its pages to the view); each key timed from its queueing to
// the end of the editor's handling of it.
class KeyTimer : public QObject {
public:
    explicit KeyTimer(QPlainTextEdit* editor) : editor_(editor) {
        editor_->installEventFilter(this);
    }
    std::vector<double> Type(int bursts, int keysPerBurst) {
        latencies_.clear();
        clock_.start();
        for (int burst = 0; burst < bursts; ++burst) {
            for (int key = 0; key < keysPerBurst; ++key) {
                queued_.push_back(clock_.nsecsElapsed());
                QCoreApplication::postEvent(
                    editor_, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
                Pump(40);
            }
            Pump(PreviewScheduler::kDefaultDelayMs + 10 + (burst * 170) % 1500);
        }
        return latencies_;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || handling_ || queued_.empty()) return false;
        handling_ = true;
        QCoreApplication::sendEvent(watched, event);
        handling_ = false;
        latencies_.push_back((clock_.nsecsElapsed() - queued_.front()) / 1e6);
        queued_.erase(queued_.begin());
        return true;
    }

private:
    static void Pump(int ms) {
        QElapsedTimer wait;
        wait.start();
        while (wait.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }

    QPlainTextEdit* editor_;
    QElapsedTimer clock_;
    std::vector<qint64> queued_;
    std::vector<double> latencies_;
    bool handling_ = false;
};

struct Bench {
    bench::SilentPrompts prompts;
    AppPaths paths = AppPaths::FromEnvironment();
    AppSettings settings{paths.settingsStore()};
    clsCaption captions{paths.dataFolder()};
    AppContext context{paths, settings, captions, prompts, {}, {}};

    Bench() {
        paths.CreateFolders();
        settings.setShowStatusBar(true);
    }
};

// A window showing `text` with its preview, the caret in the middle of the text.
void ShowText(frmScrivane& window, const QString& text) {
    window.Load();
    window.resize(1400, 900);
    window.show();
    bool shown = !window.preview().shown();  // nothing to wait for without the preview
    const QMetaObject::Connection arrival =
        QObject::connect(&window.preview(), &PreviewPane::pagesShown, [&] { shown = true; });
    window.editor()->setPlainText(text);
    WaitFor([&] { return shown; }, 600000);
    QObject::disconnect(arrival);
    QTextCursor middle(window.editor()->document()->findBlockByNumber(
        window.editor()->document()->blockCount() / 2));
    window.editor()->setTextCursor(middle);
    window.editor()->centerCursor();
    WaitFor([] { return false; }, 500);  // the first pages rendered and painted
}

void LagBench(Bench& bench, const char* label, int lines, int runs) {
    const QString text = QString::fromStdString(bench::MakeProse(lines, 7));
    bench.settings.setShowPreview(true);
    frmScrivane window(bench.context);
    ShowText(window, text);
    Watch watch(window);
    std::vector<Trip> trips;
    for (int run = 0; run < runs; ++run) trips.push_back(TimeOneKey(window, watch));
    PrintTrips(label, window.preview().view().pageCount(), trips);
}

void TypingBench(Bench& bench, const char* label, int lines) {
    const QString text = QString::fromStdString(bench::MakeProse(lines, 7));
    for (const bool preview : {false, true}) {
        bench.settings.setShowPreview(preview);
        frmScrivane window(bench.context);
        ShowText(window, text);
        KeyTimer keys(window.editor());
        const std::vector<double> latencies = keys.Type(16, 8);
        const int layouts = window.preview().scheduler().layoutsStarted();
        std::printf("%-10s %-8s %6zu %8.2f %8.2f %8.2f %8d\n", label, preview ? "on" : "off",
                    latencies.size(), Median(latencies), Quantile(latencies, 0.95),
                    *std::max_element(latencies.begin(), latencies.end()), layouts);
    }
}

// Copies the images beside the text into the data folder, where "%apppath%" finds them.
int Screenshot(Bench& bench, const QStringList& args) {
    const QString out = args.value(args.indexOf("--screenshot") + 1);
    const QString textPath = args.value(args.indexOf("--text") + 1);
    if (args.contains("--format-file")) {
        const QString format = args.value(args.indexOf("--format-file") + 1);
        QFile::remove(bench.paths.defaultFormatFile(10));
        QFile::copy(format, bench.paths.defaultFormatFile(10));
    }
    if (args.contains("--language")) {
        bench.settings.setLanguage(args.value(args.indexOf("--language") + 1));
        bench.captions.setLangue(bench.settings.language());
    }
    bench.settings.setShowPreview(true);
    frmScrivane window(bench.context);
    window.Load();
    window.resize(1400, 900);
    window.show();
    bool shown = false;
    QObject::connect(&window.preview(), &PreviewPane::pagesShown, [&] { shown = true; });
    window.documents().OpenFile(textPath);
    WaitFor([&] { return shown; });
    if (args.contains("--line")) {
        const int line = args.value(args.indexOf("--line") + 1).toInt();
        window.editor()->setTextCursor(
            QTextCursor(window.editor()->document()->findBlockByNumber(line - 1)));
    }
    WaitFor([] { return false; }, 1500);  // rendered and painted
    return window.grab().save(out) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    // Offscreen unless a platform is chosen (xvfb-run -a with QT_QPA_PLATFORM=xcb draws
    // the screenshot through a real X server).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir folder;
    const QStringList args = application.arguments();
    qputenv("SCRIVANE_USER_DIR", (folder.path() + "/user").toUtf8());
    if (args.contains("--screenshot")) {
        // The shipped data and the images beside the text, for "%apppath%".
        const QString data = folder.path() + "/data";
        QDir().mkpath(data);
        const QString source = qEnvironmentVariable("SCRIVANE_DATA_DIR", SCRIVANE_SOURCE_DATA);
        for (const QFileInfo& file : QDir(source).entryInfoList(QDir::Files)) {
            QFile::copy(file.filePath(), data + "/" + file.fileName());
        }
        const QString textPath = args.value(args.indexOf("--text") + 1);
        for (const QFileInfo& image : QFileInfo(textPath).dir().entryInfoList({"*.jpg"})) {
            QFile::copy(image.filePath(), data + "/" + image.fileName());
        }
        qputenv("SCRIVANE_DATA_DIR", data.toUtf8());
        Bench bench;
        return Screenshot(bench, args);
    }
    if (!qEnvironmentVariableIsSet("SCRIVANE_DATA_DIR")) {
        qputenv("SCRIVANE_DATA_DIR", SCRIVANE_SOURCE_DATA);
    }
    const int runs = args.contains("--runs") ? args.value(args.indexOf("--runs") + 1).toInt() : 7;
    const bool quick = args.contains("--quick");  // the 20 pages only
    Bench bench;

    std::printf("From a key to its page on screen (ms, medians of %d runs)\n", runs);
    std::printf("%-10s %6s %5s %10s %12s %6s %7s %6s %5s %5s %7s\n", "text", "pages", "runs",
                "key->shown", "pause->shown", "pause", "layout", "build", "open", "show",
                "render");
    LagBench(bench, "20 pages", 830, runs);
    if (!quick) LagBench(bench, "100,000", 100000, std::max(3, runs / 2));

    std::printf("\nKeys typed in bursts, from queued to handled (ms)\n");
    std::printf("%-10s %-8s %6s %8s %8s %8s %8s\n", "text", "preview", "keys", "median", "p95",
                "max", "layouts");
    TypingBench(bench, "20 pages", 830);
    if (!quick) TypingBench(bench, "100,000", 100000);
    return 0;
}
