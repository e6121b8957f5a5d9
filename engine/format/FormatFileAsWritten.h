#pragma once
// Reading a format file for editing rather than for an export. An export reads the
// default file and then the line options file on top of it, so a value the line options
// file holds overrides the default file's. Reading fills in what a file leaves out
// (Helvetica 12, x 40, y 50, ...); written back, those fill-ins would then override the
// user's default font and margins at every later export. This read keeps them out.
#include <cstdint>
#include <string>

#include "format/vorFormat.h"

namespace scrivane {

// Reads the file into the format as ReadFormatFile does (same statuses), but a default
// the file does not give keeps the value it had before the read.
int16_t ReadFormatFileAsWritten(vorFormat& format, const std::string& path);

}  // namespace scrivane
