#pragma once
#include <cstdint>
#include <string>

namespace scrivane {

// A note, free-text box or web link. top holds the PDF y of the lower edge.
struct vorPDFAnnotation {
    int32_t ObjectNumber = 0;
    std::string Subtype = "Link";  // "Text", "Link" or "FreeText"
    int16_t left = 100;
    int16_t top = 100;
    int16_t height = 200;
    int16_t width = 400;
    std::string Content;  // the note text, or the address of a link
};

}  // namespace scrivane
