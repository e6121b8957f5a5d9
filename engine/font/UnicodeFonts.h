#pragma once
// Finds and keeps the TrueType faces that show text beyond Windows-1252. The standard
// PDF fonts have stand-ins of the same kind (sans for Helvetica and Arial, serif for
// Times, mono for Courier: DejaVu by default); a font name that is no standard font's is
// looked up among the installed fonts. Faces are loaded once per program and shared.
#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "font/UnicodeFace.h"

namespace scrivane {

class FontLibraries;
struct FontFunctions;

class UnicodeFonts {
public:
    // Faces found and read with the font libraries of `libraries`, loaded on the first
    // question; the faces call into them, so `libraries` must outlive the set.
    explicit UnicodeFonts(FontLibraries& libraries);
    UnicodeFonts(const UnicodeFonts&) = delete;
    UnicodeFonts& operator=(const UnicodeFonts&) = delete;

    // The program's one set of faces, with the system's font libraries.
    static UnicodeFonts& Shared();

    // The face for a font name of the page model ("Arial,Bold", "Times-Roman",
    // "DejaVu Serif") with bold and italic added; null when no face is installed.
    const UnicodeFace* ForFont(std::string_view name, bool bold, bool italic);

    // True when one of the stand-ins of the standard fonts can show the character.
    bool CanShow(char32_t codePoint);

    // Why no face can be had at all: the font libraries, asked for, could not be loaded
    // (the loader's message names the library or function). Empty otherwise.
    std::string Unavailable() const;

private:
    const UnicodeFace* LoadFile(const FontFunctions& fn, const std::string& path);
    const UnicodeFace* Resolve(const FontFunctions& fn, std::string_view name, bool bold,
                               bool italic);

    FontLibraries& libraries_;
    std::mutex mutex_;
    std::map<std::string, std::unique_ptr<UnicodeFace>> byPath_;
    std::map<std::string, const UnicodeFace*> byRequest_;
    // The regular sans, serif and mono stand-ins, found on the first question.
    std::once_flag standInsFound_;
    std::array<const UnicodeFace*, 3> standIns_{};
};

// The file of an installed font family with the given weight and slant, found with
// fontconfig; empty when none of that family is installed. With `anyFamily`, the closest
// match is taken whatever its family.
std::string FindFontFile(const FontFunctions& fn, const std::string& family, bool bold,
                         bool italic, bool anyFamily);

}  // namespace scrivane
