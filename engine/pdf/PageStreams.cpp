#include "pdf/PageStreams.h"

#include <algorithm>
#include <thread>

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

PageStreams::PageStreams(const vorPages& pages, const PdfWriteState& model, unsigned threads)
    : pages_(pages),
      states_(ThreadsFor(threads), model),
      pool_(pages.Kids.size(), ThreadsFor(threads), kPagesAheadPerThread * ThreadsFor(threads),
            [this](size_t index, unsigned worker) { return Build(index, worker); }) {}

PageStreams::Page PageStreams::Build(size_t index, unsigned worker) {
    const vorPage& page = *pages_.Kids[index];
    PdfWriteState& state = states_[worker];
    StartPage(page, state);
    Page result;
    result.objects.reserve(page.Contents.size());
    for (const vorContent& content : page.Contents) {
        std::string object;
        if (!toFS(object, content, state)) {
            result.failed = true;
            break;
        }
        result.objects.push_back(std::move(object));
    }
    result.wordSpacingSet = state.wordSpacingSet;
    result.charSpacingSet = state.charSpacingSet;
    return result;
}

bool PageStreams::Take(size_t index, std::vector<std::string>& objects, PdfWriteState& state) {
    Page page = pool_.Take(index);
    objects = std::move(page.objects);
    state.wordSpacingSet = page.wordSpacingSet;
    state.charSpacingSet = page.charSpacingSet;
    return !page.failed;
}

}  // namespace scrivane
