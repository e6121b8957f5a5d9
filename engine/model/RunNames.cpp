#include "model/RunNames.h"

namespace scrivane {

namespace {
// Up to this many names a look at each is quicker than hashing.
constexpr size_t kScannedNames = 8;
}  // namespace

uint32_t RunNames::Index(std::string_view text) {
    if (text.empty()) return 0;
    if (names_[last_] == text) return last_;
    if (names_.size() <= kScannedNames) {
        for (uint32_t i = 1; i < names_.size(); ++i) {
            if (names_[i] == text) return last_ = i;
        }
    } else if (auto found = index_.find(std::string(text)); found != index_.end()) {
        return last_ = found->second;
    }
    const auto index = static_cast<uint32_t>(names_.size());
    names_.emplace_back(text);
    if (names_.size() > kScannedNames) {
        if (index_.empty()) {
            for (uint32_t i = 1; i < names_.size(); ++i) index_.emplace(names_[i], i);
        } else {
            index_.emplace(names_.back(), index);
        }
    }
    return last_ = index;
}

}  // namespace scrivane
