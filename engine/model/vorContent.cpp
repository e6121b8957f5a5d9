#include "model/vorContent.h"

namespace scrivane {

vorText& vorContent::AddText(std::string TextValue, std::string_view fontname,
                             int16_t fontsize, double x, double y, std::string_view fontcolor,
                             double xdelta, std::string_view alignment) {
    vorText& run = Texts.emplace_back();
    run.TextValue = std::move(TextValue);
    if (fontname == "Arial,Bold") {
        run.font = Names.Index("Arial");
        run.Bold = true;
    } else {
        run.font = Names.Index(fontname);
    }
    run.fontsize = fontsize;
    run.x = x;
    run.y = y;
    run.colour = Names.Index(fontcolor);
    run.xdelta = xdelta;
    run.textalign = alignment == "justify" ? 3 : 0;
    return run;
}

}  // namespace scrivane
