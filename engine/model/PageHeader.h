#pragma once
#include <cstdint>
#include <string>

namespace scrivane {

// A page header the layout met: stamped on every page, as a run of the page's second
// block, when the document is written.
struct PageHeader {
    std::string TextValue;  // "&p", "&pages" and "&&" are filled in when stamped
    std::string fontname;
    int16_t fontsize = 10;
    std::string fontcolor;
    double x = 0;
    double y = 0;
    double xdelta = 0;
};

}  // namespace scrivane
