#pragma once
// Stream data decoded within the conversion's budget, and the checks that keep qpdf from
// inflating more than a file may ask for.
#include <cstddef>
#include <string>
#include <string_view>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>

#include "import/foreign/ConversionBudget.h"

namespace scrivane::foreign {

// The decoded data of a stream, at most cap bytes and what the budget still allows; data
// a damaged stream gives before its damage is kept. full: the data was cut (to nothing
// once the budget's decodings are spent: a page may list one stream thousands of times,
// and thousands of pages may share that list). Nothing for an object that is no stream.
std::string DecodeStream(QPDFObjectHandle stream, size_t cap, ConversionBudget& budget,
                         bool* full = nullptr);

// qpdf inflates a cross-reference stream whole when it opens a file, before any object
// can be asked for: a small file must not make it inflate gigabytes. True when every
// stream whose dictionary is of /Type /XRef fits in cap, and all of them in totalCap.
bool CrossReferenceStreamsFit(std::string_view file, size_t cap, size_t totalCap);

// qpdf inflates a whole object stream to read one of its objects: true when each one the
// file uses fits in the budget's stream size (their data counts against the budget).
bool ObjectStreamsFit(QPDF& pdf, ConversionBudget& budget);

}  // namespace scrivane::foreign
