#pragma once
// Where each line of the text went on the preview's pages, and which line a point of a
// page shows: the caret's line leads the preview to its page, a double click on the
// preview leads the caret back to its line. Built from the laid-out runs, each of which
// knows the line of the text it came from; a wrapped line has several runs, a column
// layout runs side by side.
#include <cstdint>
#include <optional>
#include <vector>

namespace scrivane {
class vorDocument;
}

namespace scrivane::app {

// One placed run, in points from the page's top-left corner.
struct PlacedRun {
    int page = 0;    // 0-based
    double left = 0;
    double top = 0;  // the top of the run's line box
    double width = 0;
    double height = 0;
    int line = 0;  // 1-based line of the text
};

// A place on a page: its index (0-based) and a height in points from its top.
struct PagePlace {
    int page = 0;
    double y = 0;
};

class PreviewLineMap {
public:
    // The runs of a laid-out document, page furniture (headers stamped on every page)
    // left out: it belongs to no single place.
    static PreviewLineMap FromDocument(const scrivane::vorDocument& document);

    // Runs in the order they were placed (pages may come in any order); Index() must
    // follow the last one.
    void Add(const PlacedRun& run) { runs_.push_back(run); }
    void Index();

    bool empty() const { return runs_.empty(); }
    size_t size() const { return runs_.size(); }

    // Where the line is shown: its first run. A line that shows nothing (a command, a
    // hidden line) leads to the next line that shows something, or at the end of the
    // text to the last one before it.
    std::optional<PagePlace> PlaceOfLine(int line) const;
    // The line of the run at a point of a page, or of the run nearest to it on that
    // page; nullopt for a page without runs.
    std::optional<int> LineAt(int page, double x, double y) const;

private:
    std::vector<PlacedRun> runs_;      // by page, then as added
    std::vector<size_t> pageStart_;    // first run of each page in runs_; one past the end
    std::vector<size_t> byLine_;       // runs_ indices ordered by line, then as placed
};

}  // namespace scrivane::app
