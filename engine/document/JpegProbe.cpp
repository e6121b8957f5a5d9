#include "document/JpegProbe.h"

#include "util/FileIO.h"

namespace scrivane {

namespace {

bool IsStartOfFrame(unsigned char marker) {
    return (marker >= 0xC0 && marker <= 0xC3) || (marker >= 0xC5 && marker <= 0xC7) ||
           (marker >= 0xC9 && marker <= 0xCB) || (marker >= 0xCD && marker <= 0xCF);
}

unsigned char At(std::string_view bytes, size_t i) { return static_cast<unsigned char>(bytes[i]); }

}  // namespace

int16_t ProbeJpeg(const std::string& path, JpegSize& size) {
    size = {};
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return kJpegUnreadable;
    return ProbeJpegBytes(bytes, size);
}

int16_t ProbeJpegBytes(std::string_view bytes, JpegSize& size) {
    size = {};
    if (bytes.size() < 2 || At(bytes, 0) != 0xFF || At(bytes, 1) != 0xD8) return kJpegNotJpeg;
    bool adobe = false;
    // Every step moves forward by at least the 4-byte segment header, so the walk ends
    // at the end of any file.
    for (size_t at = 2; at + 4 <= bytes.size();) {
        if (At(bytes, at) != 0xFF) return kJpegNotJpeg;
        unsigned char marker = At(bytes, at + 1);
        if (marker == 0xD9 || marker == 0xDA) return kJpegNotJpeg;  // no frame before data
        size_t length = (At(bytes, at + 2) << 8) | At(bytes, at + 3);
        if (length < 2) return kJpegNotJpeg;
        if (marker == 0xEE && bytes.substr(at + 4, 5) == "Adobe") adobe = true;
        if (IsStartOfFrame(marker)) {
            if (at + 10 > bytes.size()) return kJpegNotJpeg;
            size.height = (At(bytes, at + 5) << 8) | At(bytes, at + 6);
            size.width = (At(bytes, at + 7) << 8) | At(bytes, at + 8);
            size.components = At(bytes, at + 9);
            size.adobeMarker = adobe;
            // The image data must end: an end-of-image marker after the frame header.
            size_t end = bytes.rfind("\xFF\xD9");
            bool complete = end != std::string_view::npos && end > at;
            bool sane = size.width > 0 && size.height > 0 &&
                        (size.components == 1 || size.components == 3 || size.components == 4);
            if (!complete || !sane) {
                size = {};
                return kJpegNotJpeg;
            }
            return kJpegOk;
        }
        at += 2 + length;
    }
    return kJpegNotJpeg;
}

}  // namespace scrivane
