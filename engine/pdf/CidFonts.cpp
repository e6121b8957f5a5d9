#include "pdf/CidFonts.h"

#include <algorithm>
#include <array>
#include <set>
#include <unordered_map>

#include "font/UnicodeFace.h"
#include "font/UnicodeFonts.h"
#include "pdf/Compression.h"
#include "pdf/PdfSyntax.h"
#include "util/Encoding.h"
#include "util/Numbers.h"

namespace scrivane {

namespace {

constexpr char32_t kNotACharacter = 0xFFFD;
constexpr size_t kTabSpaces = 10;
constexpr size_t kMostCids = 0xFFFF;
const char* const kHex = "0123456789ABCDEF";
constexpr char32_t kNoCharacter = 0xFFFFFFFF;

// Bytes an id never has: runs show ids as the bytes of literal strings, and none of them
// then needs an escape or looks like a line end to a reader that splits a stream in lines.
constexpr std::array<bool, 256> SpecialInString() {
    std::array<bool, 256> special{};
    for (unsigned char c : {'\\', '(', ')', '\r', '\n'}) special[c] = true;
    return special;
}
constexpr std::array<bool, 256> kSpecialInString = SpecialInString();

// Calls show(c) for each character a run shows: a tab shows as ten spaces.
template <typename Show>
void ForEachShown(std::string_view utf8, Show&& show) {
    char32_t codePoint = 0;
    for (size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            codePoint = byte;
            ++i;
        } else {
            size_t length = DecodeUtf8(utf8, i, codePoint);
            if (length == 0) {
                codePoint = kNotACharacter;
                length = 1;
            }
            i += length;
        }
        if (codePoint == '\t') {
            for (size_t k = 0; k < kTabSpaces; ++k) show(U' ');
        } else {
            show(codePoint);
        }
    }
}

void AppendHex4(std::string& out, unsigned value) {
    out.push_back(kHex[(value >> 12) & 15]);
    out.push_back(kHex[(value >> 8) & 15]);
    out.push_back(kHex[(value >> 4) & 15]);
    out.push_back(kHex[value & 15]);
}

// A stream object, deflated; false when deflating fails.
bool AppendStream(std::string& out, std::string data, std::string_view extraKeys,
                  const std::function<int(std::string&)>& deflate) {
    if ((deflate ? deflate(data) : Compress(data)) != 0) return false;
    out += kObjectStart;
    out += "<</Length ";
    AppendInt(out, static_cast<long long>(data.size()));
    out += extraKeys;
    out += "/Filter/FlateDecode>>\nstream\n";
    out += data;
    out += "\nendstream\nendobj\n";
    return true;
}

// Six capitals that tell this subset from another of the same face.
std::string SubsetTag(const std::vector<bool>& used, const std::string& name) {
    uint64_t hash = 1469598103934665603ULL;
    auto mix = [&](uint64_t value) { hash = (hash ^ value) * 1099511628211ULL; };
    for (char c : name) mix(static_cast<unsigned char>(c));
    for (size_t i = 0; i < used.size(); ++i) {
        if (used[i]) mix(i);
    }
    std::string tag;
    for (int i = 0; i < 6; ++i) {
        tag.push_back(static_cast<char>('A' + hash % 26));
        hash /= 26;
    }
    return tag;
}

}  // namespace

// The characters of each face, by code point, while the runs are read.
struct CidFonts::Used {
    std::vector<std::vector<bool>> basic;    // per face, the first 65,536 characters
    std::vector<std::set<char32_t>> beyond;  // per face, the rest
};

