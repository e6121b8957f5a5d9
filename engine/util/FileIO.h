#pragma once
// Whole-file reads and safe writes. A write goes to a temporary file in the target's
// folder and is renamed over the target, so a failed write never leaves a truncated file.
#include <string>
#include <string_view>

namespace scrivane {

bool FileExists(const std::string& path);

// Reads the whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Writes bytes to path through a temporary file and a rename. On failure the target is
// untouched, the temporary file removed, and *error (when given) says why.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* error = nullptr);

}  // namespace scrivane
