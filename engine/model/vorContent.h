#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/vorImage.h"
#include "model/vorLine.h"
#include "model/vorText.h"

namespace scrivane {

// One content block of a page; one content stream in a PDF.
struct vorContent {
    std::vector<vorText> Texts;
    std::vector<vorImage> Images;
    std::vector<vorLine> Lines;

    // Appends a run. "justify" gives textalign 3; "Arial,Bold" is kept as Arial + Bold.
    vorText& AddText(std::string TextValue, std::string fontname, int16_t fontsize, double x,
                     double y, std::string fontcolor, double xdelta, std::string_view alignment);
    void AddImage(vorImage image) { Images.push_back(std::move(image)); }
    void AddLine(const vorLine& line) { Lines.push_back(line); }
};

}  // namespace scrivane
