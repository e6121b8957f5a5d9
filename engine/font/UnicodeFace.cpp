#include "font/UnicodeFace.h"

#include <cmath>

#include "font/FontFunctions.h"

namespace scrivane {

namespace {

// A big-endian number of `size` bytes at `offset` of a table; 0 past its end.
long TableNumber(const FontFunctions& fn, hb_face_t* face, hb_tag_t tag, unsigned offset, unsigned size, bool isSigned) {
    hb_blob_t* table = fn.hb_face_reference_table(face, tag);
    unsigned length = 0;
    const char* data = fn.hb_blob_get_data(table, &length);
    long value = 0;
    if (data && offset + size <= length) {
        for (unsigned i = 0; i < size; ++i) {
            value = (value << 8) | static_cast<unsigned char>(data[offset + i]);
        }
        if (isSigned && size < sizeof(long) && (value >> (8 * size - 1)) != 0) {
            value -= 1L << (8 * size);
        }
    }
    fn.hb_blob_destroy(table);
    return value;
}

bool HasTable(const FontFunctions& fn, hb_face_t* face, hb_tag_t tag) {
    hb_blob_t* table = fn.hb_face_reference_table(face, tag);
    const bool present = fn.hb_blob_get_length(table) > 0;
    fn.hb_blob_destroy(table);
    return present;
}

}  // namespace

std::unique_ptr<UnicodeFace> UnicodeFace::Load(const FontFunctions& fn, const std::string& path) {
    hb_blob_t* blob = fn.hb_blob_create_from_file_or_fail(path.c_str());
    if (!blob) return nullptr;
    std::unique_ptr<UnicodeFace> face(new UnicodeFace(fn));
    face->path_ = path;
    face->blob_ = blob;
    face->face_ = fn.hb_face_create(blob, 0);
    // A PDF embeds TrueType outlines as FontFile2; CFF-flavoured files need another way.
    if (fn.hb_face_get_glyph_count(face->face_) == 0 ||
        !HasTable(fn, face->face_, HB_TAG('g', 'l', 'y', 'f'))) {
        return nullptr;
    }
    face->font_ = fn.hb_font_create(face->face_);
    face->unitsPerEm_ = fn.hb_face_get_upem(face->face_);
    if (face->unitsPerEm_ == 0) face->unitsPerEm_ = 1000;
    char name[128];
    unsigned length = sizeof name;
    if (fn.hb_ot_name_get_utf8(face->face_, HB_OT_NAME_ID_POSTSCRIPT_NAME, HB_LANGUAGE_INVALID,
                               &length, name) > 0) {
        face->postScriptName_.assign(name, length);
    }
    if (face->postScriptName_.empty()) face->postScriptName_ = "UnicodeFont";
    face->ReadMetrics();
    face->FillTables();
    return face;
}

UnicodeFace::~UnicodeFace() {
    fn_->hb_font_destroy(font_);
    fn_->hb_face_destroy(face_);
    fn_->hb_blob_destroy(blob_);
}

int UnicodeFace::ToThousandths(long fontUnits) const {
    return static_cast<int>(std::lround(static_cast<double>(fontUnits) * 1000.0 / unitsPerEm_));
}

void UnicodeFace::ReadMetrics() {
    auto position = [&](hb_ot_metrics_tag_t tag, int fallback) {
        hb_position_t value = 0;
        return fn_->hb_ot_metrics_get_position(font_, tag, &value) ? ToThousandths(value) : fallback;
    };
    metrics_.ascent = position(HB_OT_METRICS_TAG_HORIZONTAL_ASCENDER, 800);
    metrics_.descent = position(HB_OT_METRICS_TAG_HORIZONTAL_DESCENDER, -200);
    metrics_.capHeight = position(HB_OT_METRICS_TAG_CAP_HEIGHT, metrics_.ascent);
    const hb_tag_t head = HB_TAG('h', 'e', 'a', 'd');
    for (int i = 0; i < 4; ++i) {
        metrics_.bbox[i] = ToThousandths(TableNumber(*fn_, face_, head, 36 + 2 * i, 2, true));
    }
    const hb_tag_t post = HB_TAG('p', 'o', 's', 't');
    metrics_.italicAngle = static_cast<double>(TableNumber(*fn_, face_, post, 4, 4, true)) / 65536.0;
    metrics_.fixedPitch = TableNumber(*fn_, face_, post, 12, 4, false) != 0;
    // The PANOSE serif style: 2..10 name kinds of serifs, 11 and up sans serif faces.
    long serifStyle = TableNumber(*fn_, face_, HB_TAG('O', 'S', '/', '2'), 33, 1, false);
    metrics_.serif = serifStyle >= 2 && serifStyle <= 10;
}

uint32_t UnicodeFace::Glyph(char32_t codePoint) const {
    hb_codepoint_t glyph = 0;
    return fn_->hb_font_get_nominal_glyph(font_, codePoint, &glyph) ? glyph : 0;
}

uint32_t UnicodeFace::Substitute(char32_t codePoint) const {
    const bool control = codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0);
    if (control) return Glyph(' ');
    uint32_t glyph = Glyph(codePoint);
    return glyph != 0 ? glyph : Glyph('?');
}

