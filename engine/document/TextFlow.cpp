#include "document/TextFlow.h"

#include "document/LineSplitter.h"
#include "document/MarkupCommand.h"
#include "document/vorDocument.h"
#include "util/Numbers.h"

namespace scrivane {

TextFlow::TextFlow(vorDocument& document, vorFormat& working, int32_t targetFormat)
    : document_(document), format_(working), target_(targetFormat) {
    fontSize_ = static_cast<int16_t>(IntOr(document_.fontsize, 10));
    fontName_ = document_.DefaultFontName();
    fontColour_ = format_.DefaultFontColor;
    x_ = format_.DefaultX;
    y_ = format_.DefaultY;
}

void TextFlow::Run(std::string_view buffer) {
    LineSplitter lines(buffer);
    std::string_view line;
    while (lines.Next(line)) LayOutLine(line);
}

void TextFlow::BreakPageIfFull(double lineAdvance) {
    if (target_ != 10) return;  // only PDF has pages; other formats flow on one
    int32_t bottom = IntOr(format_.DefaultPageHeight, 843) - IntOr(format_.DefaultDownMargin, 50);
    if (y_ <= bottom) return;
    y_ = format_.DefaultY + lineAdvance;
    columnTop_ = static_cast<int32_t>(RoundHalfEven(y_));
    if (columnTop_ > deepestY_) deepestY_ = columnTop_;
    column_ = 1;
    ++page_;
}

void TextFlow::LayOutLine(std::string_view source) {
    ++lineNumber_;
    std::string text(source);

    std::optional<MarkupCommand> command = ParseMarkupCommand(text);
    if (command) ExecuteCommand(*command);

    format_.GetFormat(lineNumber_, text);
    const double lineAdvance = IntOr(format_.dy, 0);
    x_ = format_.x + (format_.linelength + columnGap_) * (column_ - 1);
    if (format_.SetY > 0) {
        y_ = format_.SetY;
    } else {
        y_ += lineAdvance;
    }
    BreakPageIfFull(lineAdvance);

    fontSize_ = static_cast<int16_t>(IntOr(format_.fontsize, fontSize_));
    fontName_ = format_.fontname;
    fontColour_ = format_.fontcolor;

    if (command) {
        // A command line is recorded for the source and takes no space on the page.
        document_.AddFormatCondition(lineNumber_, text);
        y_ -= lineAdvance;
        text.clear();
    }
    ApplyConditionEffects(text);
    PlaceText(text);
}

void TextFlow::ExecuteCommand(const MarkupCommand&) {
    // Commands change nothing yet; they are recognised and recorded.
}

void TextFlow::ApplyConditionEffects(std::string&) {
    // Line conditions only restyle lines so far.
}

void TextFlow::PlaceText(const std::string& text) {
    document_.AddText(text, page_, fontSize_, x_, y_, fontName_, fontColour_, 0,
                      format_.FontAlign);
}

}  // namespace scrivane
