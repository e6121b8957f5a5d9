#pragma once
#include <cstdint>
#include <string>

namespace scrivane {

// One positioned run of text on one line. y is the baseline, measured from the page top.
// Its font name and colour are kept once in its block (vorContent::FontName, Colour).
struct vorText {
    std::string TextValue;  // Windows-1252, unescaped
    double x = 0;
    double y = 0;
    double xdelta = 0;       // extra width to spread when justified, in twips
    uint32_t font = 0;       // index in the block's names; 0 = none given
    uint32_t colour = 0;     // likewise: "r g b", 0..255 each; 0 = no colour set
    // The 1-based line of the text the run was laid out from; 0 for page furniture and
    // for runs read back from a file. The editor's preview leads the caret by it.
    int32_t sourceLine = 0;
    int16_t fontsize = 10;
    int8_t textalign = 0;    // 3 = justified
    bool Bold = false;
};

// A long text has a run a line, all held until the file is written: keep the run small.
static_assert(sizeof(vorText) <= sizeof(std::string) + 40, "a run grew");

}  // namespace scrivane
