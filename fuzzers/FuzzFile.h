#pragma once
// A scratch file for fuzz targets whose parser reads from a path: one per process,
// removed at exit.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

class FuzzFile {
public:
    explicit FuzzFile(const std::string& extension)
        : path_((std::filesystem::temp_directory_path() /
                 ("scrivane-fuzz-" + std::to_string(getpid()) + extension)).string()) {}
    ~FuzzFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }

    // Replaces the file's bytes; its path.
    const std::string& Write(const void* data, size_t size) {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
        return path_;
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};
