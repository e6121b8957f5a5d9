#pragma once
// Reads the pixel size of a JPEG file from its frame header.
#include <cstdint>
#include <string>

#include "util/Status.h"
namespace scrivane {

struct JpegSize {
    int32_t width = 0;
    int32_t height = 0;
};

// Walks the marker segments from the start of the file until the first start-of-frame
// segment (baseline, progressive, lossless or arithmetic) and reads its size there.
int16_t ProbeJpeg(const std::string& path, JpegSize& size);

}  // namespace scrivane
