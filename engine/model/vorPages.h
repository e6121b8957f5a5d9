#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "model/vorPage.h"

namespace scrivane {

// The pages of a document, in page order.
class vorPages {
public:
    std::vector<std::unique_ptr<vorPage>> Kids;  // stable addresses while pages are added
    std::vector<int32_t> KidsObjectNumber;

    vorPage& AddNewPage();
    // Page n (1-based), appending pages until it exists; -1 = the last page, 0 = a new
    // page at the end.
    vorPage& GetPage(int32_t n);
    int32_t PagesCount() const { return static_cast<int32_t>(Kids.size()); }
    vorPage* CurrentPage() const { return current_; }

    vorPage& operator[](int32_t n) { return *Kids[static_cast<size_t>(n - 1)]; }
    const vorPage& operator[](int32_t n) const { return *Kids[static_cast<size_t>(n - 1)]; }

private:
    vorPage* current_ = nullptr;
};

}  // namespace scrivane
