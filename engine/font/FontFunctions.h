#pragma once
// The functions of HarfBuzz, its subsetter and fontconfig that the program calls, as
// pointers into the libraries loaded at run time (font/FontLibraries.h). Each pointer has
// the type of the library's own declaration, so a call through it is checked as a direct
// call would be. Only the font units include this header.
#include <fontconfig/fontconfig.h>
#include <hb-ot.h>
#include <hb-subset.h>
#include <hb.h>

namespace scrivane {

// The names of the functions, library by library.
#define SCRIVANE_HARFBUZZ_FUNCTIONS(X)                                                    \
    X(hb_blob_create_from_file_or_fail) X(hb_blob_destroy) X(hb_blob_get_data)            \
    X(hb_blob_get_length) X(hb_face_create) X(hb_face_destroy) X(hb_face_get_glyph_count) \
    X(hb_face_get_upem) X(hb_face_reference_blob) X(hb_face_reference_table)              \
    X(hb_font_create) X(hb_font_destroy) X(hb_font_get_glyph_h_advances)                  \
    X(hb_font_get_nominal_glyph) X(hb_map_get) X(hb_ot_metrics_get_position)              \
    X(hb_ot_name_get_utf8) X(hb_set_add)
#define SCRIVANE_HARFBUZZ_SUBSET_FUNCTIONS(X)                                             \
    X(hb_subset_input_create_or_fail) X(hb_subset_input_destroy)                          \
    X(hb_subset_input_glyph_set) X(hb_subset_input_set) X(hb_subset_input_set_flags)      \
    X(hb_subset_input_unicode_set) X(hb_subset_plan_create_or_fail)                       \
    X(hb_subset_plan_destroy) X(hb_subset_plan_execute_or_fail)                           \
    X(hb_subset_plan_old_to_new_glyph_mapping)
#define SCRIVANE_FONTCONFIG_FUNCTIONS(X)                                                  \
    X(FcConfigSubstitute) X(FcDefaultSubstitute) X(FcFontMatch) X(FcInit)                 \
    X(FcPatternAddInteger) X(FcPatternAddString) X(FcPatternCreate) X(FcPatternDestroy)   \
    X(FcPatternGetString)

// Every pointer is set once the libraries have loaded; a member is named after its
// function, so that a call reads `fn.hb_blob_destroy(blob)`.
struct FontFunctions {
#define SCRIVANE_FONT_FUNCTION_POINTER(name) decltype(&::name) name = nullptr;
    SCRIVANE_HARFBUZZ_FUNCTIONS(SCRIVANE_FONT_FUNCTION_POINTER)
    SCRIVANE_HARFBUZZ_SUBSET_FUNCTIONS(SCRIVANE_FONT_FUNCTION_POINTER)
    SCRIVANE_FONTCONFIG_FUNCTIONS(SCRIVANE_FONT_FUNCTION_POINTER)
#undef SCRIVANE_FONT_FUNCTION_POINTER
};

}  // namespace scrivane
