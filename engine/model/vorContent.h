#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/RunNames.h"
#include "model/vorImage.h"
#include "model/vorLine.h"
#include "model/vorText.h"

namespace scrivane {

// One content block of a page; one content stream in a PDF.
struct vorContent {
    std::vector<vorText> Texts;
    std::vector<vorImage> Images;
    std::vector<vorLine> Lines;
    RunNames Names;  // the font names and colours of Texts

    // Appends a run. "justify" gives textalign 3; "Arial,Bold" is kept as Arial + Bold.
    vorText& AddText(std::string TextValue, std::string_view fontname, int16_t fontsize,
                     double x, double y, std::string_view fontcolor, double xdelta,
                     std::string_view alignment);
    // A run's font name ("" when none was given) and colour ("" = no colour set).
    const std::string& FontName(const vorText& run) const { return Names[run.font]; }
    const std::string& Colour(const vorText& run) const { return Names[run.colour]; }
    // The font resource a run is shown in: "Arial,Bold" for a bold Arial run, as AddText
    // took it apart, else its font name.
    const std::string& ResourceFontName(const vorText& run) const {
        static const std::string kArialBold = "Arial,Bold";
        const std::string& name = FontName(run);
        return name == "Arial" && run.Bold ? kArialBold : name;
    }
    void AddImage(vorImage image) { Images.push_back(std::move(image)); }
    void AddLine(const vorLine& line) { Lines.push_back(line); }
};

}  // namespace scrivane
