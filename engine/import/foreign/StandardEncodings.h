#pragma once
// The built-in encodings of simple fonts: the glyph name each byte stands for.
#include <array>
#include <string_view>
#include <vector>

namespace scrivane::foreign {

using EncodingNames = std::array<std::string_view, 256>;  // empty: no glyph

const EncodingNames& WinAnsiEncoding();
const EncodingNames& StandardEncoding();
const EncodingNames& MacRomanEncoding();

// The encoding a font names ("/WinAnsiEncoding", "/StandardEncoding",
// "/MacRomanEncoding"); nullptr for any other name.
const EncodingNames* EncodingByName(std::string_view name);

// The words of a list separated by single spaces.
std::vector<std::string_view> SplitNames(std::string_view names);

}  // namespace scrivane::foreign
