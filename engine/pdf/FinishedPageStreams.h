#pragma once
// The first content stream of every page the layout has finished, built and deflated on
// other threads while the layout goes on with the next pages, so that the PDF writer
// finds most of its work done when the layout ends. A page's stream is built exactly as
// the writer would build it, so the file's bytes do not change; a page changed after it
// was handed over is noticed by its counts and built again by the writer.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "model/vorPage.h"

namespace scrivane {

class FinishedPageStreams {
public:
    // The resource name ("F" + FontID) of each font name, as the writer will list them.
    using FontIds = std::unordered_map<std::string, std::string>;

    // A page's first block as an object text (after its number), with what the writer
    // needs to go on from it.
    struct Built {
        std::string object;
        bool wordSpacingSet = false;  // left set by the block's last run
        bool charSpacingSet = false;
        int32_t pageHeight = 0;       // the height its y values were turned with
        // The block's counts once built (and let go): a block changed later differs.
        size_t texts = 0;
        size_t lines = 0;
        size_t images = 0;
    };

    // workers: threads of its own (at least 1). letRunsGo: a page's first block is
    // emptied once its stream is built, so that the runs of the whole text are never held
    // at once; such a page can no longer be built again (see Lost).
    FinishedPageStreams(unsigned workers, bool letRunsGo);
    ~FinishedPageStreams();
    FinishedPageStreams(const FinishedPageStreams&) = delete;
    FinishedPageStreams& operator=(const FinishedPageStreams&) = delete;

    // Hands over page `index` (0-based), which the caller no longer changes until Finish;
    // its y values are turned with pageHeight, its fonts named by fontIds.
    void Add(size_t index, vorPage& page, int32_t pageHeight,
             std::shared_ptr<const FontIds> fontIds);
    // Builds what is still waiting on the calling thread as well, then stops the threads.
    // Needed before the pages are changed or read again.
    void Finish();

    // The built block of page `index` when it is still as it was built, else nothing.
    // After Finish.
    std::optional<Built> Take(size_t index, const vorPage& page);
    // Drops the block built for page `index`: the page changed. After Finish.
    void Forget(size_t index);
    // Drops it when the page is no longer as it was built (its height set since). After
    // Finish.
    void Recheck(size_t index, const vorPage& page);
    // Page `index` was handed over, its runs were let go and its built block is gone
    // (dropped, or taken by a writer before): its stream cannot be built any more.
    bool Lost(size_t index) const;
    // Some page's runs were let go and its built block dropped because the page changed:
    // the text must be laid out again before the document can be written.
    bool AnyLost() const;

private:
    struct Job {
        size_t index;
        vorPage* page;
        int32_t pageHeight;
        std::shared_ptr<const FontIds> fontIds;
    };
    struct Result {
        std::optional<Built> built;
        bool emptied = false;    // its runs were let go
        bool forgotten = false;  // dropped because the page changed
    };

    // Drops a built block because its page changed.
    static void Drop(Result& result);
    void Work();
    // Takes the next job and runs it with the lock released; locked on entry and exit.
    void RunOne(std::unique_lock<std::mutex>& lock);
    std::optional<Built> Build(const Job& job) const;

    const bool letRunsGo_;
    mutable std::mutex mutex_;
    std::condition_variable waiting_;  // a job added, or stopping
    std::condition_variable done_;     // a job finished
    std::deque<Job> jobs_;
    std::vector<Result> results_;
    size_t running_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> workers_;  // last: started once everything above is ready
};

}  // namespace scrivane
