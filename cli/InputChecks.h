#pragma once
// The checks that stop a mistaken command line before anything is written: arguments
// swapped, a published file handed over as text, the input named as the output.
#include <string>
#include <string_view>

#include "CliOptions.h"

namespace scrivane::cli {

// Why `export` or `layout` must not lay these bytes out as text (a PDF, XHTML, XML or
// SVG file this program wrote, another program's PDF, a binary file), or empty when
// they are text.
std::string RefuseAsText(const CliOptions& options, std::string_view inputBytes);

// Why OUTPUT must not be written: its extension names no export format (and --format
// was not given), or it is the input file itself. Empty when it may be written.
std::string RefuseOutput(const CliOptions& options);

}  // namespace scrivane::cli
