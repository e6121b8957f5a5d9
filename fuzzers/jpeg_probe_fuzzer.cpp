// Fuzz target: the JPEG probe that reads an image's pixel size from its frame header.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzFile.h"
#include "document/JpegProbe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFile file(".jpg");
    scrivane::JpegSize jpeg;
    int16_t status = scrivane::ProbeJpeg(file.Write(data, size), jpeg);
    if (status == scrivane::kJpegOk && (jpeg.width <= 0 || jpeg.height <= 0)) std::abort();
    if (status != scrivane::kJpegOk && (jpeg.width != 0 || jpeg.height != 0)) std::abort();
    return 0;
}
