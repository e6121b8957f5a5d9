#include "model/vorPage.h"

#include "util/Numbers.h"

namespace scrivane {

vorContent& vorPage::GetContent(int32_t n) {
    if (Contents.empty()) return Contents.emplace_back();
    int32_t count = ContentsCount();
    if (n == -1 || n > count) n = count;
    if (n < 1) n = 1;
    return Contents[static_cast<size_t>(n - 1)];
}

vorContent& vorPage::AddText(std::string_view text, std::string_view fontname,
                             int16_t fontsize, double x, double y, std::string_view fontcolor,
                             double xdelta, std::string_view alignment, bool secondBlock) {
    vorContent* target;
    if (!secondBlock) {
        target = Contents.empty() ? &Contents.emplace_back() : &Contents.front();
        // Room for the page's lines at once saves the copies, and the unused half, of
        // doubling from one run.
        if (target->Texts.empty()) target->Reserve(RunsToReserve, TextBytesToReserve);
    } else {
        if (Contents.empty()) Contents.emplace_back();
        target = Contents.size() == 1 ? &Contents.emplace_back() : &Contents[1];
    }
    target->AddText(text, fontname, fontsize, x, y, fontcolor, xdelta,
                    alignment);
    return *target;
}

void vorPage::AddImage(vorImage image) { GetContent(1).AddImage(std::move(image)); }

void vorPage::AddLine(const vorLine& line) { GetContent(1).AddLine(line); }

void vorPage::AddAnnotation(std::string Content, std::string Subtype, int16_t left,
                            int16_t top, int16_t width, int16_t height) {
    vorPDFAnnotation& annotation = Annots.emplace_back();
    annotation.Content = std::move(Content);
    annotation.Subtype = std::move(Subtype);
    annotation.left = left;
    annotation.top = SaturateInt16(static_cast<double>(PageHeight) - top);
    annotation.width = width;
    annotation.height = height;
}

}  // namespace scrivane
