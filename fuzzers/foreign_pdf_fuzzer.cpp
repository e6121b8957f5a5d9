// Fuzz target: the conversion of PDF files other programs wrote, from their bytes. The
// limits are lower than a real conversion's so that one input takes well under a second;
// they are the ones that are fuzzed as well.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "import/ForeignPdf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    scrivane::ForeignPdfLimits limits;
    limits.maxOperatorsPerPage = 100'000;
    limits.maxOperatorsPerFile = 400'000;
    limits.maxStreamBytes = size_t{2} << 20;
    limits.maxDecodedBytes = size_t{8} << 20;
    limits.maxTextBytes = size_t{1} << 20;
    limits.maxPages = 1000;
    limits.maxCodeAssignments = 40'000;
    limits.maxStreamsDecoded = 20'000;
    scrivane::vorPages pages;
    scrivane::vorInfos infos;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    scrivane::ConvertForeignPdfData(bytes, pages, infos, limits);
    return 0;
}
