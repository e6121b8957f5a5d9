#pragma once
#include <cstdint>

namespace scrivane {

struct vorPDFCatalog {
    int32_t PagesObjectNumber = 0;
    int32_t OutlinesObjectNumber = 0;  // 0 = no outline
    int32_t MetadataObjectNumber = 0;  // 0 = no metadata
};

}  // namespace scrivane
