#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/vorContent.h"
#include "model/PageDefaults.h"
#include "model/vorPDFAnnotation.h"

namespace scrivane {

// One page: block 1 holds the ordinary runs, block 2 the page furniture stamped on save.
struct vorPage {
    std::vector<vorContent> Contents;
    std::vector<int32_t> ContentsObjectNumber;
    int32_t ParentObjectNumber = 0;
    std::vector<vorPDFAnnotation> Annots;
    int16_t PageWidth = kDefaultPageWidth;
    int16_t PageHeight = kDefaultPageHeight;
    // Runs block 1 makes room for at its first run: a page at the usual sizes holds some
    // fifty lines, and the pages of one text mostly hold as many as the one before.
    uint32_t RunsToReserve = 56;
    // Likewise the bytes of their text: some forty a line.
    uint32_t TextBytesToReserve = 56 * 40;

    // Block n (1-based); -1 = last, other negatives = 1, past the end = last. A page
    // without blocks gets one.
    vorContent& GetContent(int32_t n);
    int32_t ContentsCount() const { return static_cast<int32_t>(Contents.size()); }

    // Adds a run to block 1, or to block 2 when secondBlock is set.
    vorContent& AddText(std::string_view text, std::string_view fontname, int16_t fontsize,
                        double x, double y, std::string_view fontcolor, double xdelta,
                        std::string_view alignment, bool secondBlock);
    void AddImage(vorImage image);
    void AddLine(const vorLine& line);
    // top is measured from the page top; the annotation keeps the PDF y of its lower edge.
    void AddAnnotation(std::string Content, std::string Subtype, int16_t left, int16_t top,
                       int16_t width, int16_t height);
};

}  // namespace scrivane
