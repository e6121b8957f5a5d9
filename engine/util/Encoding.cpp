#include "util/Encoding.h"

#include <cstdint>
#include <cstring>

namespace scrivane {

namespace {

// Unicode code points of bytes 0x80..0x9F; the undefined ones keep their own value.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

size_t DecodeUtf8(std::string_view text, size_t i, char32_t& cp) {
    auto b0 = static_cast<unsigned char>(text[i]);
    size_t length;
    char32_t min;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        length = 2; cp = b0 & 0x1F; min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3; cp = b0 & 0x0F; min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4; cp = b0 & 0x07; min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k) {
        auto b = static_cast<unsigned char>(text[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

char32_t Cp1252CodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
    return byte;
}

int Cp1252Byte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    // The table's other characters lie in U+0152..U+02DC and U+2013..U+2122: Greek,
    // Cyrillic and the rest need no search.
    if ((cp > 0x02DC && cp < 0x2013) || cp > 0x2122) return -1;
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == cp) return 0x80 + i;
    }
    return -1;
}

bool IsValidUtf8(std::string_view bytes) {
    char32_t cp;
    for (size_t i = 0; i < bytes.size();) {
        // Plain ASCII, the bulk of most texts, 32 and then eight bytes at a time.
        while (i + 32 <= bytes.size()) {
            uint64_t words[4];
            std::memcpy(words, bytes.data() + i, sizeof words);
            if (((words[0] | words[1] | words[2] | words[3]) & 0x8080808080808080ull) != 0) break;
            i += 32;
        }
        while (i + 8 <= bytes.size()) {
            uint64_t word;
            std::memcpy(&word, bytes.data() + i, sizeof word);
            if ((word & 0x8080808080808080ull) != 0) break;
            i += 8;
        }
        if (i >= bytes.size()) break;
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        size_t length = DecodeUtf8(bytes, i, cp);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

bool HoldsBeyondCp1252(std::string_view utf8) {
    char32_t cp;
    for (size_t i = 0; i < utf8.size();) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            ++i;
            continue;
        }
        size_t length = DecodeUtf8(utf8, i, cp);
        if (length == 0) {
            ++i;
            continue;
        }
        if (Cp1252Byte(cp) < 0) return true;
        i += length;
    }
    return false;
}

std::string Utf8ToCp1252(std::string_view utf8, size_t* replaced) {
    std::string out;
    out.reserve(utf8.size());
    size_t count = 0;
    char32_t cp;
    for (size_t i = 0; i < utf8.size();) {
        size_t length = DecodeUtf8(utf8, i, cp);
        if (length == 0) {
            out.push_back(utf8[i]);  // not UTF-8: keep the byte as it is
            ++i;
            continue;
        }
        i += length;
        if (cp == 0xFEFF && out.empty()) continue;  // a byte order mark is no text
        int byte = Cp1252Byte(cp);
        if (byte < 0) {
            out.push_back('?');
            ++count;
        } else {
            out.push_back(static_cast<char>(byte));
        }
    }
    if (replaced) *replaced = count;
    return out;
}

std::string MendUtf8(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    char32_t cp;
    for (size_t i = 0; i < bytes.size();) {
        size_t length = DecodeUtf8(bytes, i, cp);
        if (length == 0) {
            AppendUtf8(out, Cp1252CodePoint(static_cast<unsigned char>(bytes[i])));
            ++i;
        } else {
            out.append(bytes.substr(i, length));
            i += length;
        }
    }
    return out;
}

std::string Cp1252ToUtf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 8);
    size_t plainFrom = 0;
    for (size_t i = 0; i < cp1252.size();) {
        if (i + 8 <= cp1252.size()) {  // plain ASCII eight bytes at a time
            uint64_t word;
            std::memcpy(&word, cp1252.data() + i, sizeof word);
            if ((word & 0x8080808080808080ull) == 0) {
                i += 8;
                continue;
            }
        }
        const auto byte = static_cast<unsigned char>(cp1252[i]);
        if (byte >= 0x80) {
            out.append(cp1252.substr(plainFrom, i - plainFrom));
            AppendUtf8(out, Cp1252CodePoint(byte));
            plainFrom = i + 1;
        }
        ++i;
    }
    out.append(cp1252.substr(plainFrom));
    return out;
}

}  // namespace scrivane
