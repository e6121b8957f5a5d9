#pragma once
#include <cstdint>
#include <string>

namespace scrivane {

// A JPEG placed on a page; x and y are its upper-left corner from the page's top-left.
struct vorImage {
    std::string ImageFileName;
    int16_t ImageHeight = 0;  // drawn size in points
    int16_t ImageWidth = 0;
    int16_t OriginalImageHeight = 0;  // pixel size read from the file
    int16_t OriginalImageWidth = 0;
    std::string ImageStream;  // the file's bytes, read when the PDF is written
    // Where the bytes are read from when that differs from ImageFileName (a name relative
    // to the text's folder); ImageFileName stays as written, for SVG links.
    std::string ImagePath;
    int16_t ColorComponents = 3;  // 1 gray, 3 RGB, 4 CMYK
    bool InvertedCmyk = false;    // CMYK stored inverted, as Adobe's JPEGs are
    bool FitToPage = false;       // no size was given: narrowed to the page when wider
    std::string ImageNumber;  // object number shared by every placement of one file
    double x = 0;
    double y = 0;
};

}  // namespace scrivane
