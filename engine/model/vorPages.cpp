#include "model/vorPages.h"

#include <algorithm>

namespace scrivane {

namespace {
// A page whose text ran to megabytes is no guide to the next one.
constexpr size_t kMostReserved = size_t{1} << 20;
}  // namespace

vorPage& vorPages::AddNewPage() {
    uint32_t runsBefore = 0;
    size_t bytesBefore = 0;
    if (!Kids.empty()) {
        // The page before is most likely complete: its blocks give back the room they did
        // not use, and the new page makes room for as many runs as it held and a little
        // more text, as its lines vary in length.
        vorPage& before = *Kids.back();
        for (vorContent& block : before.Contents) block.TrimToSize();
        if (!before.Contents.empty()) {
            runsBefore = static_cast<uint32_t>(before.Contents.front().Texts.size());
            bytesBefore = before.Contents.front().TextBytes();
        }
    }
    Kids.push_back(std::make_unique<vorPage>());
    if (runsBefore > 0) Kids.back()->RunsToReserve = runsBefore;
    if (bytesBefore > 0) {
        Kids.back()->TextBytesToReserve =
            static_cast<uint32_t>(std::min<size_t>(bytesBefore + bytesBefore / 16, kMostReserved));
    }
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
