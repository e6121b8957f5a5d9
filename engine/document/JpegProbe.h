#pragma once
// Reads what placing and embedding a JPEG needs from its header: the pixel size, the
// number of colour components, and whether an Adobe marker says CMYK is stored inverted.
// A file cut short (no end-of-image marker after its frame header) is refused: a reader
// would draw garbage from it.
#include <cstdint>
#include <string>
#include <string_view>

#include "util/Status.h"
namespace scrivane {

struct JpegSize {
    int32_t width = 0;
    int32_t height = 0;
    int32_t components = 3;      // 1 gray, 3 YCbCr or RGB, 4 CMYK or YCCK
    bool adobeMarker = false;    // an APP14 "Adobe" segment precedes the frame
};

// Walks the marker segments from the start of the file until the first start-of-frame
// segment (baseline, progressive, lossless or arithmetic) and reads its size there. The
// size is 0 x 0 unless the result is kJpegOk.
int16_t ProbeJpeg(const std::string& path, JpegSize& size);
// The same for the file's bytes.
int16_t ProbeJpegBytes(std::string_view bytes, JpegSize& size);

}  // namespace scrivane
