#include "model/vorContent.h"

namespace scrivane {

vorText& vorContent::AddText(std::string TextValue, std::string fontname, int16_t fontsize,
                             double x, double y, std::string fontcolor, double xdelta,
                             std::string_view alignment) {
    vorText& run = Texts.emplace_back();
    run.TextValue = std::move(TextValue);
    if (fontname == "Arial,Bold") {
        run.fontname = "Arial";
        run.Bold = true;
    } else {
        run.fontname = std::move(fontname);
    }
    run.fontsize = fontsize;
    run.x = x;
    run.y = y;
    run.fontcolor = std::move(fontcolor);
    run.xdelta = xdelta;
    run.textalign = alignment == "justify" ? 3 : 0;
    return run;
}

}  // namespace scrivane
