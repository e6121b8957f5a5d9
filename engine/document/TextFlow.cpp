#include "document/TextFlow.h"

#include <string>

#include "document/LineConditions.h"
#include "document/LineSplitter.h"
#include "document/MarkupCommand.h"
#include "util/Numbers.h"

namespace scrivane {

TextFlow::TextFlow(LayoutTarget& output, vorFormat& working, const FlowSettings& settings)
    : settings_(settings),
      flow_{output, working, settings_.target, settings_.options, {}, {}, {}},
      placer_(flow_) {
    LayoutState& s = flow_.state;
    s.fontSize = settings_.fontSize;
    s.fontName = settings_.fontName;
    s.fontColour = working.DefaultFontColor;
    s.x = working.DefaultX;
    s.y = working.DefaultY;
}

void TextFlow::Run(std::string_view buffer) {
    // The splitter drops an empty first line; the writer of the text still counts it.
    if (buffer.substr(0, 2) == "\r\n") flow_.state.sourceLine = 1;
    LineSplitter lines(buffer);
    std::string_view line;
    while (lines.Next(line)) LayOutLine(line);
}

void TextFlow::Run(std::vector<std::string>& pieces) {
    if (pieces.size() <= 1) {
        Run(pieces.empty() ? std::string_view() : std::string_view(pieces.front()));
        if (!pieces.empty()) std::string().swap(pieces.front());
        return;
    }
    // As LineSplitter cuts the whole text: a first CR LF ends no line of its own, every
    // other one ends the line before it, and the last line is what follows the last one.
    for (size_t k = 0; k < pieces.size(); ++k) {
        std::string_view rest = pieces[k];
        if (k == 0 && rest.substr(0, 2) == "\r\n") {
            flow_.state.sourceLine = 1;
            rest.remove_prefix(2);
        }
        const bool last = k + 1 == pieces.size();
        if (!last) {
            if (rest.empty()) continue;  // the piece held only that first CR LF
            rest.remove_suffix(2);       // the line end the piece was cut after
        }
        for (;;) {
            const size_t end = rest.find("\r\n");
            LayOutLine(rest.substr(0, end));
            if (end == std::string_view::npos) break;
            rest.remove_prefix(end + 2);
        }
        std::string().swap(pieces[k]);
    }
}

void TextFlow::BreakBeforeLine(double lineAdvance) {
    LayoutState& s = flow_.state;
    if (!flow_.IsPdf() || s.y <= flow_.Bottom()) return;
    if (flow_.format.linelength > 0 && flow_.MoveToNextColumn()) return;
    flow_.StartNewPage(lineAdvance, true);
}

void TextFlow::LayOutLine(std::string_view source) {
    LayoutState& s = flow_.state;
    vorFormat& format = flow_.format;
    ++s.lineNumber;
    ++s.sourceLine;
    flow_.sourceText = source;
    std::string& text = line_;  // one buffer for every line: no allocation per line
    text.assign(source);

    std::optional<MarkupCommand> command = ParseMarkupCommand(text);
    if (command) {
        CommandVerdict verdict = JudgeMarkupCommand(*command);
        if (!verdict.accepted) {
            flow_.ReportLine(verdict.known ? DiagnosticKind::kBadValue
                                           : DiagnosticKind::kUnknownCommand,
                             verdict.reason);
        }
        ExecuteMarkupCommand(*command, flow_);
    }

    format.GetFormat(s.lineNumber, text);
    const double advance = flow_.LineAdvance();
    s.x = format.x + (format.linelength + s.columnGap) * (s.column - 1);
    if (format.SetY > 0) {
        s.y = format.SetY;
    } else {
        s.y += advance;
    }
    BreakBeforeLine(advance);

    s.fontSize = static_cast<int16_t>(IntOr(format.fontsize, s.fontSize));
    s.fontName = format.fontname;
    s.fontColour = format.fontcolor;

    if (command) {
        // A command line is recorded for the source and takes no space on the page.
        flow_.Record(text);
        s.y -= advance;
        text.clear();
    }
    ApplyLineConditions(flow_, text);
    placer_.PlaceFurniture(text);
    placer_.PlaceText(text);
}

}  // namespace scrivane
