#pragma once
// Unicode text of other programs' files to the engine's Windows-1252: characters it
// lacks become a plain equivalent when there is one, "?" otherwise.
#include <string>
#include <string_view>

namespace scrivane::foreign {

// Appends the Windows-1252 form of one Unicode character: itself, a plain equivalent,
// or "?". Line breaks and tabs become spaces; other controls are dropped.
void AppendCodePoint(std::string& out, char32_t cp);

// UTF-16BE code units (a ToUnicode destination) to Windows-1252. A single byte stands
// for the character of that value.
std::string Utf16ToCp1252(std::string_view bytes);

}  // namespace scrivane::foreign
