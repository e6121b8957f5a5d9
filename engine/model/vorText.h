#pragma once
#include <cstdint>
#include <string>

namespace scrivane {

// One positioned run of text on one line. y is the baseline, measured from the page top.
struct vorText {
    std::string TextValue;  // Windows-1252, unescaped
    std::string fontname;
    int16_t fontsize = 10;
    std::string fontcolor;  // "r g b", 0..255 each; empty = no colour set
    double x = 0;
    double y = 0;
    bool Bold = false;
    int32_t textalign = 0;  // 3 = justified
    double xdelta = 0;      // extra width to spread when justified, in twips
};

}  // namespace scrivane