bool CidFonts::AssignFaces(const std::vector<vorFont>& fonts) {
    faces_.clear();
    faceOf_.clear();
    for (size_t i = 0; i < std::max<size_t>(fonts.size(), 1); ++i) {
        const std::string name = i < fonts.size() ? fonts[i].BaseFont : "Helvetica";
        const UnicodeFace* face = UnicodeFonts::Shared().ForFont(name, false, false);
        if (!face) return false;
        size_t slot = 0;
        while (slot < faces_.size() && faces_[slot].face != face) ++slot;
        if (slot == faces_.size()) {
            faces_.emplace_back();
            faces_.back().face = face;
            faces_.back().firstFont = i;
        }
        faceOf_.push_back(slot);
    }
    return true;
}

void CidFonts::CollectUsed(const vorPages& pages, const std::vector<vorFont>& fonts,
                           Used& used) const {
    used.basic.assign(faces_.size(), std::vector<bool>(0x10000, false));
    used.beyond.resize(faces_.size());
    std::unordered_map<std::string, size_t> indexOf;  // the first font of a name wins
    for (size_t i = 0; i < fonts.size(); ++i) indexOf.emplace(fonts[i].BaseFont, i);
    for (const auto& page : pages.Kids) {
        for (const vorContent& content : page->Contents) {
            for (const vorText& run : content.Texts) {
                auto found = indexOf.find(content.ResourceFontName(run));
                const size_t face = faceOf_[found == indexOf.end() ? 0 : found->second];
                ForEachShown(content.Text(run), [&](char32_t c) {
                    if (c < 0x10000) {
                        used.basic[face][c] = true;
                    } else {
                        used.beyond[face].insert(c);
                    }
                });
            }
        }
    }
}

bool CidFonts::Prepare(const vorPages& pages, const std::vector<vorFont>& fonts) {
    if (!AssignFaces(fonts)) return false;
    Used used;
    CollectUsed(pages, fonts, used);
    // One numbering for all faces: the characters in order.
    codePoints_.clear();
    std::set<char32_t> beyond;
    for (const auto& set : used.beyond) beyond.insert(set.begin(), set.end());
    for (char32_t c = 0; c < 0x10000; ++c) {
        for (const auto& basic : used.basic) {
            if (basic[c]) {
                codePoints_.push_back(c);
                break;
            }
        }
    }
    codePoints_.insert(codePoints_.end(), beyond.begin(), beyond.end());
    AssignIds();
    for (size_t i = 0; i < faces_.size(); ++i) {
        Font& font = faces_[i];
        font.usedCids.assign(charOf_.size(), false);
        for (char32_t c : codePoints_) {
            const uint16_t id = Cid(c);
            if (id != 0) font.usedCids[id] = c < 0x10000 ? used.basic[i][c] : used.beyond[i].count(c) > 0;
        }
        if (!BuildSubset(font)) return false;
    }
    return true;
}

bool CidFonts::SharesFace(size_t index, size_t& first) const {
    if (index >= faceOf_.size()) return false;
    first = faces_[faceOf_[index]].firstFont;
    return first != index;
}

bool CidFonts::BuildSubset(Font& font) const {
    std::vector<uint32_t> glyphs;
    std::vector<char32_t> shown;
    for (size_t cid = 1; cid < font.usedCids.size(); ++cid) {
        if (!font.usedCids[cid]) continue;
        const char32_t c = charOf_[cid];
        glyphs.push_back(font.face->ShownGlyph(c));
        if (font.face->HasGlyph(c)) shown.push_back(c);
    }
    std::sort(glyphs.begin(), glyphs.end());
    glyphs.erase(std::unique(glyphs.begin(), glyphs.end()), glyphs.end());
    FaceSubset subset;
    if (!font.face->Subset(glyphs, shown, subset)) return false;
    font.fontFile = std::move(subset.bytes);
    font.newGlyphs.clear();
    for (size_t i = 0; i < glyphs.size(); ++i) font.newGlyphs.emplace(glyphs[i], subset.newGlyphs[i]);
    font.baseName = SubsetTag(font.usedCids, font.face->postScriptName()) + "+" +
                    font.face->postScriptName();
    return true;
}

