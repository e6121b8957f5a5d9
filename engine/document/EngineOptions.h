#pragma once
// Program-wide values that the editor or the command line hands to one export.
#include <functional>
#include <string>

#include "format/OutputFormats.h"

namespace scrivane {

struct EngineOptions {
    // The smallest file: leaves the source lines out of a PDF, so it cannot be edited
    // again. A `<set>optimize=...` line may change it for the rest of one export.
    bool optimize = false;
    // The folder that "%apppath%" in image names stands for (no trailing separator).
    std::string appFolder;
    // The folder of the text file: relative image names are found there (empty: the
    // current folder, for a text without a file).
    std::string textFolder;
    // Image tags (`<img src='...'>`) are placed in PDF output (the editor's per-format
    // setting); when off they are printed as text.
    bool imageTags = true;
    // The text is UTF-8 and holds characters beyond Windows-1252 (util/TextInput.h
    // decides): it is measured with Unicode faces and written with them.
    bool utf8Text = false;
    // SVG output animates the text colour.
    bool animateSvg = false;
    // A PDF's page streams are built on other threads while the layout goes on. With
    // kLetRunsGo a page's runs are let go once its stream is built, so that a long text's
    // runs are never all held; only for a document written once and never read again
    // (vorDocument::LayoutMustBeRedone says when that did not work out).
    enum class StreamsDuringLayout { kOff, kKeepRuns, kLetRunsGo };
    StreamsDuringLayout streamsDuringLayout = StreamsDuringLayout::kKeepRuns;
    // Progress messages; empty = none.
    std::function<void(const std::string&)> trace;
};

}  // namespace scrivane
