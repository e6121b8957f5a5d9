#pragma once
// Shared helpers for the engine tests: temporary folders and outside checkers.
#include <filesystem>
#include <string>

#include "format/vorFormat.h"

namespace scrivane::test {

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Runs a shell command; returns its exit status and (merged) output.
int RunCommand(const std::string& command, std::string* output = nullptr);

// Writes bytes to a file (for test input).
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

// `qpdf --check` on the file: empty when it passes without warnings, else qpdf's report.
std::string QpdfProblems(const std::string& path);

// A working format as reading a format file without values gives it: Helvetica 12,
// x 40, y 50, dy 16, 100 characters a line.
vorFormat DefaultFormat();

// A minimal JPEG header (start of image, APP0, a frame header of the given kind and
// size, end of image): enough for the probe and for an image object.
std::string MinimalJpeg(int width, int height, unsigned char frameMarker = 0xC0);

}  // namespace scrivane::test
