#pragma once
// Reading the objects of a file that may be damaged anywhere: a missing key, an item of
// the wrong kind or a number that is not finite gives a null or a fallback, never an
// exception.
#include <string>

#include <qpdf/QPDFObjectHandle.hh>

namespace scrivane::foreign {

// The number h holds, or fallback when it holds none or one that is not finite.
double Number(QPDFObjectHandle h, double fallback = 0);
// dict's entry for key; null when dict is no dictionary.
QPDFObjectHandle Key(QPDFObjectHandle dict, const std::string& key);
// array's item n; null when there is none.
QPDFObjectHandle Item(QPDFObjectHandle array, int n);
// The name h holds ("/Name"), or "".
std::string NameOf(QPDFObjectHandle h);

}  // namespace scrivane::foreign
