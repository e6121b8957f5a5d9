#pragma once
// What a line's matching conditions do beyond its style: strip the marker that selected
// it, add a bookmark, hide the line.
#include <string>
#include <string_view>

#include "model/vorOutline.h"

namespace scrivane {

// A line that begins with this is an image tag: "<img src='a.jpg' left='40'>".
inline constexpr std::string_view kImageTag = "<img src='";

struct FlowContext;

// Strips a "leftlinevalue" marker when the condition shows only the right part, adds the
// line's bookmark, hides "NO" lines; records what the source text needs to come back.
void ApplyLineConditions(FlowContext& flow, std::string& text);

}  // namespace scrivane
