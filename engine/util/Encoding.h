#pragma once
// The engine keeps text as Windows-1252 bytes, one byte a character, as the PDF's
// WinAnsiEncoding does. These conversions sit at the edges: text files, XML files.
#include <cstddef>
#include <string>
#include <string_view>

namespace scrivane {

// The program's one Windows-1252 table. The Unicode code point of a byte; the five bytes
// Windows-1252 leaves undefined map to the C1 controls of the same value.
char32_t Cp1252CodePoint(unsigned char byte);
// The byte of a code point, or -1 when Windows-1252 has none for it.
int Cp1252Byte(char32_t codePoint);

bool IsValidUtf8(std::string_view bytes);
// Decodes one UTF-8 sequence at text[i] into cp; its length, or 0 when it is not valid
// UTF-8 (overlong forms and surrogates included).
size_t DecodeUtf8(std::string_view text, size_t i, char32_t& cp);
// Appends the UTF-8 form of a code point (up to U+10FFFF).
void AppendUtf8(std::string& out, char32_t cp);

// True when valid UTF-8 in the text decodes to a character Windows-1252 cannot hold.
bool HoldsBeyondCp1252(std::string_view utf8);

// UTF-8 to Windows-1252. Characters that Windows-1252 cannot hold become "?" and are
// counted in *replaced (when given). Bytes that are not valid UTF-8 are taken as
// Windows-1252 bytes unchanged, so nothing is lost from a mislabelled file.
std::string Utf8ToCp1252(std::string_view utf8, size_t* replaced = nullptr);

// Valid UTF-8 kept as it is; any byte that is not part of a valid sequence is taken as a
// Windows-1252 byte, as Utf8ToCp1252 takes it. The result is always valid UTF-8.
std::string MendUtf8(std::string_view bytes);

// Windows-1252 to UTF-8. The five bytes Windows-1252 leaves undefined map to the C1
// controls of the same value, so every byte survives a round trip.
std::string Cp1252ToUtf8(std::string_view cp1252);

}  // namespace scrivane
