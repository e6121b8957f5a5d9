#include "WorkingFormat.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "format/OutputFormats.h"
#include "util/FileIO.h"
#include "util/Status.h"

namespace scrivane::cli {

namespace {

std::string DataFolder() {
    namespace fs = std::filesystem;
    std::error_code error;
    // Absolute, so that "%apppath%" names never read as names relative to the text.
    if (const char* folder = std::getenv("SCRIVANE_DATA_DIR"); folder && *folder) {
        fs::path absolute = fs::absolute(folder, error);
        return error ? std::string(folder) : absolute.lexically_normal().string();
    }
    std::vector<fs::path> candidates;
    fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!error) candidates.push_back(program.parent_path() / ".." / "share" / "scrivane");
    candidates.emplace_back(SCRIVANE_DATA_FOLDER);
#ifdef SCRIVANE_SOURCE_DATA
    candidates.emplace_back(SCRIVANE_SOURCE_DATA);
#endif
    for (const fs::path& folder : candidates) {
        if (fs::is_directory(folder, error)) return fs::weakly_canonical(folder, error).string();
    }
    return SCRIVANE_DATA_FOLDER;
}

// Reads one named format file on top of the working format.
bool ReadNamed(vorFormat& working, const std::string& file, const char* what,
               std::string& error) {
    const int16_t status = working.ReadFormatFile(file);
    if (status == kFormatFileMissing || status == kFormatNoFileName) {
        error = std::string(what) + " not found: " + file;
    } else if (status != kFormatOk) {
        error = std::string("cannot read ") + what + " " + file + " (status " +
                std::to_string(status) + ")";
    }
    return status == kFormatOk;
}

}  // namespace

ProgramFolders CliFolders() { return {DataFolder(), UserFolderFromEnvironment()}; }

bool ReadWorkingFormat(const CliOptions& options, vorFormat& working,
                       std::string& formatFileName, std::string& error) {
    std::string formatFile = options.formatFile;
    std::string lineOptions = options.lineOptions;
    if (formatFile.empty()) {
        // As the editor exports: its default file and, unless told otherwise, its
        // standard line options.
        const bool standardOptions = lineOptions.empty() && !options.noLineOptions;
        FormatFileChoice choice =
            ChooseFormatFiles(CliFolders(), FormatCode(options.format), standardOptions);
        formatFile = choice.formatFile;
        if (standardOptions) lineOptions = choice.lineOptionsFile;
    }
    if (formatFile.empty()) {
        working.ApplyReadFallbacks();  // Helvetica 12, x 40, y 50, dy 16, 100 a line
    } else if (!ReadNamed(working, formatFile, "format file", error)) {
        return false;
    }
    if (!lineOptions.empty() && !ReadNamed(working, lineOptions, "line options file", error)) {
        return false;
    }
    formatFileName = formatFile;
    return true;
}

std::string FormatFilesHelp() {
    ProgramFolders folders = CliFolders();
    return "Without --format-file, export and layout read the editor's format files of the\n"
           "format: default.FORMAT" + std::string(kFormatFileSuffix) + " and the line options\n"
           "ashtm.FORMAT" + std::string(kFormatFileSuffix) + " (htm for XHTML; none for XML),\n"
           "each from the user folder when it is there, else from the data folder:\n"
           "  user folder: " + (folders.user.empty() ? "(none)" : folders.user) +
           "  (SCRIVANE_USER_DIR)\n"
           "  data folder: " + folders.data + "  (SCRIVANE_DATA_DIR)\n"
           "--no-line-options leaves the line options out; --line-options FILE reads FILE\n"
           "instead. With --format-file only the files named are read. When no format file\n"
           "is found: Helvetica 12, x 40, y 50, 16 points a line, 100 characters a line.\n";
}

}  // namespace scrivane::cli
