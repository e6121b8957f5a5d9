#include "util/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scrivane {

namespace fs = std::filesystem;

AtomicFile::~AtomicFile() { Abandon(); }

bool AtomicFile::Fail(const std::string& message) {
    error_ = message;
    Abandon();
    return false;
}

void AtomicFile::Abandon() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
}

bool AtomicFile::Open(const std::string& path) {
    Abandon();
    error_.clear();
    path_ = path;
    if (path.empty()) return Fail("empty file name");
    fs::path target(path);
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    fd_ = mkstemp(pattern.data());
    if (fd_ < 0) {
        return Fail(std::string("cannot create a file in ") + folder.string() + ": " +
                    std::strerror(errno));
    }
    temporary_ = pattern;

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
    fchmod(fd_, mode);
    return true;
}

bool AtomicFile::Write(std::string_view bytes) {
    if (fd_ < 0) return false;
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t written = ::write(fd_, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            return Fail("cannot write " + path_ + ": " + std::strerror(errno));
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    return true;
}

bool AtomicFile::Commit() {
    if (fd_ < 0) return false;
    bool synced = ::fsync(fd_) == 0;
    int syncError = errno;
    bool closed = ::close(fd_) == 0;
    int closeError = errno;
    fd_ = -1;
    if (!synced || !closed) {
        return Fail("cannot write " + path_ + ": " + std::strerror(synced ? closeError : syncError));
    }
    if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
        return Fail("cannot replace " + path_ + ": " + std::strerror(errno));
    }
    temporary_.clear();
    return true;
}

}  // namespace scrivane
