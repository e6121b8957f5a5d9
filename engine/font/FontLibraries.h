#pragma once
// Loads HarfBuzz, its subsetter and fontconfig when a text first needs them. Only text
// beyond Windows-1252 does, so a process that never meets such text never maps them (nor
// glib, FreeType and the rest they bring): it starts faster and holds less memory.
#include <atomic>
#include <memory>
#include <mutex>
#include <string>

namespace scrivane {

struct FontFunctions;

// The file names the loader opens: the libraries' versioned names, whose interface the
// program was built against.
struct FontLibraryNames {
    std::string harfbuzz = "libharfbuzz.so.0";
    std::string harfbuzzSubset = "libharfbuzz-subset.so.0";
    std::string fontconfig = "libfontconfig.so.1";
};

class FontLibraries {
public:
    explicit FontLibraries(FontLibraryNames names = {});
    ~FontLibraries();
    FontLibraries(const FontLibraries&) = delete;
    FontLibraries& operator=(const FontLibraries&) = delete;

    // The program's one loader, of the libraries installed on the system.
    static FontLibraries& System();

    // The functions, the libraries loaded on the first call (by one thread, the others
    // waiting); null when a library or one of its functions is missing.
    const FontFunctions* Functions();

    // Why the functions are missing (the dynamic loader's own words, naming the library
    // or function); empty when they loaded or were not asked for yet.
    std::string error() const;

private:
    void Load();
    // The library of that file name, opened; null with the reason kept.
    void* Open(const std::string& library);

    FontLibraryNames names_;
    std::once_flag once_;
    std::atomic<bool> tried_{false};
    std::unique_ptr<const FontFunctions> functions_;
    std::string error_;
};

}  // namespace scrivane
