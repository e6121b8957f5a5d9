#include "model/vorPages.h"

namespace scrivane {

vorPage& vorPages::AddNewPage() {
    Kids.push_back(std::make_unique<vorPage>());
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
