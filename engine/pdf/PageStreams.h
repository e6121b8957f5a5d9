#pragma once
// The content-stream objects of every page, built and deflated on a few threads ahead of
// the writer and handed over in page order. Each page starts from the same state whatever
// thread builds it, so the bytes do not depend on the number of threads.
#include <cstddef>
#include <string>
#include <vector>

#include "model/vorPages.h"
#include "pdf/FinishedPageStreams.h"
#include "pdf/OrderedPool.h"
#include "pdf/PdfObjects.h"

namespace scrivane {

class PageStreams {
public:
    // `model` gives the fonts and the compression settings; threads 0 = one per core.
    // finished: first blocks built during the layout (null: none); they serve only when
    // the streams are deflated with Compress in Windows-1252, as they were built.
    PageStreams(const vorPages& pages, const PdfWriteState& model, unsigned threads,
                FinishedPageStreams* finished = nullptr);

    // The object texts (after their numbers) of page `index`'s blocks, in order; pages are
    // taken in order. The spacing a page's last stream leaves set goes into `state`, as if
    // the writer had built the streams itself. kPdfOk, kPdfOutOfMemory when a stream
    // could not be deflated, kPdfRunsLetGo when a page's runs are gone. Rethrows what
    // building a page threw (std::bad_alloc).
    int16_t Take(size_t index, std::vector<std::string>& objects, PdfWriteState& state);

    // One thread per core, at least one.
    static unsigned DefaultThreads();

private:
    struct Page {
        std::vector<std::string> objects;
        int16_t status = 0;
        bool wordSpacingSet = false;
        bool charSpacingSet = false;
    };

    Page Build(size_t index, unsigned worker);

    const vorPages& pages_;
    FinishedPageStreams* finished_;
    std::vector<PdfWriteState> states_;  // one per thread that builds pages
    OrderedPool<Page> pool_;
};

}  // namespace scrivane
