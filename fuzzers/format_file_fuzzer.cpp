// Fuzz target: reading a format file, then resolving a few lines' style with it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "format/vorFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    scrivane::vorFormat format;
    format.ReadFormatText(std::string(reinterpret_cast<const char*>(data), size));
    const char* lines[] = {"", "# Title", "Chapter 1", "plain text", "%% hidden"};
    int number = 1;
    for (const char* line : lines) format.GetFormat(number++, line);
    format.FormatFileText();
    return 0;
}
