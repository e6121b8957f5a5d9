#pragma once
// Everything one conversion may still spend, shared by all its pages.
#include <cstddef>

#include "import/ForeignPdf.h"

namespace scrivane::foreign {

struct ConversionBudget {
    explicit ConversionBudget(const ForeignPdfLimits& l)
        : limits(l), decodedLeft(l.maxDecodedBytes), operatorsLeft(l.maxOperatorsPerFile),
          textLeft(l.maxTextBytes), assignmentsLeft(l.maxCodeAssignments),
          streamsLeft(l.maxStreamsDecoded) {}

    // Takes cost from the text still allowed; false (and the text is full) past it.
    bool SpendText(size_t cost) {
        if (cost > textLeft) {
            textFull = true;
            return false;
        }
        textLeft -= cost;
        return true;
    }

    const ForeignPdfLimits& limits;
    size_t decodedLeft;
    size_t operatorsLeft;
    size_t textLeft;
    size_t assignmentsLeft;
    size_t streamsLeft;
    bool textFull = false;
};

}  // namespace scrivane::foreign
