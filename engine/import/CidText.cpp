#include "import/CidText.h"

#include "util/Encoding.h"

namespace scrivane {

namespace {

constexpr size_t kMostIds = 0x10000;

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The value of hex digits; -1 when one is no hex digit.
long HexNumber(std::string_view digits) {
    long value = 0;
    for (char c : digits) {
        int digit = HexValue(c);
        if (digit < 0) return -1;
        value = value * 16 + digit;
    }
    return value;
}

// UTF-16BE hex digits as UTF-8; pairs of surrogates joined.
std::string Utf16HexToUtf8(std::string_view digits) {
    std::string out;
    for (size_t i = 0; i + 4 <= digits.size(); i += 4) {
        long unit = HexNumber(digits.substr(i, 4));
        if (unit < 0) return "\xEF\xBF\xBD";
        char32_t cp = static_cast<char32_t>(unit);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 8 <= digits.size()) {
            long low = HexNumber(digits.substr(i + 4, 4));
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<char32_t>(low) - 0xDC00);
                i += 4;
            }
        }
        if (cp >= 0xD800 && cp <= 0xDFFF) cp = 0xFFFD;
        AppendUtf8(out, cp);
    }
    return out;
}

}  // namespace

std::string TextStringToUtf8(const std::string& value) {
    if (value.size() < 2 || value.compare(0, 2, "\xFE\xFF") != 0) return Cp1252ToUtf8(value);
    std::string out;
    for (size_t i = 2; i + 1 < value.size(); i += 2) {
        char32_t cp = (static_cast<unsigned char>(value[i]) << 8) |
                      static_cast<unsigned char>(value[i + 1]);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < value.size()) {
            char32_t low = (static_cast<unsigned char>(value[i + 2]) << 8) |
                           static_cast<unsigned char>(value[i + 3]);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (cp >= 0xD800 && cp <= 0xDFFF) cp = 0xFFFD;
        AppendUtf8(out, cp);
    }
    return out;
}

void DecodeTextStrings(vorInfos& infos) {
    for (std::string* value : {&infos.author, &infos.title, &infos.subject, &infos.keywords}) {
        *value = TextStringToUtf8(*value);
    }
}

bool CidText::ReadMap(std::string_view cmap) {
    text_.clear();
    size_t at = 0;
    while ((at = cmap.find("beginbfchar", at)) != std::string_view::npos) {
        at += 11;
        size_t end = cmap.find("endbfchar", at);
        if (end == std::string_view::npos) end = cmap.size();
        // Entries: "<id> <text>", one a line.
        while (at < end) {
            size_t open = cmap.find('<', at);
            if (open == std::string_view::npos || open >= end) break;
            size_t close = cmap.find('>', open);
            size_t open2 = close == std::string_view::npos ? close : cmap.find('<', close);
            size_t close2 = open2 == std::string_view::npos ? open2 : cmap.find('>', open2);
            if (close2 == std::string_view::npos || close2 > end) break;
            long id = HexNumber(cmap.substr(open + 1, close - open - 1));
            if (id >= 0 && static_cast<size_t>(id) < kMostIds) {
                if (text_.size() <= static_cast<size_t>(id)) text_.resize(static_cast<size_t>(id) + 1);
                text_[static_cast<size_t>(id)] =
                    Utf16HexToUtf8(cmap.substr(open2 + 1, close2 - open2 - 1));
            }
            at = close2 + 1;
        }
        at = end;
    }
    return !text_.empty();
}

std::string CidText::Decode(std::string_view line) const {
    std::string out;
    size_t at = 0;
    while ((at = line.find('(', at)) != std::string_view::npos) {
        // The writer leaves out ids with a byte that would need an escape: the string ends
        // at the first ")".
        size_t close = line.find(')', at + 1);
        if (close == std::string_view::npos) break;
        for (size_t i = at + 1; i + 2 <= close; i += 2) {
            const size_t id = (static_cast<unsigned char>(line[i]) << 8) |
                              static_cast<unsigned char>(line[i + 1]);
            if (id > 0 && id < text_.size() && !text_[id].empty()) {
                out += text_[id];
            } else {
                out += "\xEF\xBF\xBD";
            }
        }
        at = close + 1;
    }
    return out;
}

bool CidText::ShowsIds(std::string_view line) {
    if (line.size() < 5) return false;
    std::string_view end = line.substr(line.size() - 4);
    return end == ") Tj" || end == "] TJ";
}

}  // namespace scrivane
