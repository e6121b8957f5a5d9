#include "pdf/PdfSyntax.h"

#include <algorithm>
#include <array>

#include "util/Encoding.h"
#include "util/Numbers.h"

namespace scrivane {

namespace {

// Bytes a shown run cannot carry as they are: the three a literal string escapes, tab,
// CR and LF. Runs are long stretches of plain bytes, copied a stretch at a time.
constexpr std::array<bool, 256> SpecialInRun() {
    std::array<bool, 256> special{};
    for (unsigned char c : {'\\', '(', ')', '\t', '\r', '\n'}) special[c] = true;
    return special;
}
constexpr std::array<bool, 256> kSpecialInRun = SpecialInRun();

// Whether a reader, which takes an information string without a byte order mark as
// PDFDocEncoding, sees the characters these Windows-1252 bytes are. The two agree on
// printable ASCII and on 0xA1-0xFF but for 0xAD; they part on 0x80-0xA0 (the euro sign,
// dashes and quotes of Windows-1252) and on control bytes.
bool ReadsAlikeInPdfDocEncoding(std::string_view cp1252) {
    for (const char c : cp1252) {
        const auto byte = static_cast<unsigned char>(c);
        const bool alike = (byte >= 0x20 && byte <= 0x7E) || (byte >= 0xA1 && byte != 0xAD) ||
                           byte == '\t' || byte == '\n' || byte == '\r';
        if (!alike) return false;
    }
    return true;
}

}  // namespace

void AppendEscapedLiteral(std::string& out, std::string_view text) {
    for (char c : text) {
        if (c == '\\' || c == '(' || c == ')') out.push_back('\\');
        out.push_back(c);
    }
}

void AppendTextString(std::string& out, std::string_view utf8) {
    const bool ascii = std::all_of(utf8.begin(), utf8.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) {
        AppendEscapedLiteral(out, utf8);
        return;
    }
    auto appendByte = [&](unsigned byte) {
        if (byte == '\\' || byte == '(' || byte == ')') out.push_back('\\');
        if (byte == '\r' || byte == '\n') {
            out.push_back('\\');
            out.push_back(byte == '\r' ? 'r' : 'n');
            return;
        }
        out.push_back(static_cast<char>(byte));
    };
    auto appendUnit = [&](unsigned unit) {
        appendByte(unit >> 8);
        appendByte(unit & 0xFF);
    };
    appendUnit(0xFEFF);
    char32_t cp = 0;
    for (size_t i = 0; i < utf8.size();) {
        size_t length = DecodeUtf8(utf8, i, cp);
        if (length == 0) {
            cp = 0xFFFD;
            length = 1;
        }
        i += length;
        if (cp >= 0x10000) {
            appendUnit(0xD800 + ((cp - 0x10000) >> 10));
            appendUnit(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            appendUnit(cp);
        }
    }
}

void AppendRef(std::string& out, long long number) {
    AppendInt(out, number);
    out += " 0 R";
}

void AppendInfoString(std::string& out, std::string_view utf8, bool utf8Text) {
    if (!utf8Text && !HoldsBeyondCp1252(utf8) && utf8.substr(0, 4) != "\xC3\xBE\xC3\xBF") {
        const std::string cp1252 = Utf8ToCp1252(utf8);
        if (ReadsAlikeInPdfDocEncoding(cp1252)) {
            AppendEscapedLiteral(out, cp1252);
            return;
        }
    }
    AppendTextString(out, utf8);
}

std::string EscapeLiteral(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    AppendEscapedLiteral(out, text);
    return out;
}

void AppendEscapedRun(std::string& out, std::string_view text) {
    size_t plainFrom = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (!kSpecialInRun[static_cast<unsigned char>(c)]) continue;
        out.append(text.data() + plainFrom, i - plainFrom);
        plainFrom = i + 1;
        if (c == '\t') {
            out.append(10, ' ');
        } else if (c == '\r' || c == '\n') {
            // A line end inside a run would split it where the reader cuts lines.
            out += c == '\r' ? "\\r" : "\\n";
        } else {
            out.push_back('\\');
            out.push_back(c);
        }
    }
    out.append(text.data() + plainFrom, text.size() - plainFrom);
}

std::string EscapeRun(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    AppendEscapedRun(out, text);
    return out;
}

namespace {

void AppendComponent(std::string& out, std::string_view token) {
    int value = 0;
    if (auto number = ToInt32(token)) value = std::clamp(*number, 0, 255);
    if (value == 255) {
        out.push_back('1');
    } else if (value == 0) {
        out.push_back('0');
    } else {
        std::string digits = std::to_string(value * 100000 / 255);
        out += "0.";
        out.append(5 - digits.size(), '0');
        out += digits;
    }
}

}  // namespace

std::string ColourOperands(std::string_view colour) {
    std::string out;
    size_t start = 0;
    for (int component = 0; component < 3; ++component) {
        while (start < colour.size() && colour[start] == ' ') ++start;
        size_t end = colour.find(' ', start);
        if (end == std::string_view::npos) end = colour.size();
        if (component > 0) out.push_back(' ');
        AppendComponent(out, start < colour.size() ? colour.substr(start, end - start) : "");
        start = end;
    }
    return out;
}

}  // namespace scrivane
