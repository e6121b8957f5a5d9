#pragma once
// Rebuilds the editable text from a document read back from a file.
#include <string>
#include <vector>

#include "model/vorInfos.h"
#include "model/vorPages.h"

namespace scrivane {

// The text the user typed: every run is a line; the recorded source lines go back in
// front of their line numbers ("N:" + text), and lines that the layout broke in pieces
// ("<vor>lb</vor>") are joined again. Lines end in CR LF; the last one has none.
std::string RebuildSourceText(const vorPages& pages, const std::vector<std::string>& sourceLines);

// A converted foreign PDF as text with position commands: the information first, then
// for every run "<set>x=", "<set>y=", "<set>fontsize=" and the text.
std::string PositionedText(const vorPages& pages, const vorInfos& infos);

// Splits the embedded source text into its "N:" + line entries and finds the format
// file's name in the "0:" entry.
void ReadSourceLines(const std::string& joined, std::vector<std::string>& lines,
                     std::string& formatName);

}  // namespace scrivane
