#include "util/FileIO.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {

bool Fail(std::string* error, const std::string& message) {
    if (error) *error = message;
    return false;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* error) {
    if (path.empty()) return Fail(error, "empty file name");
    fs::path target(path);
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();

    int fd = mkstemp(pattern.data());
    if (fd < 0) return Fail(error, std::string("cannot create a file in ") + folder.string() +
                                       ": " + std::strerror(errno));

    // Keep the mode of the file we replace; a new file gets the usual 0666 less umask.
    struct stat existing {};
    mode_t mode;
    if (stat(path.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    } else {
        mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    fchmod(fd, mode);

    const char* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            std::string why = std::strerror(errno);
            ::close(fd);
            ::unlink(pattern.c_str());
            return Fail(error, "cannot write " + path + ": " + why);
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    bool synced = ::fsync(fd) == 0;
    int syncError = errno;
    bool closed = ::close(fd) == 0;
    if (!synced || !closed) {
        std::string why = std::strerror(synced ? errno : syncError);
        ::unlink(pattern.c_str());
        return Fail(error, "cannot write " + path + ": " + why);
    }
    if (std::rename(pattern.c_str(), path.c_str()) != 0) {
        std::string why = std::strerror(errno);
        ::unlink(pattern.c_str());
        return Fail(error, "cannot replace " + path + ": " + why);
    }
    return true;
}

}  // namespace scrivane
