#pragma once
// Whether a file can be a PDF this program wrote, before any reader parses it.
#include <cstdint>
#include <string>
#include <string_view>

namespace scrivane {

// Checks every reader makes before it reads: name, existence, size, header, "%%EOF".
// On success bytes holds the whole file.
int16_t CheckPdfFile(const std::string& path, std::string& bytes);

// True when the 15 characters at the 22nd of the file name a producer this version reads.
bool IsOwnProducer(std::string_view bytes);

}  // namespace scrivane