void CidFonts::AssignIds() {
    bmpCids_.assign(0x10000, 0);
    otherCids_.clear();
    charOf_.assign(1, kNoCharacter);
    unsigned id = 0;
    for (char32_t c : codePoints_) {
        do {
            ++id;
        } while (id <= kMostCids && (kSpecialInString[id >> 8] || kSpecialInString[id & 0xFF]));
        if (id > kMostCids) break;  // more characters than ids: the rest show nothing
        charOf_.resize(id + 1, kNoCharacter);
        charOf_[id] = c;
        if (c < 0x10000) {
            bmpCids_[c] = static_cast<uint16_t>(id);
        } else {
            otherCids_.emplace_back(c, static_cast<uint16_t>(id));
        }
    }
}

uint16_t CidFonts::Cid(char32_t codePoint) const {
    if (codePoint < 0x10000) return bmpCids_[codePoint];
    auto found = std::lower_bound(otherCids_.begin(), otherCids_.end(),
                                  std::make_pair(codePoint, uint16_t{0}));
    return found != otherCids_.end() && found->first == codePoint ? found->second : 0;
}

size_t CidFonts::ShownLength(std::string_view utf8) {
    size_t count = 0;
    ForEachShown(utf8, [&](char32_t) { ++count; });
    return count;
}

size_t CidFonts::AppendShow(std::string& out, std::string_view utf8, double spaceAdjust) const {
    const bool spread = spaceAdjust != 0;
    size_t count = 0;
    out += spread ? "[(" : "(";
    ForEachShown(utf8, [&](char32_t c) {
        const uint16_t id = Cid(c);
        out.push_back(static_cast<char>(id >> 8));
        out.push_back(static_cast<char>(id & 0xFF));
        ++count;
        if (spread && c == ' ') {
            out += ") ";
            AppendNumber(out, spaceAdjust);
            out += " (";
        }
    });
    out += spread ? ")] TJ\n" : ") Tj\n";
    return count;
}

void CidFonts::AppendType0(std::string& out, size_t index, const std::string& fontId) const {
    index = faceOf_[std::min(index, faceOf_.size() - 1)];
    const Font& font = faces_[index];
    out += kObjectStart;
    out += "<</Type/Font/Subtype/Type0/Name/F";
    out += fontId;
    out += "/BaseFont/";
    out += font.baseName;
    out += "/Encoding/Identity-H/DescendantFonts[";
    AppendRef(out, PartNumber(index, 0));
    out += "]/ToUnicode ";
    AppendRef(out, firstPart_ + static_cast<int32_t>(PartCount()) - 1);
    out += ">>\nendobj\n";
}

bool CidFonts::AppendPart(std::string& out, size_t part,
                          const std::function<int(std::string&)>& deflate) const {
    if (part + 1 == PartCount()) return AppendToUnicode(out, deflate);
    const size_t index = part / kPartsPerFont;
    switch (part % kPartsPerFont) {
        case 0: AppendCidFont(out, index); return true;
        case 1: AppendDescriptor(out, index); return true;
        case 2: return AppendStream(out, faces_[index].fontFile,
                                    "/Length1 " + std::to_string(faces_[index].fontFile.size()),
                                    deflate);
        default: return AppendCidToGid(out, index, deflate);
    }
}

void CidFonts::AppendCidFont(std::string& out, size_t index) const {
    const Font& font = faces_[index];
    out += kObjectStart;
    out += "<</Type/Font/Subtype/CIDFontType2/BaseFont/";
    out += font.baseName;
    out += "/CIDSystemInfo<</Registry(Adobe)/Ordering(Identity)/Supplement 0>>/FontDescriptor ";
    AppendRef(out, PartNumber(index, 1));
    out += "/DW 1000/W[";
    // Consecutive ids share one list of widths.
    bool open = false;
    for (size_t cid = 1; cid < font.usedCids.size(); ++cid) {
        if (!font.usedCids[cid]) {
            if (open) out += "]";
            open = false;
            continue;
        }
        if (!open) {
            AppendInt(out, static_cast<long long>(cid));
            out += "[";
            open = true;
        } else {
            out.push_back(' ');
        }
        AppendInt(out, font.face->CharUnits(charOf_[cid]));
    }
    if (open) out += "]";
    out += "]/CIDToGIDMap ";
    AppendRef(out, PartNumber(index, 3));
    out += ">>\nendobj\n";
}

