#pragma once
#include <cassert>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/RunNames.h"
#include "model/vorImage.h"
#include "model/vorLine.h"
#include "model/vorText.h"

namespace scrivane {

// One content block of a page; one content stream in a PDF. The runs' texts lie end to
// end in one string of the block, so a block copies and moves with its texts and a run
// costs no allocation of its own.
struct vorContent {
    std::vector<vorText> Texts;
    std::vector<vorImage> Images;
    std::vector<vorLine> Lines;
    RunNames Names;  // the font names and colours of Texts

    // Appends a run. "justify" gives textalign 3; "Arial,Bold" is kept as Arial + Bold.
    vorText& AddText(std::string_view text, std::string_view fontname, int16_t fontsize,
                     double x, double y, std::string_view fontcolor, double xdelta,
                     std::string_view alignment);
    // A run's text; valid until the block takes more text. `run` is one of Texts.
    std::string_view Text(const vorText& run) const {
        assert(run.textOffset + static_cast<size_t>(run.textLength) <= text_.size());
        return {text_.data() + run.textOffset, run.textLength};
    }
    // The bytes of all the runs' texts, and the room the block holds for them.
    size_t TextBytes() const { return text_.size(); }
    size_t TextCapacity() const { return text_.capacity(); }
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

    // Room for this many runs and bytes of their text, saving the copies of growing.
    void Reserve(size_t runs, size_t textBytes);
    // Gives back the room the runs and their text did not use.
    void TrimToSize();
    // Replaces every run's text by convert(text): std::string(std::string_view).
    template <class Convert>
    void ConvertTexts(Convert convert);

private:
    std::string text_;
    uint32_t Append(std::string_view text);
};

template <class Convert>
void vorContent::ConvertTexts(Convert convert) {
    std::string before;
    before.swap(text_);
    text_.reserve(before.size());
    for (vorText& run : Texts) {
        const std::string_view text(before.data() + run.textOffset, run.textLength);
        const std::string converted = convert(text);
        run.textOffset = Append(converted);
        run.textLength = static_cast<uint32_t>(converted.size());
    }
}

}  // namespace scrivane
