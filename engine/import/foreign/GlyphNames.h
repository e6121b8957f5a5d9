#pragma once
// Glyph names (as fonts' encodings and CMaps give them) to the text they stand for.
#include <string>
#include <string_view>

namespace scrivane::foreign {

// The Windows-1252 text of a glyph name: the Windows-1252 glyphs, a few more of the
// Latin fonts, "uniXXXX" and "uXXXX" names, variants ("a.sc") and ligatures ("f_f_i")
// of known glyphs. False when the name is not known; text is then unchanged.
bool GlyphText(std::string_view name, std::string& text);

}  // namespace scrivane::foreign
