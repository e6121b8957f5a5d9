#pragma once
// Which format files an export reads when the user names none: the default file and the
// line options file of the export format, each from the user folder when it is there,
// else the data folder's template. The editor and the command line choose alike.
#include <cstdint>
#include <string>
#include <string_view>

namespace scrivane {

struct ProgramFolders {
    std::string data;  // read-only, shipped: the templates
    std::string user;  // writable: the user's own copies
};

// SCRIVANE_USER_DIR when set, else $XDG_DATA_HOME/Scrivane, else
// $HOME/.local/share/Scrivane (empty when none of these is set).
std::string UserFolderFromEnvironment();

// "[Default]": the standard line options file (ashtm...) rather than a named set.
inline constexpr std::string_view kStandardOptionsSet = "[Default]";

struct FormatFileChoice {
    std::string formatFile;       // empty: none found
    std::string lineOptionsFile;  // empty: none found, or none wanted
};

// True for the standard set: kStandardOptionsSet in any letter case, or no name.
bool IsStandardOptionsSet(std::string_view optionsSet);

// The files for export format `code` (a TargetFormat). Line options are read only when
// wanted and never for XML; a named set lives in the user folder's settings/ (or the data
// folder's), and one found in neither reads as the standard set: a set removed since it
// was chosen never leaves an export without line options. A file found nowhere is left
// empty.
FormatFileChoice ChooseFormatFiles(const ProgramFolders& folders, int32_t code,
                                   bool lineOptions,
                                   std::string_view optionsSet = kStandardOptionsSet);

}  // namespace scrivane
