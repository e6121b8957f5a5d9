#include "import/foreign/GlyphNames.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "import/foreign/StandardEncodings.h"
#include "import/foreign/UnicodeText.h"

namespace scrivane::foreign {

namespace {

// Glyphs the Latin fonts have that Windows-1252 lacks, with the nearest text.
constexpr std::pair<const char*, const char*> kExtraGlyphs[] = {
    {"minus", "-"}, {"nonbreakingspace", "\xA0"}, {"softhyphen", "\xAD"}, {"middot", "\xB7"},
    {"fi", "fi"}, {"fl", "fl"}, {"ff", "ff"}, {"ffi", "ffi"}, {"ffl", "ffl"},
    {"dotlessi", "i"}, {"Lslash", "L"}, {"lslash", "l"}, {"fraction", "/"},
    {"breve", "?"}, {"dotaccent", "?"}, {"ring", "?"}, {"hungarumlaut", "?"},
    {"ogonek", "?"}, {"caron", "?"}, {"notequal", "?"}, {"infinity", "?"},
    {"lessequal", "?"}, {"greaterequal", "?"}, {"partialdiff", "?"}, {"summation", "?"},
    {"product", "?"}, {"pi", "?"}, {"integral", "?"}, {"Omega", "?"}, {"radical", "?"},
    {"approxequal", "?"}, {"Delta", "?"}, {"lozenge", "?"}, {"apple", "?"}};

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The value of a run of hex digits; false when a character is not one.
bool HexRun(std::string_view digits, char32_t& value) {
    value = 0;
    for (char c : digits) {
        int v = HexValue(c);
        if (v < 0) return false;
        value = value * 16 + static_cast<char32_t>(v);
    }
    return true;
}

// The characters of "uniXXXX[XXXX...]" or "uXXXX[XX]" names; false for other names.
bool UnicodeGlyphName(std::string_view name, std::string& text) {
    char32_t cp;
    if (name.size() >= 7 && name.substr(0, 3) == "uni" && (name.size() - 3) % 4 == 0) {
        std::string out;
        for (size_t at = 3; at < name.size(); at += 4) {
            if (!HexRun(name.substr(at, 4), cp)) return false;
            AppendCodePoint(out, cp);
        }
        text = out;
        return true;
    }
    if (name.size() >= 5 && name.size() <= 7 && name[0] == 'u' && HexRun(name.substr(1), cp)) {
        text.clear();
        AppendCodePoint(text, cp);
        return true;
    }
    return false;
}

// Glyph name -> text of the Windows-1252 glyphs and the extra Latin ones.
const std::unordered_map<std::string_view, std::string>& KnownGlyphs() {
    static const std::unordered_map<std::string_view, std::string> table = [] {
        std::unordered_map<std::string_view, std::string> t;
        const EncodingNames& win = WinAnsiEncoding();
        for (int c = 0x20; c < 256; ++c) {
            if (!win[c].empty()) t.emplace(win[c], std::string(1, static_cast<char>(c)));
        }
        for (const auto& [glyph, chars] : kExtraGlyphs) t.emplace(glyph, chars);
        return t;
    }();
    return table;
}

// depth: 1 inside a variant or a ligature, which do not nest.
bool GlyphTextAt(std::string_view name, std::string& text, int depth) {
    const auto& known = KnownGlyphs();
    if (auto found = known.find(name); found != known.end()) {
        text = found->second;
        return true;
    }
    if (UnicodeGlyphName(name, text)) return true;
    if (depth > 0 || name.empty()) return false;
    // "a.sc", "f_f_i": a variant, a ligature of known glyphs.
    if (size_t dot = name.find('.'); dot != std::string_view::npos && dot > 0) {
        return GlyphTextAt(name.substr(0, dot), text, depth + 1);
    }
    if (name.find('_') != std::string_view::npos) {
        std::string spaced(name), joined, part;
        std::replace(spaced.begin(), spaced.end(), '_', ' ');
        for (std::string_view piece : SplitNames(spaced)) {
            if (!GlyphTextAt(piece, part, depth + 1)) return false;
            joined += part;
        }
        text = joined;
        return true;
    }
    return false;
}

}  // namespace

bool GlyphText(std::string_view name, std::string& text) { return GlyphTextAt(name, text, 0); }

}  // namespace scrivane::foreign
