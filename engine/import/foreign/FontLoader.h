#pragma once
// Reads a font dictionary of the file into what the conversion knows of the font.
#include <memory>

#include <qpdf/QPDFObjectHandle.hh>

#include "import/foreign/ConversionBudget.h"
#include "import/foreign/ForeignFont.h"

namespace scrivane::foreign {

// Simple fonts (Type 1, TrueType, Type 3) by their encoding, differences, ToUnicode map
// and widths, the standard fonts' widths standing in for missing ones; composite fonts
// (Type 0) by their code space, ToUnicode map and CID widths. Streams it decodes count
// against the budget.
std::unique_ptr<ForeignFont> LoadFont(QPDFObjectHandle dict, ConversionBudget& budget);

}  // namespace scrivane::foreign
