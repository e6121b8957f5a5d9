#include "import/foreign/CMap.h"

#include <algorithm>

#include "import/foreign/GlyphNames.h"
#include "import/foreign/TokenReader.h"
#include "import/foreign/UnicodeText.h"

namespace scrivane::foreign {

namespace {

// The tokens of a CMap program as its sections use them: strings (hex or literal, both
// give a code's bytes or a UTF-16 destination), names, words and "[".
class CMapTokens {
public:
    enum Kind { kEnd, kString, kName, kWord, kOpen, kOther };
    explicit CMapTokens(std::string_view data) : reader_(data) {}

    Kind Next(std::string& value) {
        value.clear();
        if (!reader_.Next(token_)) return kEnd;
        switch (token_.getType()) {
            case QPDFTokenizer::tt_string:
                value = token_.getValue();
                return kString;
            case QPDFTokenizer::tt_name:
                value = token_.getValue();
                return kName;
            case QPDFTokenizer::tt_word:
                value = token_.getValue();
                return kWord;
            case QPDFTokenizer::tt_array_open:
                return kOpen;
            default:
                return kOther;
        }
    }

private:
    TokenReader reader_;
    QPDFTokenizer::Token token_;
};

// The destination of the code `offset` places into a "<low> <high> <utf-16>" range: the
// last UTF-16 unit counts up through the range.
std::string RangeDestination(std::string dest, uint32_t offset) {
    if (dest.size() >= 2) {
        size_t last = dest.size() - 2;
        uint32_t unit = (static_cast<unsigned char>(dest[last]) << 8 |
                         static_cast<unsigned char>(dest[last + 1])) + offset;
        dest[last] = static_cast<char>((unit >> 8) & 0xFF);
        dest.back() = static_cast<char>(unit & 0xFF);
    } else if (dest.size() == 1) {
        dest[0] = static_cast<char>(static_cast<unsigned char>(dest[0]) + offset);
    }
    return dest;
}

// Reads the sections of a CMap program into a map, within an allowance of assignments.
class CMapReader {
public:
    CMapReader(std::string_view data, CMap& map, size_t& assignmentsLeft)
        : tokens_(data), map_(map), left_(assignmentsLeft) {}

    void Read() {
        std::string token;
        CMapTokens::Kind kind;
        while ((kind = tokens_.Next(token)) != CMapTokens::kEnd) {
            if (kind != CMapTokens::kWord) continue;
            if (token == "begincodespacerange") {
                ReadCodeSpace();
            } else if (token == "beginbfchar") {
                ReadChars();
            } else if (token == "beginbfrange") {
                ReadRanges();
            }
        }
    }

private:
    // False once the allowance is spent or the map is full: the ranges stop there.
    bool CanAdd() const { return left_ > 0 && map_.text.size() < kMaxMapEntries; }
    void Add(uint32_t code, std::string text) {
        if (!CanAdd()) return;
        --left_;
        map_.text[code] = std::move(text);
    }

    // "<low> <high>" pairs up to the first token that is no string.
    void ReadCodeSpace() {
        std::string a, b;
        while (tokens_.Next(a) == CMapTokens::kString && tokens_.Next(b) == CMapTokens::kString) {
            if (a.size() != b.size() || a.empty() || a.size() > 4) continue;
            if (map_.ranges.size() >= kMaxCodeRanges) continue;
            CodeRange range;
            range.length = a.size();
            for (size_t i = 0; i < a.size(); ++i) {
                range.low[i] = static_cast<unsigned char>(a[i]);
                range.high[i] = static_cast<unsigned char>(b[i]);
            }
            map_.ranges.push_back(range);
        }
    }

    // "<code> <utf-16>" or "<code> /glyphname" pairs.
    void ReadChars() {
        std::string a, b;
        while (tokens_.Next(a) == CMapTokens::kString) {
            CMapTokens::Kind kind = tokens_.Next(b);
            if (a.empty() || a.size() > 4) continue;
            if (kind == CMapTokens::kString) {
                Add(CodeValue(a), Utf16ToCp1252(b));
            } else if (kind == CMapTokens::kName && !b.empty()) {
                std::string text;
                if (GlyphText(std::string_view(b).substr(1), text)) Add(CodeValue(a), text);
            } else {
                break;
            }
        }
    }

    // "<low> <high> <utf-16>" or "<low> <high> [<utf-16> ...]" ranges.
    void ReadRanges() {
        std::string a, b, c;
        while (tokens_.Next(a) == CMapTokens::kString && tokens_.Next(b) == CMapTokens::kString) {
            CMapTokens::Kind kind = tokens_.Next(c);
            bool usable = !a.empty() && a.size() <= 4 && b.size() <= 4;
            uint32_t low = CodeValue(a), high = CodeValue(b);
            if (high < low) usable = false;
            // No range is longer than a two-byte code space.
            uint32_t count = usable ? std::min<uint32_t>(high - low, 0xFFFF) + 1 : 0;
            if (kind == CMapTokens::kString) {
                for (uint32_t i = 0; i < count && CanAdd(); ++i) {
                    Add(low + i, Utf16ToCp1252(RangeDestination(c, i)));
                }
            } else if (kind == CMapTokens::kOpen) {
                uint32_t i = 0;
                while ((kind = tokens_.Next(c)) == CMapTokens::kString) {
                    if (i < count) Add(low + i, Utf16ToCp1252(c));
                    ++i;
                }
            } else {
                break;
            }
        }
    }

    CMapTokens tokens_;
    CMap& map_;
    size_t& left_;
};

}  // namespace

void ParseCMap(std::string_view data, CMap& map, size_t& assignmentsLeft) {
    CMapReader(data, map, assignmentsLeft).Read();
}

void ParseCMap(std::string_view data, CMap& map) {
    size_t assignments = kMaxMapAssignments;
    ParseCMap(data, map, assignments);
}

}  // namespace scrivane::foreign
