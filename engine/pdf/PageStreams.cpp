#include "pdf/PageStreams.h"

#include <algorithm>
#include <thread>

#include "util/Status.h"

namespace scrivane {

namespace {

// Pages a thread may run ahead of the writer: enough to keep every thread busy while the
// writer copies, few enough that their streams stay a small part of the file's size.
constexpr size_t kPagesAheadPerThread = 8;
constexpr unsigned kMostThreads = 16;

unsigned ThreadsFor(unsigned asked) {
    return std::clamp(asked == 0 ? PageStreams::DefaultThreads() : asked, 1u, kMostThreads);
}

}  // namespace

unsigned PageStreams::DefaultThreads() {
    return std::max(1u, std::thread::hardware_concurrency());
}

PageStreams::PageStreams(const vorPages& pages, const PdfWriteState& model, unsigned threads,
                         FinishedPageStreams* finished)
    : pages_(pages),
      finished_(model.compress && !model.deflate && !model.cidFonts ? finished : nullptr),
      states_(ThreadsFor(threads), model),
      pool_(pages.Kids.size(), ThreadsFor(threads), kPagesAheadPerThread * ThreadsFor(threads),
            [this](size_t index, unsigned worker) { return Build(index, worker); }) {}

PageStreams::Page PageStreams::Build(size_t index, unsigned worker) {
    const vorPage& page = *pages_.Kids[index];
    PdfWriteState& state = states_[worker];
    StartPage(page, state);
    Page result;
    result.objects.reserve(page.Contents.size());
    size_t block = 0;
    if (finished_) {
        if (auto built = finished_->Take(index, page)) {
            result.objects.push_back(std::move(built->object));
            state.wordSpacingSet = built->wordSpacingSet;
            state.charSpacingSet = built->charSpacingSet;
            block = 1;
        } else if (finished_->Lost(index)) {
            result.status = kPdfRunsLetGo;
            return result;
        }
    }
    for (; block < page.Contents.size(); ++block) {
        std::string object;
        if (!toFS(object, page.Contents[block], state)) {
            result.status = kPdfOutOfMemory;
            break;
        }
        result.objects.push_back(std::move(object));
    }
    result.wordSpacingSet = state.wordSpacingSet;
    result.charSpacingSet = state.charSpacingSet;
    return result;
}

int16_t PageStreams::Take(size_t index, std::vector<std::string>& objects,
                          PdfWriteState& state) {
    Page page = pool_.Take(index);
    objects = std::move(page.objects);
    state.wordSpacingSet = page.wordSpacingSet;
    state.charSpacingSet = page.charSpacingSet;
    return page.status;
}

}  // namespace scrivane
