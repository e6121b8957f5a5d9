#pragma once
// What the parts of the line loop share while one text is laid out: where the layout
// writes, the working format, the output format and the layout state.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "document/EngineOptions.h"
#include "document/vorFormatSet.h"
#include "format/OutputFormats.h"
#include "format/vorFormat.h"
#include "model/LayoutTarget.h"
#include "model/PageDefaults.h"

namespace scrivane {

// Layout state of one text; reset for each AddBuffer.
struct LayoutState {
    int32_t page = 1;
    int32_t lineNumber = 0;  // counts source lines and every break that wrapping inserts
    int32_t sourceLine = 0;  // the line of the text, as its writer counts them
    double x = 0;
    double y = 0;            // baseline of the current line, from the page top
    int32_t column = 1;
    int16_t columnGap = kDefaultColumnGap;
    int32_t columnTop = 0;   // y of the first line of every column of the current block
    int32_t deepestY = 0;    // lowest y reached when a column or page was left
    int16_t fontSize = 10;
    std::string fontName;
    std::string fontColour;
};

// Styles and positions that commands keep by name for later lines of the same text. The
// first save of a name wins; an empty or unknown name loads nothing (false).
class SavedByName {
public:
    void SaveFormatSet(const std::string& name, const vorFormatSet& set);
    bool LoadFormatSet(const std::string& name, vorFormatSet& set) const;
    void SaveY(const std::string& name, const std::string& y);
    bool LoadY(const std::string& name, std::string& y) const;

private:
    std::map<std::string, vorFormatSet> formatSets_;
    std::map<std::string, std::string> positions_;
};

// What one layout starts from besides the text and the working format.
struct FlowSettings {
    int32_t target = kTargetPdf;  // a TargetFormat
    EngineOptions options;
    std::string fontName;  // the document's face and size before the first line
    int16_t fontSize = 10;
};

struct FlowContext {
    LayoutTarget& output;
    vorFormat& format;
    const int32_t target;  // a TargetFormat
    const EngineOptions& options;
    LayoutState state;
    SavedByName saved;
    std::string_view sourceText;  // the current line as written

    bool IsPdf() const { return target == kTargetPdf; }
    // The resolved line advance of the current line.
    double LineAdvance() const;
    // The bottom of the text area: page height less the bottom margin.
    int32_t Bottom() const;
    // Records "N:" + text for the current line in the document's source record.
    void Record(std::string_view text);
    // Tells the writer of the text about the current line: the offending text (engine
    // text) and why.
    void Report(DiagnosticKind kind, std::string_view text, std::string message);
    // The same about the whole current line.
    void ReportLine(DiagnosticKind kind, std::string message);
    // Where an image named in the text is read from: "%apppath%" made the data folder,
    // a relative name taken beside the text file.
    std::string ImageFileOnDisk(const std::string& name) const;
    // Why the image cannot be placed (missing, not a JPEG, cut short), or empty.
    std::string ImageProblem(const std::string& name) const;
    // When the text is set in more columns than the current one: moves to the top of the
    // next column and says so; otherwise false.
    bool MoveToNextColumn();
    // Starts a new page: y at the top plus one advance, a new column top. With
    // resetColumn the text goes back to the first column as well.
    void StartNewPage(double lineAdvance, bool resetColumn);
};

}  // namespace scrivane
