// Fuzz target: the CMap parser of the foreign PDF conversion (ToUnicode maps and the code
// spaces of composite fonts). A map past its limits is a fault. The allowance of
// assignments is lower than a conversion's, so that inputs of many ranges stay fast.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "import/foreign/CMap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace scrivane::foreign;
    CMap map;
    size_t allowance = 20'000, left = allowance;
    ParseCMap(std::string_view(reinterpret_cast<const char*>(data), size), map, left);
    if (map.text.size() > allowance - left || left > allowance) std::abort();
    if (map.ranges.size() > kMaxCodeRanges) std::abort();
    for (const CodeRange& range : map.ranges) {
        if (range.length < 1 || range.length > 4) std::abort();
    }
    return 0;
}
