#include "import/foreign/UnicodeText.h"

#include <utility>

#include <qpdf/QUtil.hh>

#include "util/Encoding.h"

namespace scrivane::foreign {

namespace {

// Unicode characters outside Windows-1252 that have a plain equivalent in it.
constexpr std::pair<char32_t, const char*> kFoldings[] = {
    {0x0131, "i"},   {0x0141, "L"},   {0x0142, "l"},   {0x2010, "-"},   {0x2011, "-"},
    {0x2012, "-"},   {0x2043, "-"},   {0x2212, "-"},   {0x2002, " "},   {0x2003, " "},
    {0x2004, " "},   {0x2005, " "},   {0x2006, " "},   {0x2007, " "},   {0x2008, " "},
    {0x2009, " "},   {0x200A, " "},   {0x202F, " "},   {0x205F, " "},   {0x3000, " "},
    {0x200B, ""},    {0x200C, ""},    {0x200D, ""},    {0x2060, ""},    {0xFEFF, ""},
    {0x2024, "."},   {0x2032, "'"},   {0x2033, "\""},  {0x2044, "/"},   {0x2215, "/"},
    {0x2217, "*"},   {0x2219, "\xB7"}, {0xFB00, "ff"}, {0xFB01, "fi"},  {0xFB02, "fl"},
    {0xFB03, "ffi"}, {0xFB04, "ffl"}, {0xFB05, "st"},  {0xFB06, "st"}};

uint32_t Unit(std::string_view bytes, size_t at) {
    return (static_cast<unsigned char>(bytes[at]) << 8) | static_cast<unsigned char>(bytes[at + 1]);
}

}  // namespace

void AppendCodePoint(std::string& out, char32_t cp) {
    if (cp == '\t' || cp == '\n' || cp == '\r') {
        out.push_back(' ');
        return;
    }
    if (cp < 0x20 || cp == 0x7F) return;
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        out.push_back(static_cast<char>(cp));
        return;
    }
    for (const auto& [from, to] : kFoldings) {
        if (from == cp) {
            out += to;
            return;
        }
    }
    if (cp >= 0x10000) {
        out.push_back('?');  // beyond the Basic Multilingual Plane: nothing in Windows-1252
        return;
    }
    out += Utf8ToCp1252(QUtil::toUTF8(cp));
}

// Decoded here rather than by QUtil::utf16_to_utf8: that one takes a leading FF FE for a
// little-endian byte order mark, while a ToUnicode destination is always big-endian.
std::string Utf16ToCp1252(std::string_view bytes) {
    std::string out;
    if (bytes.size() == 1) {
        AppendCodePoint(out, static_cast<unsigned char>(bytes[0]));
        return out;
    }
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t unit = Unit(bytes, i);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            char32_t low = Unit(bytes, i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                AppendCodePoint(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendCodePoint(out, unit);
    }
    return out;
}

}  // namespace scrivane::foreign
