#pragma once
// What an export tells the writer about the text's lines: the commands the engine refused,
// the images it could not place and the characters it replaced, merged by line as the
// command line prints them. The export is written regardless; this is a warning.
#include <QString>

#include "util/Diagnostic.h"

namespace scrivane::app {

class clsCaption;

// At most this many lines are listed; the rest are counted.
constexpr int kListedExportProblems = 20;

// "Line 12: unknown command: <set>size=3 (no command is called "size")", the frame in
// the user's language.
QString DescribeProblem(const Diagnostic& problem, const clsCaption& captions);

// The warning's text, or empty when there is nothing to tell. replaced counts the
// characters written as "?".
QString ExportWarningText(const Diagnostics& problems, size_t replaced, const clsCaption& captions);

}  // namespace scrivane::app
