#pragma once
// When the preview lays the text out again: once the user has stopped typing for a
// moment (every edit starts the wait anew, so a burst of keys gives one layout), on a
// worker thread of its own, one layout at a time. Every edit makes the results of
// earlier text obsolete: they are dropped when they arrive.
#include <QElapsedTimer>
#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <functional>
#include <memory>

#include "shell/ExportJob.h"

namespace scrivane::app {

struct PreviewResult;

class PreviewScheduler : public QObject {
    Q_OBJECT
public:
    // Takes the job on the user-interface thread when a layout starts.
    using JobSource = std::function<ExportJob()>;
    // The pause follows the cost of the last layout: four times what it took, from 100 ms
    // for a short text (its pages follow the keys closely) to 300 ms for a long one (a
    // layout started in the middle of a word would be thrown away).
    static constexpr int kDefaultDelayMs = 300;
    static constexpr int kShortestDelayMs = 100;
    static int PauseAfter(qint64 layoutMs);

    explicit PreviewScheduler(JobSource source, QObject* parent = nullptr);
    // Waits for a layout still running: its result has nowhere to go.
    ~PreviewScheduler() override;

    // The text changed: a newer generation, and the wait starts again.
    void TextChanged();
    // Lays out at once (the pane was shown, the format options changed).
    void LayOutNow();
    // Inactive (the pane hidden), edits only count: nothing is laid out.
    void setActive(bool active);
    bool active() const { return active_; }
    // A fixed pause instead of one that follows the layouts' cost.
    void setDelay(int ms) {
        timer_.setInterval(ms);
        fixedDelay_ = true;
    }
    int delay() const { return timer_.interval(); }

    quint64 generation() const { return generation_; }
    bool busy() const { return running_; }
    // For tests and the benchmark.
    int layoutsStarted() const { return started_; }
    int resultsDropped() const { return dropped_; }

signals:
    // A layout of generation `generation` went to the worker.
    void started(quint64 generation);
    // A layout of the current text; its PDF may be empty when the build failed.
    void laidOut(std::shared_ptr<const PreviewResult> result);

private:
    void Start();
    void Finished(std::shared_ptr<const PreviewResult> result);

    JobSource source_;
    QTimer timer_;
    QThreadPool worker_;
    quint64 generation_ = 1;
    bool active_ = false;
    bool running_ = false;
    bool pending_ = false;  // a layout is due once the running one ends
    bool fixedDelay_ = false;
    QElapsedTimer layoutClock_;
    int started_ = 0;
    int dropped_ = 0;
};

}  // namespace scrivane::app
