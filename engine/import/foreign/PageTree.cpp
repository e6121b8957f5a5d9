#include "import/foreign/PageTree.h"

#include <cmath>
#include <set>

#include "import/foreign/ObjectAccess.h"

namespace scrivane::foreign {

std::vector<PageEntry> CollectPages(QPDF& pdf, size_t maxPages) {
    std::vector<PageEntry> pages;
    std::vector<PageEntry> stack;  // nodes still to visit, with what they inherit
    std::set<QPDFObjGen> seen;
    stack.push_back({Key(pdf.getRoot(), "/Pages"), QPDFObjectHandle::newNull(),
                     QPDFObjectHandle::newNull()});
    while (!stack.empty() && pages.size() < maxPages) {
        PageEntry current = stack.back();
        stack.pop_back();
        QPDFObjectHandle node = current.page;
        if (!node.isDictionary()) continue;
        if (node.isIndirect() && !seen.insert(node.getObjGen()).second) continue;
        QPDFObjectHandle resources = Key(node, "/Resources");
        if (!resources.isDictionary()) resources = current.resources;
        QPDFObjectHandle mediaBox = Key(node, "/MediaBox");
        if (!mediaBox.isArray()) mediaBox = current.mediaBox;
        QPDFObjectHandle kids = Key(node, "/Kids");
        if (kids.isArray() && !Key(node, "/Type").isNameAndEquals("/Page")) {
            int n = kids.getArrayNItems();
            if (stack.size() + static_cast<size_t>(n) > maxPages * 4) continue;
            for (int i = n - 1; i >= 0; --i) {
                stack.push_back({kids.getArrayItem(i), resources, mediaBox});
            }
        } else {
            pages.push_back({node, resources, mediaBox});
        }
    }
    return pages;
}

PageBox MediaBox(QPDFObjectHandle mediaBox, const PageBox& fallback) {
    if (!mediaBox.isRectangle()) return fallback;
    // qpdf's rectangle puts the corners in order: lower left, upper right.
    QPDFObjectHandle::Rectangle box = mediaBox.getArrayAsRectangle();
    if (!std::isfinite(box.llx + box.lly + box.urx + box.ury)) return fallback;
    return {box.llx, box.lly, box.urx, box.ury};
}

}  // namespace scrivane::foreign
