#pragma once
#include <cstdint>

namespace scrivane {

// One positioned run of text on one line. y is the baseline, measured from the page top.
// Its text, font name and colour are kept once in its block (vorContent::Text, FontName,
// Colour): the run holds where its text lies in the block's text and indexes for the rest.
struct vorText {
    uint32_t textOffset = 0;  // into the block's text; Windows-1252 or UTF-8, unescaped
    uint32_t textLength = 0;
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
static_assert(sizeof(vorText) <= 48, "a run grew");

}  // namespace scrivane
