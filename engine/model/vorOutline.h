#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace scrivane {

// One bookmark; its children are the entries of the next level below it.
struct vorOutline {
    std::string title;
    std::string dest;  // 1-based page number, as text
    int16_t level = 1;
    int32_t top = 0;   // PDF y shown at the top of the window
    std::vector<vorOutline> outlines;
    int32_t DestObjectNumber = 0;
    int32_t ParentObjectNumber = 0;
    int32_t NextObjectNumber = 0;
    int32_t PreviousObjectNumber = 0;
    int32_t FirstOutlineObjectNumber = 0;
    int32_t LastOutlineObjectNumber = 0;

    // Number of all descendants: children plus, recursively, theirs.
    int32_t OutlinesCount() const;
};

// The outline root, owned by the document.
struct vorOutlines {
    std::vector<vorOutline> outlines;
    int32_t FirstOutlineObjectNumber = 0;
    int32_t LastOutlineObjectNumber = 0;

    // Top-level entries plus all their descendants.
    int32_t TotalCount() const;
};

// Adds a bookmark to the tree: after the last entry of a level at or above its own, or
// below the deepest last entry of a lower level (at most 10 levels down). False when
// it would need more.
bool InsertOutline(vorOutlines& root, vorOutline entry);

}  // namespace scrivane
