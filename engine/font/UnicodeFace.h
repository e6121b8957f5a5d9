#pragma once
// One TrueType font file loaded for text beyond Windows-1252: which glyph shows a
// character, how wide it is, the numbers a PDF font descriptor needs, and a subset of the
// file that holds only the glyphs a document uses.
#include <cstdint>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

struct hb_blob_t;
struct hb_face_t;
struct hb_font_t;

namespace scrivane {

struct FontFunctions;

// The figures of a PDF FontDescriptor, in 1/1000 em.
struct FaceMetrics {
    int ascent = 0;
    int descent = 0;
    int capHeight = 0;
    int bbox[4] = {0, 0, 0, 0};
    double italicAngle = 0;
    bool fixedPitch = false;
    bool serif = false;
};

// A subset of the face: the font file's bytes and the new glyph id of each glyph asked for.
struct FaceSubset {
    std::string bytes;
    std::vector<uint32_t> newGlyphs;  // in the order of the glyphs asked for
};

class UnicodeFace {
public:
    // Null when the file cannot be read or is not a TrueType (glyf) font. The functions
    // must outlive the face.
    static std::unique_ptr<UnicodeFace> Load(const FontFunctions& functions,
                                             const std::string& path);
    ~UnicodeFace();
    UnicodeFace(const UnicodeFace&) = delete;
    UnicodeFace& operator=(const UnicodeFace&) = delete;

    const std::string& path() const { return path_; }
    // The PostScript name, for the PDF's BaseFont ("DejaVuSans").
    const std::string& postScriptName() const { return postScriptName_; }

    // The glyph that shows a character; 0 when the face has none.
    uint32_t Glyph(char32_t codePoint) const;
    bool HasGlyph(char32_t codePoint) const { return Glyph(codePoint) != 0; }
    // The glyph drawn for a character: its own, a blank for a control character, "?"
    // for one the face lacks. The layout measures and the PDF shows the same glyph.
    uint32_t ShownGlyph(char32_t codePoint) const {
        return codePoint < shown_.size() ? shown_[codePoint] : Substitute(codePoint);
    }
    // A glyph's advance in 1/1000 em, rounded: the same number the PDF's widths hold.
    int Advance(uint32_t glyph) const { return glyph < advances_.size() ? advances_[glyph] : 0; }
    // The advance of the glyph drawn for a character.
    int CharUnits(char32_t codePoint) const { return Advance(ShownGlyph(codePoint)); }

    const FaceMetrics& metrics() const { return metrics_; }

    // The glyphs given (glyph 0 is always kept); false when the subsetter fails.
    bool Subset(const std::vector<uint32_t>& glyphs, const std::vector<char32_t>& codePoints,
                FaceSubset& subset) const;

private:
    explicit UnicodeFace(const FontFunctions& functions) : fn_(&functions) {}
    void ReadMetrics();
    void FillTables();
    uint32_t Substitute(char32_t codePoint) const;
    int ToThousandths(long fontUnits) const;

    const FontFunctions* fn_;
    std::string path_;
    std::string postScriptName_;
    hb_blob_t* blob_ = nullptr;
    hb_face_t* face_ = nullptr;
    hb_font_t* font_ = nullptr;
    unsigned unitsPerEm_ = 1000;
    FaceMetrics metrics_;
    // Built once when loading, so that measuring is a lookup and faces can be shared by
    // threads: the shown glyph of every character of the Basic Multilingual Plane, and the
    // advance of every glyph.
    std::vector<uint16_t> shown_;
    std::vector<int16_t> advances_;
};

}  // namespace scrivane
