#include "import/SourceText.h"

#include "util/Encoding.h"
#include "util/Numbers.h"
#include "util/TextUtil.h"

namespace scrivane {

namespace {

constexpr std::string_view kLineBreak = "<vor>lb</vor>";

void DropFinalLineEnd(std::string& text) {
    if (text.size() > 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
}

}  // namespace

std::string RebuildSourceText(const vorPages& pages, const std::vector<std::string>& sourceLines) {
    if (pages.PagesCount() == 0) return {};
    std::vector<std::string> lines;
    for (const auto& page : pages.Kids) {
        for (const vorContent& block : page->Contents) {
            for (const vorText& run : block.Texts) lines.emplace_back(block.Text(run));
        }
    }
    std::string text;
    if (sourceLines.empty()) {
        for (const std::string& line : lines) text += line + "\r\n";
        DropFinalLineEnd(text);
        return text;
    }
    // Each entry goes in front of its line, a later one in front of an earlier one. The
    // entries of a line are gathered first and put together once, so that many entries
    // for one line cost no more than their length.
    std::vector<std::vector<std::string_view>> prefixes(lines.size());
    for (const std::string& entry : sourceLines) {
        size_t colon = entry.find(':');
        if (colon == std::string::npos) continue;
        auto number = ToInt32(std::string_view(entry).substr(0, colon));
        if (!number || *number <= 0 || static_cast<size_t>(*number) > lines.size()) continue;
        prefixes[static_cast<size_t>(*number - 1)].push_back(std::string_view(entry).substr(colon + 1));
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        if (prefixes[i].empty()) continue;
        std::string joined;
        for (auto it = prefixes[i].rbegin(); it != prefixes[i].rend(); ++it) joined += *it;
        lines[i].insert(0, joined);
    }
    text.reserve(lines.size() * 40);
    for (const std::string& line : lines) {
        if (line == kLineBreak) continue;  // the empty rest of a wrapped line
        if (line.size() >= 14 && line.compare(0, kLineBreak.size(), kLineBreak) == 0) {
            if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) {
                text.resize(text.size() - 2);
            }
            text.append(line, kLineBreak.size(), std::string::npos);
        } else {
            text += line;
        }
        text += "\r\n";
    }
    DropFinalLineEnd(text);
    return text;
}

std::string PositionedText(const vorPages& pages, const vorInfos& infos) {
    // The converted text is Windows-1252; the information is UTF-8.
    std::string text = "<set>author=" + Utf8ToCp1252(infos.author) +
                       "\r\n<set>subject=" + Utf8ToCp1252(infos.subject) +
                       "\r\n<set>title=" + Utf8ToCp1252(infos.title) +
                       "\r\n<set>keywords=" + Utf8ToCp1252(infos.keywords) + "\r\n\r\n\r\n";
    if (pages.PagesCount() == 0) return {};
    for (const auto& page : pages.Kids) {
        for (const vorContent& block : page->Contents) {
            for (const vorText& run : block.Texts) {
                text += "<set>x=";
                AppendNumber(text, run.x);
                text += "\r\n<set>y=";
                AppendNumber(text, page->PageHeight - run.y);
                text += "\r\n<set>fontsize=";
                AppendInt(text, run.fontsize);
                text += "\r\n";
                text += block.Text(run);
                text += "\r\n\r\n";
            }
        }
    }
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
    return text;
}

void ReadSourceLines(const std::string& joinedText, std::vector<std::string>& lines,
                     std::string& formatName) {
    std::string joined = joinedText;
    if (joined.find("\r\n") == std::string::npos) joined = ReplaceAll(joined, "\n", "\r\n");
    size_t start = 0;
    for (;;) {
        size_t end = joined.find("\r\n", start);
        lines.push_back(joined.substr(start, end == std::string::npos ? std::string::npos
                                                                       : end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    const std::string& first = lines.front();
    if (first.compare(0, 2, "0:") == 0) {
        size_t open = first.find("cff='");
        size_t close = open == std::string::npos ? open : first.find("')", open + 5);
        if (close != std::string::npos) formatName = first.substr(open + 5, close - open - 5);
    }
}

}  // namespace scrivane
