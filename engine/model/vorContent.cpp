#include "model/vorContent.h"

#include <limits>
#include <new>

namespace scrivane {

uint32_t vorContent::Append(std::string_view text) {
    // Runs address their text with 32 bits: a block's text beyond that cannot be held.
    constexpr size_t kMost = std::numeric_limits<uint32_t>::max();
    if (text.size() > kMost - text_.size()) throw std::bad_alloc();
    const auto offset = static_cast<uint32_t>(text_.size());
    text_.append(text);
    return offset;
}

vorText& vorContent::AddText(std::string_view text, std::string_view fontname,
                             int16_t fontsize, double x, double y, std::string_view fontcolor,
                             double xdelta, std::string_view alignment) {
    const uint32_t offset = Append(text);
    vorText& run = Texts.emplace_back();
    run.textOffset = offset;
    run.textLength = static_cast<uint32_t>(text.size());
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

void vorContent::Reserve(size_t runs, size_t textBytes) {
    Texts.reserve(runs);
    text_.reserve(textBytes);
}

void vorContent::TrimToSize() {
    Texts.shrink_to_fit();
    text_.shrink_to_fit();
}

}  // namespace scrivane
