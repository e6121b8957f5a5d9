#pragma once
#include <string>

namespace scrivane {

// A saved style: what `<set>saveformat=name` keeps and `<set>loadformat=name` restores.
struct vorFormatSet {
    std::string x;
    std::string fontname;
    std::string fontsize;
    std::string fontcolor;
    std::string textalign;
    std::string linelength;
    std::string dy;
    std::string bottom;
};

}  // namespace scrivane
