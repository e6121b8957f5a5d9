#include "pdf/FinishedPageStreams.h"

#include <system_error>

#include "pdf/PdfObjects.h"

namespace scrivane {

namespace {

bool StillAsBuilt(const FinishedPageStreams::Built& built, const vorPage& page) {
    if (page.Contents.empty() || built.pageHeight != PageHeightOrDefault(page.PageHeight)) return false;
    const vorContent& block = page.Contents.front();
    return block.Texts.size() == built.texts && block.Lines.size() == built.lines &&
           block.Images.size() == built.images;
}

}  // namespace

FinishedPageStreams::FinishedPageStreams(unsigned workers, bool letRunsGo)
    : letRunsGo_(letRunsGo) {
    try {
        for (unsigned w = 0; w < workers; ++w) workers_.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {
        // No more threads to be had: Finish builds what the others did not.
    }
}

FinishedPageStreams::~FinishedPageStreams() {
    // A document dropped before it was written: what waits is not built.
    {
        std::lock_guard lock(mutex_);
        jobs_.clear();
    }
    Finish();
}

void FinishedPageStreams::Add(size_t index, vorPage& page, int32_t pageHeight,
                              std::shared_ptr<const FontIds> fontIds) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_) return;
        if (results_.size() <= index) results_.resize(index + 1);
        jobs_.push_back({index, &page, pageHeight, std::move(fontIds)});
    }
    waiting_.notify_one();
}

void FinishedPageStreams::Finish() {
    std::unique_lock lock(mutex_);
    stopping_ = true;
    waiting_.notify_all();
    while (!jobs_.empty()) RunOne(lock);
    done_.wait(lock, [this] { return running_ == 0; });
    lock.unlock();
    for (std::thread& worker : workers_) worker.join();
    workers_.clear();
}

std::optional<FinishedPageStreams::Built> FinishedPageStreams::Take(size_t index,
                                                                     const vorPage& page) {
    std::lock_guard lock(mutex_);
    if (index >= results_.size()) return std::nullopt;
    Result& result = results_[index];
    if (!result.built) return std::nullopt;
    if (!StillAsBuilt(*result.built, page)) {
        Drop(result);
        return std::nullopt;
    }
    std::optional<Built> built = std::move(result.built);
    result.built.reset();
    return built;
}

void FinishedPageStreams::Forget(size_t index) {
    std::lock_guard lock(mutex_);
    if (index < results_.size() && results_[index].built) Drop(results_[index]);
}

void FinishedPageStreams::Recheck(size_t index, const vorPage& page) {
    std::lock_guard lock(mutex_);
    if (index >= results_.size()) return;
    Result& result = results_[index];
    if (result.built && !StillAsBuilt(*result.built, page)) Drop(result);
}

void FinishedPageStreams::Drop(Result& result) {
    result.built.reset();
    result.forgotten = true;
}

bool FinishedPageStreams::Lost(size_t index) const {
    std::lock_guard lock(mutex_);
    return index < results_.size() && results_[index].emptied && !results_[index].built;
}

bool FinishedPageStreams::AnyLost() const {
    std::lock_guard lock(mutex_);
    for (const Result& result : results_) {
        if (result.emptied && result.forgotten) return true;
    }
    return false;
}

void FinishedPageStreams::Work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        waiting_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (jobs_.empty()) return;
        RunOne(lock);
    }
}

void FinishedPageStreams::RunOne(std::unique_lock<std::mutex>& lock) {
    Job job = std::move(jobs_.front());
    jobs_.pop_front();
    ++running_;
    lock.unlock();
    std::optional<Built> built;
    bool emptied = false;
    try {
        built = Build(job);
        if (built && letRunsGo_) {
            job.page->Contents.front() = vorContent{};
            emptied = true;
            built->texts = built->lines = built->images = 0;
        }
    } catch (...) {
        // Out of memory: the writer builds the page itself from its runs.
        built.reset();
    }
    lock.lock();
    Result& result = results_[job.index];
    result.built = std::move(built);
    result.emptied = emptied;
    --running_;
    done_.notify_all();
}

std::optional<FinishedPageStreams::Built> FinishedPageStreams::Build(const Job& job) const {
    const vorContent& block = job.page->Contents.front();
    PdfWriteState state;  // deflated with Compress, as the writer's own streams are
    state.fontIds = *job.fontIds;
    state.currentPageHeight = job.pageHeight;
    Built built;
    if (!toFS(built.object, block, state)) return std::nullopt;
    built.wordSpacingSet = state.wordSpacingSet;
    built.charSpacingSet = state.charSpacingSet;
    built.pageHeight = job.pageHeight;
    built.texts = block.Texts.size();
    built.lines = block.Lines.size();
    built.images = block.Images.size();
    return built;
}

}  // namespace scrivane
