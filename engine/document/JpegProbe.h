#pragma once
// Reads the pixel size of a JPEG file from its frame header.
#include <cstdint>
#include <string>

namespace scrivane {

struct JpegSize {
    int32_t width = 0;
    int32_t height = 0;
};

enum JpegProbeStatus : int16_t {
    kJpegOk = 0,
    kJpegUnreadable = -10,  // the file cannot be opened
    kJpegNotJpeg = -20,     // no start-of-image marker, or no frame header with a size
};

// Walks the marker segments from the start of the file until the first start-of-frame
// segment (baseline, progressive, lossless or arithmetic) and reads its size there. The
// size is 0 x 0 unless the result is kJpegOk.
int16_t ProbeJpeg(const std::string& path, JpegSize& size);

}  // namespace scrivane
