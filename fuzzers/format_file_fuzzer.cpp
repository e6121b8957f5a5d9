// Fuzz target: reading a format file, then resolving a few lines' style with it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "format/vorFormat.h"
#include "util/Encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    scrivane::vorFormat format;
    format.ReadFormatText(std::string(reinterpret_cast<const char*>(data), size));
    const char* lines[] = {"", "# Title", "Chapter 1", "plain text", "%% hidden"};
    int number = 1;
    for (const char* line : lines) format.GetFormat(number++, line);
    // Whatever bytes the file held, the file written again is UTF-8.
    if (!scrivane::IsValidUtf8(format.FormatFileText())) __builtin_trap();
    return 0;
}
