// Fuzz target: the CMap parser of the foreign PDF conversion (ToUnicode maps and the code
// spaces of composite fonts). A map past its limits is a fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "import/foreign/CMap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace scrivane::foreign;
    CMap map;
    ParseCMap(std::string_view(reinterpret_cast<const char*>(data), size), map);
    if (map.text.size() > kMaxMapEntries || map.ranges.size() > kMaxCodeRanges) std::abort();
    for (const CodeRange& range : map.ranges) {
        if (range.length < 1 || range.length > 4) std::abort();
    }
    return 0;
}
