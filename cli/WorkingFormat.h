#pragma once
// The format an export or a layout of scrivane-cli starts from: the format files named on
// the command line, or else the editor's own (the user folder's, else the templates).
#include <string>

#include "CliOptions.h"
#include "format/FormatFileSelection.h"
#include "format/vorFormat.h"

namespace scrivane::cli {

// The data folder (SCRIVANE_DATA_DIR, else installed beside the program, else where the
// build installs it, else the source tree's) and the user folder.
ProgramFolders CliFolders();

// Reads the working format; formatFileName names it in the source record. False with a
// message in error when a named file is missing or cannot be read.
bool ReadWorkingFormat(const CliOptions& options, vorFormat& working,
                       std::string& formatFileName, std::string& error);

// Where the format files come from, with this machine's folders, for --help.
std::string FormatFilesHelp();

}  // namespace scrivane::cli
