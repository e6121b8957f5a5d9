#include "TestSupport.h"

#include <array>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

namespace scrivane::test {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("scrivane-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

int RunCommand(const std::string& command, std::string* output) {
    std::string full = command + " 2>&1";
    FILE* pipe = ::popen(full.c_str(), "r");
    if (!pipe) return -1;
    std::array<char, 4096> buffer;
    std::string text;
    size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) text.append(buffer.data(), n);
    int status = ::pclose(pipe);
    if (output) *output = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

std::string QpdfProblems(const std::string& path) {
    std::string output;
    int status = RunCommand("qpdf --check '" + path + "'", &output);
    // Exit 0: clean; 3: warnings; 2: errors.
    if (status == 0 && output.find("No syntax or stream encoding errors") != std::string::npos) {
        return {};
    }
    return "qpdf exit " + std::to_string(status) + ":\n" + output;
}

vorFormat DefaultFormat() {
    vorFormat format;
    format.ApplyReadFallbacks();
    return format;
}

std::string MinimalJpeg(int width, int height, unsigned char frameMarker) {
    std::string j;
    auto byte = [&](int b) { j.push_back(static_cast<char>(b & 0xFF)); };
    byte(0xFF); byte(0xD8);                                  // start of image
    byte(0xFF); byte(0xE0); byte(0); byte(16);               // APP0, length 16
    for (char c : std::string("JFIF\0", 5)) j.push_back(c);
    byte(1); byte(1); byte(0); byte(0); byte(1); byte(0); byte(1); byte(0); byte(0);
    byte(0xFF); byte(frameMarker); byte(0); byte(17);        // frame header
    byte(8); byte(height >> 8); byte(height); byte(width >> 8); byte(width);
    byte(3);
    for (int c = 1; c <= 3; ++c) { byte(c); byte(0x11); byte(0); }
    byte(0xFF); byte(0xD9);                                  // end of image
    return j;
}

}  // namespace scrivane::test
