#include "import/foreign/FontLoader.h"

#include <algorithm>
#include <string>

#include "text/TextMeasurer.h"
#include "import/foreign/GlyphNames.h"
#include "import/foreign/ObjectAccess.h"
#include "import/foreign/StandardEncodings.h"
#include "import/foreign/StreamDecoding.h"

namespace scrivane::foreign {

namespace {

// Code assignments one map or width array may make: its own share, within what the file
// has left. A few bytes of a range assign thousands of codes, and a map or an array may
// serve any number of fonts.
class Assignments {
public:
    explicit Assignments(ConversionBudget& budget)
        : budget_(budget), allowed_(std::min(kMaxMapAssignments, budget.assignmentsLeft)),
          left_(allowed_) {}
    ~Assignments() { budget_.assignmentsLeft -= allowed_ - left_; }
    size_t& left() { return left_; }

private:
    ConversionBudget& budget_;
    size_t allowed_, left_;
};

void ParseCMapStream(QPDFObjectHandle stream, ConversionBudget& budget, CMap& map) {
    if (!stream.isStream()) return;
    std::string data = DecodeStream(stream, budget.limits.maxStreamBytes, budget);
    Assignments assignments(budget);
    ParseCMap(data, map, assignments.left());
}

// The /W array of a CID font: "first [w1 w2 ...]" and "first last w" entries.
void ReadCidWidths(QPDFObjectHandle w, ForeignFont& font, ConversionBudget& budget) {
    Assignments assignments(budget);
    size_t& left = assignments.left();
    auto assign = [&](uint32_t cid, double width) {
        if (left == 0) return false;
        --left;
        font.cidWidth[cid] = width;
        return true;
    };
    int n = w.isArray() ? w.getArrayNItems() : 0;
    for (int i = 0; i < n && font.cidWidth.size() < kMaxMapEntries && left > 0;) {
        QPDFObjectHandle first = w.getArrayItem(i);
        QPDFObjectHandle next = Item(w, i + 1);
        if (!first.isNumber()) {
            ++i;
            continue;
        }
        double start = Number(first);
        if (start < 0 || start > 0xFFFFFF) break;
        auto cid = static_cast<uint32_t>(start);
        if (next.isArray()) {
            int m = std::min(next.getArrayNItems(), 0x10000);
            for (int k = 0; k < m && font.cidWidth.size() < kMaxMapEntries; ++k) {
                if (!assign(cid + static_cast<uint32_t>(k), Number(next.getArrayItem(k)))) break;
            }
            i += 2;
        } else {
            double last = Number(next, -1);
            double width = Number(Item(w, i + 2));
            for (double c = start;
                 c <= last && c - start < 0x10000 && font.cidWidth.size() < kMaxMapEntries; ++c) {
                if (!assign(static_cast<uint32_t>(c), width)) break;
            }
            i += 3;
        }
    }
}

void LoadCompositeFont(QPDFObjectHandle dict, ConversionBudget& budget, CMap& unicodeMap,
                       ForeignFont& font) {
    font.composite = true;
    CMap codes;
    ParseCMapStream(Key(dict, "/Encoding"), budget, codes);
    font.ranges = std::move(codes.ranges);
    if (font.ranges.empty()) {
        CodeRange twoBytes;
        twoBytes.length = 2;
        twoBytes.high = {0xFF, 0xFF, 0, 0};
        font.ranges.push_back(twoBytes);
    }
    // Shorter codes first, so that "<00> <80>" one-byte ranges win over two bytes.
    std::stable_sort(font.ranges.begin(), font.ranges.end(),
                     [](const CodeRange& a, const CodeRange& b) { return a.length < b.length; });
    font.toUnicode = std::move(unicodeMap.text);
    QPDFObjectHandle descendant = Item(Key(dict, "/DescendantFonts"), 0);
    font.defaultWidth = Number(Key(descendant, "/DW"), 1000);
    ReadCidWidths(Key(descendant, "/W"), font, budget);
}

void ApplyDifferences(QPDFObjectHandle differences, ForeignFont& font) {
    if (!differences.isArray()) return;
    int n = std::min(differences.getArrayNItems(), 4096);
    long code = -1;
    std::string text;
    for (int i = 0; i < n; ++i) {
        QPDFObjectHandle item = differences.getArrayItem(i);
        if (item.isInteger()) {
            code = static_cast<long>(std::clamp<long long>(item.getIntValue(), -1, 1 << 20));
        } else if (item.isName()) {
            if (code >= 0 && code < 256) {
                std::string name = item.getName().substr(1);
                if (GlyphText(name, text)) font.simpleText[static_cast<size_t>(code)] = text;
            }
            if (code >= 0) ++code;
        }
    }
}

// The text of each code: the byte itself, unless the encoding, its differences or the
// ToUnicode map say otherwise (in that order of strength).
void ReadSimpleText(QPDFObjectHandle dict, const CMap& unicodeMap, ForeignFont& font) {
    for (int c = 0; c < 256; ++c) {
        if (c >= 0x20 && c != 0x7F) font.simpleText[c] = std::string(1, static_cast<char>(c));
    }
    QPDFObjectHandle encoding = Key(dict, "/Encoding");
    std::string base =
        encoding.isName() ? encoding.getName() : NameOf(Key(encoding, "/BaseEncoding"));
    if (const EncodingNames* names = EncodingByName(base)) {
        std::string text;
        for (int c = 0; c < 256; ++c) {
            if (!(*names)[c].empty() && GlyphText((*names)[c], text)) font.simpleText[c] = text;
        }
    }
    ApplyDifferences(Key(encoding, "/Differences"), font);
    for (const auto& [code, text] : unicodeMap.text) {
        if (code < 256) font.simpleText[code] = text;
    }
}

// The Windows-1252 width table's font for a font's name (subset prefix "ABCDEF+" off).
TextMeasurer StandardWidthsFor(std::string baseFont) {
    if (baseFont.size() > 7 && baseFont[6] == '+') baseFont.erase(0, 7);
    std::replace(baseFont.begin(), baseFont.end(), ',', '-');
    TextMeasurer measurer;
    measurer.SetFont(baseFont, false, false, 10);
    return measurer;
}

// Widths: the font's own, else the standard fonts' by the character shown.
void ReadSimpleWidths(QPDFObjectHandle dict, const std::string& subtype, ForeignFont& font) {
    std::string baseFont = NameOf(Key(dict, "/BaseFont"));
    TextMeasurer standard = StandardWidthsFor(baseFont.empty() ? baseFont : baseFont.substr(1));
    for (int c = 0; c < 256; ++c) {
        const std::string& text = font.simpleText[c];
        font.simpleWidth[c] = standard.GlyphUnits(
            text.size() == 1 ? static_cast<unsigned char>(text[0]) : static_cast<unsigned char>(c));
    }
    QPDFObjectHandle widths = Key(dict, "/Widths");
    if (!widths.isArray()) return;
    double scale = 1;
    if (subtype == "/Type3") {
        // Type 3 widths are in glyph space, which the font matrix maps to text space.
        scale = Number(Item(Key(dict, "/FontMatrix"), 0), 0.001) * 1000;
    }
    double missing = Number(Key(Key(dict, "/FontDescriptor"), "/MissingWidth"), -1);
    double firstChar = Number(Key(dict, "/FirstChar"), 0);
    int n = std::min(widths.getArrayNItems(), 256);
    for (int c = 0; c < 256; ++c) {
        double index = c - firstChar;
        if (index >= 0 && index < n) {
            font.simpleWidth[c] = Number(widths.getArrayItem(static_cast<int>(index))) * scale;
        } else if (missing >= 0) {
            font.simpleWidth[c] = missing;
        }
    }
}

}  // namespace

std::unique_ptr<ForeignFont> LoadFont(QPDFObjectHandle dict, ConversionBudget& budget) {
    auto font = std::make_unique<ForeignFont>();
    std::string subtype = NameOf(Key(dict, "/Subtype"));
    CMap unicodeMap;
    ParseCMapStream(Key(dict, "/ToUnicode"), budget, unicodeMap);
    if (subtype == "/Type0") {
        LoadCompositeFont(dict, budget, unicodeMap, *font);
    } else {
        ReadSimpleText(dict, unicodeMap, *font);
        ReadSimpleWidths(dict, subtype, *font);
    }
    return font;
}

}  // namespace scrivane::foreign
