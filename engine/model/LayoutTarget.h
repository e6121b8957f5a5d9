#pragma once
// What the layout writes into: the pages of one document, its page headers, outline,
// information and source record. The layout knows the document only through this.
#include <cstdint>
#include <string>
#include <string_view>

#include "model/vorImage.h"
#include "model/vorInfos.h"
#include "model/PageHeader.h"
#include "model/vorOutline.h"
#include "util/Diagnostic.h"

namespace scrivane {

class LayoutTarget {
public:
    virtual ~LayoutTarget() = default;

    // Page numbers are 1-based; the pages up to the one named are made as needed.
    // sourceLine: the line of the text the run comes from (0: none, as in the overrides).
    virtual void AddText(std::string_view text, int32_t page, int16_t size, double x, double y,
                         std::string_view font, std::string_view colour, double extraWidth,
                         std::string_view alignment, int32_t sourceLine = 0) = 0;
    // kJpegOk placed (or nothing to place: empty name, missing file), kJpegNotJpeg.
    virtual int16_t AddImage(const std::string& fileName, int32_t page, double x, double y,
                             double width, double height) = 0;
    virtual void AddLine(double x, double y, double lx, double ly, double width,
                         int32_t page) = 0;
    virtual void AddAnnotation(std::string subtype, std::string content, int16_t left,
                               int16_t top, int16_t width, int16_t height, int32_t page) = 0;

    // Page headers: stamped on every page when the document is written.
    virtual void AddHeaderText(PageHeader header) = 0;
    virtual void AddHeaderImage(vorImage image) = 0;
    // A bookmark, placed in the tree by its level (InsertOutline).
    virtual void AddOutline(vorOutline entry) = 0;
    // "N:" + text in the source record that the readers rebuild the text from.
    virtual void AddFormatCondition(int32_t lineNumber, std::string_view text) = 0;

    // The document information, which commands may change.
    virtual vorInfos& Infos() = 0;
    // Commands' switches for the written file: an XMP stream; the source left out.
    virtual void UseXmp() = 0;
    virtual void SetOptimize(bool optimize) = 0;
    // Something about a line the writer of the text should know; the layout goes on.
    virtual void Report(Diagnostic diagnostic) = 0;
};

}  // namespace scrivane
