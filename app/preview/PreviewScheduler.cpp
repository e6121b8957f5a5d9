#include "preview/PreviewScheduler.h"

#include "preview/PreviewLayout.h"

#include <algorithm>

namespace scrivane::app {

PreviewScheduler::PreviewScheduler(JobSource source, QObject* parent)
    : QObject(parent), source_(std::move(source)) {
    timer_.setSingleShot(true);
    timer_.setInterval(kDefaultDelayMs);
    connect(&timer_, &QTimer::timeout, this, &PreviewScheduler::Start);
    worker_.setMaxThreadCount(1);
    worker_.setExpiryTimeout(-1);  // the thread stays: no start-up cost on each layout
}

PreviewScheduler::~PreviewScheduler() { worker_.waitForDone(); }

int PreviewScheduler::PauseAfter(qint64 layoutMs) {
    return static_cast<int>(std::clamp<qint64>(4 * layoutMs, kShortestDelayMs, kDefaultDelayMs));
}

void PreviewScheduler::TextChanged() {
    ++generation_;
    if (active_) timer_.start();
}

void PreviewScheduler::LayOutNow() {
    timer_.stop();
    Start();
}

void PreviewScheduler::setActive(bool active) {
    active_ = active;
    if (!active_) {
        timer_.stop();
        pending_ = false;
    }
}

void PreviewScheduler::Start() {
    if (!active_) return;
    if (running_) {
        pending_ = true;  // one layout at a time: the next starts when this one ends
        return;
    }
    running_ = true;
    pending_ = false;
    ++started_;
    layoutClock_.start();
    // The job is taken here, on the user-interface thread; the worker reads only it.
    auto job = std::make_shared<ExportJob>(source_());
    const quint64 generation = generation_;
    emit started(generation);
    worker_.start([this, job, generation] {
        auto result = std::make_shared<const PreviewResult>(LayOutPreview(*job, generation));
        QMetaObject::invokeMethod(this, [this, result] { Finished(result); },
                                  Qt::QueuedConnection);
    });
}

void PreviewScheduler::Finished(std::shared_ptr<const PreviewResult> result) {
    running_ = false;
    if (!fixedDelay_) timer_.setInterval(PauseAfter(layoutClock_.elapsed()));
    if (result->generation != generation_ || !active_) {
        ++dropped_;  // the text changed meanwhile: a newer layout is coming
    } else {
        emit laidOut(std::move(result));
    }
    if (pending_ && !timer_.isActive()) Start();
}

}  // namespace scrivane::app
