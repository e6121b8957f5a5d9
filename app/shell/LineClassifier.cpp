#include "shell/LineClassifier.h"

#include <array>

#include "document/LineConditions.h"
#include "document/MarkupCommand.h"
#include "format/vorFormat.h"
#include "shell/InsertCommands.h"
#include "util/Encoding.h"

namespace scrivane::app {

namespace {

constexpr int kSetLength = 5;  // "<set>"

// The engine's text of an editor line, one byte a UTF-16 unit so that positions carry
// over: a character Windows-1252 cannot hold is "?" (each half of a surrogate pair too),
// as the export writes it.
void ToEngineBytes(const QString& line, std::string& bytes) {
    bytes.resize(size_t(line.size()));
    const QChar* units = line.constData();
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char16_t unit = units[i].unicode();
        const int byte = unit < 0x80 ? unit : Cp1252Byte(unit);
        bytes[size_t(i)] = byte < 0 || QChar::isSurrogate(unit) ? '?' : char(byte);
    }
}

// "<h1>" .. "<h3>" at the start: the level, else 0.
int TitleLevel(std::string_view line) {
    static const std::array<std::string, 3> kMarkers = {
        TitleMarker(1).toStdString(), TitleMarker(2).toStdString(), TitleMarker(3).toStdString()};
    for (int level = 1; level <= 3; ++level) {
        if (line.starts_with(kMarkers[size_t(level - 1)])) return level;
    }
    return 0;
}

}  // namespace

LineClassifier::LineClassifier() = default;
LineClassifier::~LineClassifier() = default;

void LineClassifier::setConditions(const scrivane::vorFormat& working, bool imageTagsPlaced) {
    judge_ = working.ListeFormats.empty()
                 ? nullptr
                 : std::make_unique<scrivane::LineConditionJudge>(working);
    imageTagsPlaced_ = imageTagsPlaced;
}

const std::vector<int32_t>& LineClassifier::numberedLines() const {
    static const std::vector<int32_t> kNone;
    return judge_ ? judge_->lineNumbers() : kNone;
}

LineClass LineClassifier::Classify(const QString& line, int lineNumber) {
    LineClass result;
    ToEngineBytes(line, bytes_);
    if (ClassifyCommand(result)) return result;
    const std::string_view text = bytes_;
    if (imageTagsPlaced_ && text.starts_with(kImageTag)) {
        result.kind = LineKind::ImageTag;
        return result;
    }
    ClassifyByConditions(result, lineNumber);
    if (result.kind != LineKind::Plain) return result;
    if (int level = TitleLevel(text)) {
        result.kind = LineKind::Title;
        result.level = level;
    } else if (text == kPageBreakLine) {
        result.kind = LineKind::PageBreak;
    }
    return result;
}

bool LineClassifier::ClassifyCommand(LineClass& result) {
    const std::optional<MarkupCommand> command = ParseMarkupCommand(bytes_);
    if (!command) return false;
    result.kind = LineKind::Command;
    result.keyStart = kSetLength;
    result.keyLength = int(command->key.size());
    result.valueStart = kSetLength + result.keyLength + 1;
    result.valueLength = int(command->value.size());
    // The layout's own verdict: what the export reports, the editor shows.
    const CommandVerdict verdict = JudgeMarkupCommand(*command);
    if (verdict.accepted) return true;
    result.kind = LineKind::BadCommand;
    result.unknownKey = !verdict.known;
    result.problem = QString::fromStdString(Cp1252ToUtf8(verdict.reason));
    if (!verdict.known) {
        result.fault = CommandFault::Key;
    } else {
        result.fault = result.valueLength > 0 ? CommandFault::Value : CommandFault::Line;
    }
    return true;
}

void LineClassifier::ClassifyByConditions(LineClass& result, int lineNumber) {
    if (!judge_) return;
    const LineEffect effect = judge_->Judge(lineNumber, bytes_);
    if (!effect.selected) return;
    result.conditionName = QString::fromStdString(Cp1252ToUtf8(effect.conditionName));
    result.markerLength = int(effect.markerLength);
    result.level = effect.bookmarkLevel;
    // What the reader notices first: a line that is not printed, or printed elsewhere.
    if (effect.hidden) {
        result.kind = LineKind::Hidden;
    } else if (effect.header) {
        result.kind = LineKind::Header;
    } else if (effect.note) {
        result.kind = LineKind::Note;
    } else if (effect.link) {
        result.kind = LineKind::Link;
    } else if (effect.bookmarkLevel > 0) {
        result.kind = LineKind::Heading;
    } else {
        result.kind = LineKind::Restyled;
    }
}

}  // namespace scrivane::app
