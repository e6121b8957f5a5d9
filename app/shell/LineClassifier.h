#pragma once
// What each line of the editor will become in an export, told by the engine: a command
// (its key and value apart, and whether the engine takes it), an image tag, a title or
// page-break line the Insert menu wrote, or a line that the current format's line
// conditions select (heading, hidden line, page header, link, note). The highlighter
// colours lines by it; tooltips and the status line say it in words.
#include <QString>
#include <memory>
#include <string>
#include <vector>

namespace scrivane {
class LineConditionJudge;
class vorFormat;
}  // namespace scrivane

namespace scrivane::app {

enum class LineKind {
    Plain,       // printed as written
    Command,     // a command the engine carries out
    BadCommand,  // a command line the engine ignores or refuses: never printed either
    ImageTag,    // an image placed in the PDF
    Title,       // "<h1>" .. "<h3>" that no condition selects: printed as written
    PageBreak,   // "<pb>" that no condition selects: printed as written
    Heading,     // selected by a condition that makes it a heading with a bookmark
    Hidden,      // selected by a condition that hides it
    Header,      // selected by a condition that prints it at the top of every page
    Link,
    Note,
    Restyled,    // selected by a condition that only changes its style
};

// The part of a command line that makes the engine ignore or refuse it.
enum class CommandFault { None, Key, Value, Line };

// Spans are positions in the editor's line (UTF-16 units).
struct LineClass {
    LineKind kind = LineKind::Plain;
    int markerLength = 0;  // the beginning a condition takes off the line
    int keyStart = 0, keyLength = 0;      // a command's key
    int valueStart = 0, valueLength = 0;  // a command's value
    CommandFault fault = CommandFault::None;
    int level = 0;              // a title's or heading's level
    QString conditionName;      // the condition that selects the line
    bool unknownKey = false;    // a command whose key names no command
    QString problem;            // why a command is ignored or refused, in English
};

class LineClassifier {
public:
    LineClassifier();
    ~LineClassifier();

    // The line conditions of the export format in use (its working format as the export
    // reads it), and whether that format places image tags.
    void setConditions(const scrivane::vorFormat& working, bool imageTagsPlaced);
    // The line numbers that "linenumber" conditions select (ascending): lines that change
    // kind when lines are added or removed above them.
    const std::vector<int32_t>& numberedLines() const;

    // lineNumber counts from 1; it matters only to "linenumber" conditions.
    LineClass Classify(const QString& line, int lineNumber);

private:
    bool ClassifyCommand(LineClass& result);
    void ClassifyByConditions(LineClass& result, int lineNumber);

    std::unique_ptr<scrivane::LineConditionJudge> judge_;
    bool imageTagsPlaced_ = true;
    std::string bytes_;  // the line in the engine's encoding, one byte a UTF-16 unit
};

}  // namespace scrivane::app
