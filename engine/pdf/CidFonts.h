#pragma once
// The fonts of a document whose text goes beyond Windows-1252: each font of the document
// becomes a Type 0 font over a subset of a Unicode TrueType face, its text shown as 2-byte
// character ids (Identity-H). The ids are shared by all fonts of the file and follow the
// order of the characters the document shows, so one ToUnicode map serves every font,
// copying gives the characters back, and the page streams can be written on any thread.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/vorFont.h"
#include "model/vorPages.h"

namespace scrivane {

class UnicodeFace;

class CidFonts {
public:
    // The objects each face adds after its Type 0 dictionary (CIDFontType2, descriptor,
    // font file, id-to-glyph map); the one shared ToUnicode map follows them all.
    static constexpr size_t kPartsPerFont = 4;

    // Collects the characters each font shows (a run in a font the list lacks is shown
    // in the first). False when a font has no face to show them.
    bool Prepare(const vorPages& pages, const std::vector<vorFont>& fonts);

    // The shown text of a run ("(...) Tj", or "[(...) n (...)] TJ" when each space
    // widens by `spaceAdjust` thousandths of the font size), with a line end; tabs show
    // as ten spaces as in every run. Returns the count of characters shown.
    size_t AppendShow(std::string& out, std::string_view utf8, double spaceAdjust) const;
    // The count of characters a run shows.
    static size_t ShownLength(std::string_view utf8);

    // Fonts of the document that the same face shows share one Type 0 font: true for a
    // font after the first of its face, whose index `first` gets.
    bool SharesFace(size_t index, size_t& first) const;

    size_t PartCount() const { return faces_.size() * kPartsPerFont + 1; }
    // Object numbers: part i is firstPart + i.
    void SetFirstPartNumber(int32_t firstPart) { firstPart_ = firstPart; }

    // The Type 0 dictionary of the face of font `index` (the object text after its number).
    void AppendType0(std::string& out, size_t index, const std::string& fontId) const;
    // Part `part`; false when a stream cannot be deflated or the face not subset.
    bool AppendPart(std::string& out, size_t part,
                    const std::function<int(std::string&)>& deflate) const;

private:
    struct Font {
        const UnicodeFace* face = nullptr;
        size_t firstFont = 0;        // the first font of the document this face shows
        std::vector<bool> usedCids;  // by character id
        std::string baseName;        // subset tag + PostScript name
        std::string fontFile;        // the subset's bytes
        std::unordered_map<uint32_t, uint32_t> newGlyphs;  // the face's glyph -> subset's
    };
    struct Used;  // the characters of each font while they are collected

    bool AssignFaces(const std::vector<vorFont>& fonts);
    void CollectUsed(const vorPages& pages, const std::vector<vorFont>& fonts, Used& used) const;
    uint16_t Cid(char32_t codePoint) const;
    // Numbers the characters in order, leaving out ids with a byte that a literal string
    // would have to escape.
    void AssignIds();
    int32_t PartNumber(size_t face, size_t part) const {
        return firstPart_ + static_cast<int32_t>(face * kPartsPerFont + part);
    }
    bool BuildSubset(Font& font) const;
    void AppendCidFont(std::string& out, size_t index) const;
    void AppendDescriptor(std::string& out, size_t index) const;
    bool AppendCidToGid(std::string& out, size_t index,
                        const std::function<int(std::string&)>& deflate) const;
    bool AppendToUnicode(std::string& out, const std::function<int(std::string&)>& deflate) const;

    std::vector<Font> faces_;     // one a face
    std::vector<size_t> faceOf_;  // the face of each font of the document
    std::vector<char32_t> codePoints_;  // the characters shown, in order
    std::vector<char32_t> charOf_;      // character id -> character (holes: none)
    std::vector<uint16_t> bmpCids_;     // character -> id, for the first 65,536
    std::vector<std::pair<char32_t, uint16_t>> otherCids_;  // sorted, for the rest
    int32_t firstPart_ = 0;
};

}  // namespace scrivane
