#pragma once
// The program's command line: an optional "-F2" (a new window), pairs such as "-x=100 "
// (window left, top, width, height in twips), then the file to open, quoted when it
// holds blanks. Keys are lower case; a value keeps its terminating blank; the last word
// is always the file name (key "filename"). File names keep their case, and "-" starts
// an option only at the start of a blank-separated word, so "my-notes.txt" stays whole.
#include <QMap>
#include <QString>

namespace scrivane::app {

using CommandLineArgs = QMap<QString, QString>;

CommandLineArgs ParseCommandLine(const QString& commandLine);

// The value of a window option when it is present, numeric and, rounded to a whole
// number (halves to even), not negative.
bool WindowOption(const CommandLineArgs& args, const QString& key, int& value);

}  // namespace scrivane::app
