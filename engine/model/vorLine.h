#pragma once

namespace scrivane {

// A rule from (x, y) to (x + lx, y - ly): lx to the right, ly upwards in PDF terms.
struct vorLine {
    double x = 0;
    double y = 0;
    double lx = 0;
    double ly = 0;
    double lWidth = 0;
};

}  // namespace scrivane
