#pragma once
#include <string>

namespace scrivane {

// A font the document uses; resource "F" + FontID in the PDF.
struct vorFont {
    std::string BaseFont;
    std::string FontID;
    std::string ObjectNumber;
};

}  // namespace scrivane
