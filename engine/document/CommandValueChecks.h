#pragma once
// What makes a command's value acceptable, one rule per kind of value. Each returns why a
// value is refused (or does nothing useful), in English, or an empty text when it is
// fine. They look at the command alone, never at the layout, so that the command table
// can judge a line without laying anything out.
#include <string>

#include "document/MarkupCommand.h"

namespace scrivane::value_checks {

// A number that fits 16 bits (x, y, linelength, maxcar, xcolumns, top).
std::string Integer16(const MarkupCommand& command);
// Integer16, and "=0" is refused: the text would vanish (fontsize) or every line would
// be printed over the one before (dy).
std::string FontSize(const MarkupCommand& command);
std::string LineAdvance(const MarkupCommand& command);
// Three whole numbers 0 to 255 with single spaces, or empty (no colour).
std::string Colour(const MarkupCommand& command);
// left, right or justify (any case), or empty.
std::string Alignment(const MarkupCommand& command);
// Strictly between -20000 and 20000.
std::string BottomMargin(const MarkupCommand& command);
// A page size of 1 to 32767 points.
std::string PageSize(const MarkupCommand& command);
// A column gap below 20000.
std::string ColumnGap(const MarkupCommand& command);
// A whole number of columns, 1 or more.
std::string ColumnCount(const MarkupCommand& command);
// Exactly "1".
std::string XmpSwitch(const MarkupCommand& command);
// 1, YES, 0 or NO in any case.
std::string OnOff(const MarkupCommand& command);
// Not empty.
std::string NotEmpty(const MarkupCommand& command);

}  // namespace scrivane::value_checks
