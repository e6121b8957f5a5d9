#pragma once
// CMaps: the ToUnicode maps of fonts (code -> text) and the code spaces of composite
// fonts (how many bytes make one code).
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace scrivane::foreign {

// Codes of `length` bytes whose every byte lies between low's and high's.
struct CodeRange {
    size_t length = 0;
    std::array<unsigned char, 4> low{};
    std::array<unsigned char, 4> high{};
};

// What one map may hold, whatever the file asks for.
constexpr size_t kMaxMapEntries = size_t{1} << 17;
constexpr size_t kMaxCodeRanges = 256;
// Codes one map may assign, overwritten ones included: a range of a few bytes assigns up
// to 65,536 codes, so ranges over the same codes again and again must not go on forever.
constexpr size_t kMaxMapAssignments = 2 * kMaxMapEntries;

struct CMap {
    std::unordered_map<uint32_t, std::string> text;  // code -> Windows-1252
    std::vector<CodeRange> ranges;
};

// The value of a code's bytes, big-endian.
inline uint32_t CodeValue(std::string_view bytes) {
    uint32_t v = 0;
    for (char c : bytes) v = (v << 8) | static_cast<unsigned char>(c);
    return v;
}

// Adds the code space ranges and the bfchar and bfrange mappings of a CMap program to
// map. Anything else in it is passed over; damage ends the section it is in. Each code
// a mapping assigns takes one from assignmentsLeft; at 0 the mappings left are passed
// over. Without it, a map may make kMaxMapAssignments.
void ParseCMap(std::string_view data, CMap& map, size_t& assignmentsLeft);
void ParseCMap(std::string_view data, CMap& map);

}  // namespace scrivane::foreign
