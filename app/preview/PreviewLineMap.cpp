#include "preview/PreviewLineMap.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <utility>

#include "document/vorDocument.h"
#include "text/TextMeasurer.h"

namespace scrivane::app {

namespace {

// How far a point lies outside a run's box (0 inside it), up or down first: a point
// beside a short line belongs to that line, not to a longer one above it.
std::pair<double, double> DistanceTo(const PlacedRun& run, double x, double y) {
    const double dx = std::max({run.left - x, 0.0, x - (run.left + run.width)});
    const double dy = std::max({run.top - y, 0.0, y - (run.top + run.height)});
    return {dy, dx};
}

bool ShowsNothing(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

// A run's box in points: its measured width (a justified run spreads over its extra
// width too), from a font size above its baseline to a quarter of one below.
PlacedRun BoxOf(const vorText& run, std::string_view text, const std::string& font, int page,
                TextMeasurer& measurer) {
    const double size = run.fontsize > 0 ? run.fontsize : 10;
    measurer.SetFont(font, run.Bold, false, size);
    PlacedRun box;
    box.page = page;
    box.left = run.x;
    box.top = run.y - size;
    box.width = (measurer.MeasureTwips(text) + (run.textalign == 3 ? run.xdelta : 0)) / 20;
    box.height = size * 1.25;
    box.line = run.sourceLine;
    return box;
}

}  // namespace

PreviewLineMap PreviewLineMap::FromDocument(const vorDocument& document) {
    PreviewLineMap map;
    TextMeasurer measurer;
    const vorPages& pages = document.Pages;
    for (int32_t page = 1; page <= pages.PagesCount(); ++page) {
        const vorPage& placed = pages[page];
        if (placed.Contents.empty()) continue;
        // The first block: the furniture stamped on every page is in the second.
        const vorContent& block = placed.Contents.front();
        for (const vorText& run : block.Texts) {
            const std::string_view text = block.Text(run);
            if (run.sourceLine <= 0 || ShowsNothing(text)) continue;
            map.Add(BoxOf(run, text, block.FontName(run), page - 1, measurer));
        }
    }
    map.Index();
    return map;
}

void PreviewLineMap::Index() {
    std::stable_sort(runs_.begin(), runs_.end(),
                     [](const PlacedRun& a, const PlacedRun& b) { return a.page < b.page; });
    const int pages = runs_.empty() ? 0 : runs_.back().page + 1;
    pageStart_.assign(size_t(pages) + 1, runs_.size());
    for (size_t n = runs_.size(); n-- > 0;) pageStart_[size_t(runs_[n].page)] = n;
    for (size_t page = size_t(pages); page-- > 0;) {
        pageStart_[page] = std::min(pageStart_[page], pageStart_[page + 1]);
    }

    byLine_.resize(runs_.size());
    for (size_t n = 0; n < runs_.size(); ++n) byLine_[n] = n;
    // Within a line, the order the runs were placed in: the first piece of a line
    // wrapped across columns is the one at the foot of the first column.
    std::stable_sort(byLine_.begin(), byLine_.end(),
                     [this](size_t a, size_t b) { return runs_[a].line < runs_[b].line; });
}

std::optional<PagePlace> PreviewLineMap::PlaceOfLine(int line) const {
    if (byLine_.empty()) return std::nullopt;
    auto it = std::lower_bound(byLine_.begin(), byLine_.end(), line,
                               [this](size_t run, int wanted) { return runs_[run].line < wanted; });
    if (it == byLine_.end()) {
        // Past the last line that shows anything: the first run of that last line.
        const int last = runs_[byLine_.back()].line;
        it = std::lower_bound(byLine_.begin(), byLine_.end(), last,
                              [this](size_t run, int wanted) { return runs_[run].line < wanted; });
    }
    const PlacedRun& run = runs_[*it];
    return PagePlace{run.page, run.top};
}

std::optional<int> PreviewLineMap::LineAt(int page, double x, double y) const {
    if (page < 0 || size_t(page) + 1 >= pageStart_.size()) return std::nullopt;
    const size_t first = pageStart_[size_t(page)];
    const size_t end = pageStart_[size_t(page) + 1];
    if (first == end) return std::nullopt;
    constexpr double kFar = std::numeric_limits<double>::infinity();
    std::pair<double, double> nearest{kFar, kFar};
    int line = 0;
    for (size_t n = first; n < end; ++n) {
        const std::pair<double, double> distance = DistanceTo(runs_[n], x, y);
        if (distance < nearest) {
            nearest = distance;
            line = runs_[n].line;
        }
    }
    return line;
}

}  // namespace scrivane::app
