#include "font/UnicodeFonts.h"

#include "font/FontFunctions.h"
#include "font/FontLibraries.h"
#include "text/TextMeasurer.h"
#include "util/TextUtil.h"

namespace scrivane {

namespace {

constexpr const char* kDejaVuFolder = "/usr/share/fonts/truetype/dejavu/";

struct StandIn {
    const char* family;      // asked of fontconfig
    const char* fileStem;    // at the known place when fontconfig finds nothing
};

StandIn StandInFor(StandardFont font) {
    switch (font) {
        case StandardFont::Courier:
        case StandardFont::CourierBold:
        case StandardFont::CourierOblique:
        case StandardFont::CourierBoldOblique:
            return {"DejaVu Sans Mono", "DejaVuSansMono"};
        case StandardFont::TimesRoman:
        case StandardFont::TimesBold:
        case StandardFont::TimesItalic:
        case StandardFont::TimesBoldItalic:
            return {"DejaVu Serif", "DejaVuSerif"};
        default:
            return {"DejaVu Sans", "DejaVuSans"};
    }
}

bool IsBold(StandardFont font) {
    switch (font) {
        case StandardFont::HelveticaBold:
        case StandardFont::HelveticaBoldOblique:
        case StandardFont::TimesBold:
        case StandardFont::TimesBoldItalic:
        case StandardFont::CourierBold:
        case StandardFont::CourierBoldOblique:
            return true;
        default:
            return false;
    }
}

bool IsItalic(StandardFont font) {
    switch (font) {
        case StandardFont::HelveticaOblique:
        case StandardFont::HelveticaBoldOblique:
        case StandardFont::TimesItalic:
        case StandardFont::TimesBoldItalic:
        case StandardFont::CourierOblique:
        case StandardFont::CourierBoldOblique:
            return true;
        default:
            return false;
    }
}

// Names that the standard fonts' stand-ins answer for, rather than an installed font.
bool NamesStandardFont(std::string_view name) {
    const std::string upper = AsciiUpper(std::string(name));
    for (const char* standard : {"ARIAL", "HELVETICA", "TIMES", "COURIER", "SYMBOL", "ZAPF",
                                 "DINGBAT"}) {
        if (upper.find(standard) != std::string::npos) return true;
    }
    return false;
}

}  // namespace

std::string FindFontFile(const FontFunctions& fn, const std::string& family, bool bold,
                         bool italic, bool anyFamily) {
    if (!fn.FcInit()) return {};
    FcPattern* pattern = fn.FcPatternCreate();
    fn.FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    fn.FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    fn.FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    fn.FcPatternAddString(pattern, FC_FONTFORMAT, reinterpret_cast<const FcChar8*>("TrueType"));
    fn.FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    fn.FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = fn.FcFontMatch(nullptr, pattern, &result);
    fn.FcPatternDestroy(pattern);
    std::string path;
    if (match) {
        FcChar8* file = nullptr;
        FcChar8* found = nullptr;
        const bool sameFamily =
            fn.FcPatternGetString(match, FC_FAMILY, 0, &found) == FcResultMatch &&
            AsciiUpper(reinterpret_cast<const char*>(found)) == AsciiUpper(family);
        if ((anyFamily || sameFamily) &&
            fn.FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
            path = reinterpret_cast<const char*>(file);
        }
        fn.FcPatternDestroy(match);
    }
    return path;
}

UnicodeFonts::UnicodeFonts(FontLibraries& libraries) : libraries_(libraries) {}

UnicodeFonts& UnicodeFonts::Shared() {
    static UnicodeFonts fonts(FontLibraries::System());
    return fonts;
}

std::string UnicodeFonts::Unavailable() const {
    return libraries_.error();
}

const UnicodeFace* UnicodeFonts::LoadFile(const FontFunctions& fn, const std::string& path) {
    if (path.empty()) return nullptr;
    auto known = byPath_.find(path);
    if (known != byPath_.end()) return known->second.get();
    auto face = UnicodeFace::Load(fn, path);
    const UnicodeFace* loaded = face.get();
    byPath_.emplace(path, std::move(face));
    return loaded;
}

const UnicodeFace* UnicodeFonts::Resolve(const FontFunctions& fn, std::string_view name,
                                         bool bold, bool italic) {
    const StandardFont standard = ResolveStandardFont(name, bold, italic);
    bold = bold || IsBold(standard);
    italic = italic || IsItalic(standard);
    if (!name.empty() && !NamesStandardFont(name)) {
        // "Family,Bold" names a style of the family before the comma.
        std::string family(name.substr(0, name.find(',')));
        if (const UnicodeFace* face = LoadFile(fn, FindFontFile(fn, family, bold, italic, false))) {
            return face;
        }
    }
    const StandIn standIn = StandInFor(standard);
    if (const UnicodeFace* face = LoadFile(fn, FindFontFile(fn, standIn.family, bold, italic, false))) {
        return face;
    }
    std::string path = std::string(kDejaVuFolder) + standIn.fileStem + (bold ? "-Bold" : "") + ".ttf";
    if (const UnicodeFace* face = LoadFile(fn, path)) return face;
    return bold ? LoadFile(fn, std::string(kDejaVuFolder) + standIn.fileStem + ".ttf") : nullptr;
}

const UnicodeFace* UnicodeFonts::ForFont(std::string_view name, bool bold, bool italic) {
    std::string key(name);
    key += bold ? "|b" : "|-";
    key += italic ? "i" : "-";
    std::lock_guard<std::mutex> lock(mutex_);
    auto known = byRequest_.find(key);
    if (known != byRequest_.end()) return known->second;
    // Without the font libraries no face can be had; the request is not remembered, as
    // nothing is saved by it.
    const FontFunctions* fn = libraries_.Functions();
    if (!fn) return nullptr;
    const UnicodeFace* face = Resolve(*fn, name, bold, italic);
    byRequest_.emplace(std::move(key), face);
    return face;
}

bool UnicodeFonts::CanShow(char32_t codePoint) {
    std::call_once(standInsFound_, [this] {
        const char* names[] = {"Helvetica", "Times", "Courier"};
        for (size_t i = 0; i < standIns_.size(); ++i) standIns_[i] = ForFont(names[i], false, false);
    });
    for (const UnicodeFace* face : standIns_) {
        if (face && face->HasGlyph(codePoint)) return true;
    }
    return false;
}

}  // namespace scrivane
