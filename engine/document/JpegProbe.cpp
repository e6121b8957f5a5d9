#include "document/JpegProbe.h"

#include <fstream>

namespace scrivane {

namespace {

bool IsStartOfFrame(unsigned char marker) {
    return (marker >= 0xC0 && marker <= 0xC3) || (marker >= 0xC5 && marker <= 0xC7) ||
           (marker >= 0xC9 && marker <= 0xCB) || (marker >= 0xCD && marker <= 0xCF);
}

}  // namespace

int16_t ProbeJpeg(const std::string& path, JpegSize& size) {
    size = {};
    std::ifstream in(path, std::ios::binary);
    if (!in) return kJpegUnreadable;
    unsigned char head[2];
    if (!in.read(reinterpret_cast<char*>(head), 2) || head[0] != 0xFF || head[1] != 0xD8) {
        return kJpegNotJpeg;
    }
    // Every step moves forward by at least the 4-byte segment header, so the walk ends
    // at the end of any file.
    for (;;) {
        unsigned char segment[9];
        if (!in.read(reinterpret_cast<char*>(segment), 4)) return kJpegNotJpeg;
        if (segment[0] != 0xFF) return kJpegNotJpeg;
        unsigned char marker = segment[1];
        if (marker == 0xD9 || marker == 0xDA) return kJpegNotJpeg;  // no frame before data
        if (IsStartOfFrame(marker)) {
            if (!in.read(reinterpret_cast<char*>(segment + 4), 5)) return kJpegNotJpeg;
            int32_t height = (segment[5] << 8) | segment[6];
            int32_t width = (segment[7] << 8) | segment[8];
            if (width == 0 || height == 0) return kJpegNotJpeg;  // the size stays unset
            size = {width, height};
            return kJpegOk;
        }
        int length = (segment[2] << 8) | segment[3];
        if (length < 2) return kJpegNotJpeg;
        in.seekg(length - 2, std::ios::cur);
    }
}

}  // namespace scrivane
