#include "util/Diagnostic.h"

#include <algorithm>

namespace scrivane {

std::string_view DiagnosticKindName(DiagnosticKind kind) {
    switch (kind) {
        case DiagnosticKind::kUnknownCommand: return "unknown command";
        case DiagnosticKind::kBadValue: return "bad value";
        case DiagnosticKind::kImageNotPlaced: return "image not placed";
        case DiagnosticKind::kCharacterReplaced: return "character replaced";
    }
    return "note";
}

std::string DescribeDiagnostic(const Diagnostic& diagnostic) {
    std::string text = "line " + std::to_string(diagnostic.line) + ": ";
    text += DiagnosticKindName(diagnostic.kind);
    text += ": ";
    text += diagnostic.text;
    if (!diagnostic.message.empty()) text += " (" + diagnostic.message + ")";
    return text;
}

Diagnostics MergeDiagnostics(const Diagnostics& first, const Diagnostics& second) {
    Diagnostics all;
    all.reserve(first.size() + second.size());
    all.insert(all.end(), first.begin(), first.end());
    all.insert(all.end(), second.begin(), second.end());
    std::stable_sort(all.begin(), all.end(), [](const Diagnostic& a, const Diagnostic& b) {
        return a.line < b.line;
    });
    return all;
}

}  // namespace scrivane
