#include "util/FileIO.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "util/AtomicFile.h"

namespace scrivane {

namespace fs = std::filesystem;

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    auto size = in.tellg();
    if (size < 0) return false;
    bytes.resize(static_cast<size_t>(size));
    in.seekg(0, std::ios::beg);
    if (size > 0 && !in.read(bytes.data(), size)) return false;
    return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* error) {
    AtomicFile file;
    if (file.Open(path) && file.Write(bytes) && file.Commit()) return true;
    if (error) *error = file.Error();
    return false;
}

}  // namespace scrivane