void CidFonts::AppendDescriptor(std::string& out, size_t index) const {
    const Font& font = faces_[index];
    const FaceMetrics& m = font.face->metrics();
    // Nonsymbolic (32), with fixed pitch (1), serifs (2) and italic (64) as the face has.
    int flags = 32 | (m.fixedPitch ? 1 : 0) | (m.serif ? 2 : 0) | (m.italicAngle != 0 ? 64 : 0);
    out += kObjectStart;
    out += "<</Type/FontDescriptor/FontName/";
    out += font.baseName;
    out += "/Flags ";
    AppendInt(out, flags);
    out += "/FontBBox[";
    for (int i = 0; i < 4; ++i) {
        if (i > 0) out.push_back(' ');
        AppendInt(out, m.bbox[i]);
    }
    out += "]/ItalicAngle ";
    AppendNumber(out, m.italicAngle);
    out += "/Ascent ";
    AppendInt(out, m.ascent);
    out += "/Descent ";
    AppendInt(out, m.descent);
    out += "/CapHeight ";
    AppendInt(out, m.capHeight);
    out += "/StemV 80/FontFile2 ";
    AppendRef(out, PartNumber(index, 2));
    out += ">>\nendobj\n";
}

bool CidFonts::AppendCidToGid(std::string& out, size_t index,
                              const std::function<int(std::string&)>& deflate) const {
    const Font& font = faces_[index];
    std::string map(2 * font.usedCids.size(), '\0');
    for (size_t cid = 1; cid < font.usedCids.size(); ++cid) {
        if (!font.usedCids[cid]) continue;
        auto found = font.newGlyphs.find(font.face->ShownGlyph(charOf_[cid]));
        const uint32_t glyph = found == font.newGlyphs.end() ? 0 : found->second;
        map[2 * cid] = static_cast<char>(glyph >> 8);
        map[2 * cid + 1] = static_cast<char>(glyph & 0xFF);
    }
    return AppendStream(out, std::move(map), "", deflate);
}

bool CidFonts::AppendToUnicode(std::string& out,
                               const std::function<int(std::string&)>& deflate) const {
    std::string cmap =
        "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
        "/CIDSystemInfo <</Registry (Adobe) /Ordering (UCS) /Supplement 0>> def\n"
        "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
        "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    std::vector<unsigned> ids;
    for (size_t id = 1; id < charOf_.size(); ++id) {
        if (charOf_[id] != kNoCharacter) ids.push_back(static_cast<unsigned>(id));
    }
    // At most 100 entries a block.
    for (size_t first = 0; first < ids.size(); first += 100) {
        const size_t count = std::min<size_t>(100, ids.size() - first);
        AppendInt(cmap, static_cast<long long>(count));
        cmap += " beginbfchar\n";
        for (size_t i = first; i < first + count; ++i) {
            cmap.push_back('<');
            AppendHex4(cmap, ids[i]);
            cmap += "> <";
            const char32_t c = charOf_[ids[i]];
            if (c < 0x10000) {
                AppendHex4(cmap, c);
            } else {
                AppendHex4(cmap, 0xD800 + ((c - 0x10000) >> 10));
                AppendHex4(cmap, 0xDC00 + ((c - 0x10000) & 0x3FF));
            }
            cmap += ">\n";
        }
        cmap += "endbfchar\n";
    }
    cmap += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    return AppendStream(out, std::move(cmap), "", deflate);
}

}  // namespace scrivane
