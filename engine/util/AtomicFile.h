#pragma once
// A file written in pieces to a temporary file in the target's folder and renamed over
// the target only when every piece is written and synced: a failed or abandoned write
// never leaves a truncated file, and an existing target stays as it was.
#include <string>
#include <string_view>

namespace scrivane {

class AtomicFile {
public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    // Removes the temporary file unless Commit succeeded.
    ~AtomicFile();

    // Creates the temporary file beside path; false (and Error()) when it cannot.
    bool Open(const std::string& path);
    // Appends bytes; false once any write failed (the file is then abandoned).
    bool Write(std::string_view bytes);
    // Syncs the temporary file and renames it over the target; false when that fails.
    bool Commit();
    // Why the last call failed.
    const std::string& Error() const { return error_; }

private:
    bool Fail(const std::string& message);
    void Abandon();

    std::string path_;
    std::string temporary_;
    std::string error_;
    int fd_ = -1;
};

}  // namespace scrivane
