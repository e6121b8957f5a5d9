#pragma once
// Small pieces of PDF syntax the writer shares: literal-string escapes and colours.
#include <string>
#include <string_view>

namespace scrivane {

// Escape for literal strings of the Info dictionary, outlines and annotations:
// "\" -> "\\", "(" -> "\(", ")" -> "\)".
// What every object's text starts with after its number.
inline constexpr std::string_view kObjectStart = " 0 obj\n";
// "N 0 R": a reference to object N.
void AppendRef(std::string& out, long long number);

void AppendEscapedLiteral(std::string& out, std::string_view text);
std::string EscapeLiteral(std::string_view text);

// The inside of a literal text string for UTF-8 text: plain ASCII as it is (escaped as
// above), anything else as UTF-16BE after its byte order mark, with CR and LF bytes
// written as \r and \n so that no reader takes them for a line end.
void AppendTextString(std::string& out, std::string_view utf8);

// The inside of a literal string of the document information (UTF-8). In a document
// whose text Windows-1252 holds, a value whose Windows-1252 bytes a reader takes for the
// same characters (readers take such strings as PDFDocEncoding) is written as those bytes,
// as such documents always had it; any other value (the euro sign, dashes and quotes of
// Windows-1252 read otherwise there), and every value of a document beyond Windows-1252
// (utf8Text), as a text string (above). So is a value that starts with the two characters
// whose Windows-1252 bytes are the byte order mark (FE FF): written as bytes, any reader
// would take it all for UTF-16.
void AppendInfoString(std::string& out, std::string_view utf8, bool utf8Text);

// Escape for shown text: as above, each tab becomes ten spaces, and CR and LF inside a
// run are written as \r and \n.
void AppendEscapedRun(std::string& out, std::string_view text);
std::string EscapeRun(std::string_view text);

// "r g b" with components 0..255 as the operands of "rg": 255 -> "1", 0 -> "0", otherwise
// "0." and five digits of c * 100000 / 255 ("128" -> "0.50196"). A component that is not
// a number counts as 0, one out of range is clamped, a missing one is 0.
std::string ColourOperands(std::string_view colour);

}  // namespace scrivane
