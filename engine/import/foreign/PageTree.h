#pragma once
// The pages of a file, found by walking its page tree.
#include <cstddef>
#include <vector>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>

namespace scrivane::foreign {

// A page with the resources and media box it has or inherits (null when none).
struct PageEntry {
    QPDFObjectHandle page;
    QPDFObjectHandle resources;
    QPDFObjectHandle mediaBox;
};

// The leaves of the page tree in order, at most maxPages. Walks with its own stack: a
// tree may be deep, may loop, may name a node twice (it counts once). qpdf's getAllPages
// is not used because it gives up on a loop and copies a page named twice into the file.
std::vector<PageEntry> CollectPages(QPDF& pdf, size_t maxPages);

// A page's box in points, lower left and upper right.
struct PageBox {
    double llx = 0, lly = 0, urx = 0, ury = 0;
};

// The media box: its corners in order when it is four finite numbers, else fallback.
PageBox MediaBox(QPDFObjectHandle mediaBox, const PageBox& fallback);

}  // namespace scrivane::foreign
