#pragma once
// The font names and colours of one block's runs, each kept once: a run holds the index
// of its name and of its colour instead of copies of both. Index 0 is the empty text.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace scrivane {

class RunNames {
public:
    // The index of `text`, added when it is new.
    uint32_t Index(std::string_view text);
    const std::string& operator[](uint32_t index) const { return names_[index]; }
    size_t size() const { return names_.size(); }

private:
    std::vector<std::string> names_{std::string()};
    // Filled once there are more names than a glance finds: a block of a converted PDF may
    // hold a colour for every run.
    std::unordered_map<std::string, uint32_t> index_;
    uint32_t last_ = 0;  // runs come in stretches of the same font
};

}  // namespace scrivane