void UnicodeFace::FillTables() {
    const unsigned count = fn_->hb_face_get_glyph_count(face_);
    std::vector<hb_position_t> advances(count);
    std::vector<hb_codepoint_t> glyphs(count);
    for (unsigned i = 0; i < count; ++i) glyphs[i] = i;
    if (count > 0) {
        fn_->hb_font_get_glyph_h_advances(font_, count, glyphs.data(), sizeof(hb_codepoint_t),
                                     advances.data(), sizeof(hb_position_t));
    }
    advances_.resize(count);
    for (unsigned i = 0; i < count; ++i) {
        advances_[i] = static_cast<int16_t>(ToThousandths(advances[i]));
    }
    shown_.resize(0x10000);
    for (char32_t codePoint = 0; codePoint < 0x10000; ++codePoint) {
        shown_[codePoint] = static_cast<uint16_t>(Substitute(codePoint));
    }
}

bool UnicodeFace::Subset(const std::vector<uint32_t>& glyphs,
                         const std::vector<char32_t>& codePoints, FaceSubset& subset) const {
    hb_subset_input_t* input = fn_->hb_subset_input_create_or_fail();
    if (!input) return false;
    hb_set_t* glyphSet = fn_->hb_subset_input_glyph_set(input);
    fn_->hb_set_add(glyphSet, 0);
    for (uint32_t glyph : glyphs) fn_->hb_set_add(glyphSet, glyph);
    hb_set_t* unicodes = fn_->hb_subset_input_unicode_set(input);
    for (char32_t codePoint : codePoints) fn_->hb_set_add(unicodes, codePoint);
    // A PDF viewer draws the glyphs one by one: layout tables and hinting only add bytes.
    fn_->hb_subset_input_set_flags(input, HB_SUBSET_FLAGS_NO_HINTING);
    hb_set_t* dropped = fn_->hb_subset_input_set(input, HB_SUBSET_SETS_DROP_TABLE_TAG);
    for (hb_tag_t tag : {HB_TAG('G', 'S', 'U', 'B'), HB_TAG('G', 'P', 'O', 'S'),
                         HB_TAG('G', 'D', 'E', 'F'), HB_TAG('k', 'e', 'r', 'n'),
                         HB_TAG('M', 'A', 'T', 'H')}) {
        fn_->hb_set_add(dropped, tag);
    }
    hb_subset_plan_t* plan = fn_->hb_subset_plan_create_or_fail(face_, input);
    fn_->hb_subset_input_destroy(input);
    if (!plan) return false;
    const hb_map_t* oldToNew = fn_->hb_subset_plan_old_to_new_glyph_mapping(plan);
    subset.newGlyphs.clear();
    for (uint32_t glyph : glyphs) {
        hb_codepoint_t mapped = fn_->hb_map_get(oldToNew, glyph);
        subset.newGlyphs.push_back(mapped == HB_MAP_VALUE_INVALID ? 0 : mapped);
    }
    hb_face_t* result = fn_->hb_subset_plan_execute_or_fail(plan);
    fn_->hb_subset_plan_destroy(plan);
    if (!result) return false;
    hb_blob_t* blob = fn_->hb_face_reference_blob(result);
    unsigned length = 0;
    const char* data = fn_->hb_blob_get_data(blob, &length);
    subset.bytes.assign(data ? data : "", data ? length : 0);
    fn_->hb_blob_destroy(blob);
    fn_->hb_face_destroy(result);
    return !subset.bytes.empty();
}

}  // namespace scrivane
