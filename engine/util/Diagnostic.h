#pragma once
// What the engine tells the writer of a text about one of its lines: a command it
// refuses, an image it cannot place, characters it had to replace. The export runs on
// regardless; the command line prints these as warnings and the editor can mark the
// lines.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace scrivane {

enum class DiagnosticKind {
    kUnknownCommand,     // a command line whose key is no command: it changes nothing
    kBadValue,           // a command whose value is refused or does nothing useful
    kImageNotPlaced,     // an image that is missing, not a JPEG or cut short
    kCharacterReplaced,  // characters Windows-1252 cannot hold, written as "?"
};

struct Diagnostic {
    int32_t line = 0;  // 1-based line of the text
    DiagnosticKind kind = DiagnosticKind::kBadValue;
    std::string text;     // the offending text, UTF-8: the command line, the image name...
    std::string message;  // why, in English
};

using Diagnostics = std::vector<Diagnostic>;

// "unknown command", "bad value", "image not placed", "character replaced".
std::string_view DiagnosticKindName(DiagnosticKind kind);

// One line for a person: "line 12: unknown command: <set>size=3 (no command is called
// "size")".
std::string DescribeDiagnostic(const Diagnostic& diagnostic);

// Both lists in one, ordered by line (each list's own order kept within a line).
Diagnostics MergeDiagnostics(const Diagnostics& first, const Diagnostics& second);

}  // namespace scrivane
