#include "model/vorPages.h"

namespace scrivane {

vorPage& vorPages::AddNewPage() {
    uint32_t runsBefore = 0;
    if (!Kids.empty()) {
        // The page before is most likely complete: its blocks give back the room they did
        // not use, and the new page makes room for as many runs as it held.
        vorPage& before = *Kids.back();
        for (vorContent& block : before.Contents) block.Texts.shrink_to_fit();
        if (!before.Contents.empty()) {
            runsBefore = static_cast<uint32_t>(before.Contents.front().Texts.size());
        }
    }
    Kids.push_back(std::make_unique<vorPage>());
    if (runsBefore > 0) Kids.back()->RunsToReserve = runsBefore;
    current_ = Kids.back().get();
    return *current_;
}

vorPage& vorPages::GetPage(int32_t n) {
    if (n == -1) {
        if (Kids.empty()) AddNewPage();
        current_ = Kids.back().get();
    } else {
        if (n < 0) n = 0;
        if (n == 0) {
            AddNewPage();
        } else {
            while (PagesCount() < n) AddNewPage();
            current_ = Kids[static_cast<size_t>(n - 1)].get();
        }
    }
    current_->ContentsObjectNumber.clear();
    return *current_;
}

}  // namespace scrivane
