#include "font/FontLibraries.h"

#include <dlfcn.h>

#include <memory>
#include <utility>

#include "font/FontFunctions.h"

namespace scrivane {

namespace {

// The address of a function of an opened library; null with the loader's message when
// the library lacks it.
template <typename Pointer>
bool Find(void* library, const char* name, Pointer& pointer, std::string& error) {
    dlerror();  // clear an older message
    pointer = reinterpret_cast<Pointer>(dlsym(library, name));
    if (pointer) return true;
    const char* why = dlerror();
    error = why ? why : std::string(name) + ": no such function";
    return false;
}

}  // namespace

FontLibraries::FontLibraries(FontLibraryNames names) : names_(std::move(names)) {}

FontLibraries::~FontLibraries() = default;

FontLibraries& FontLibraries::System() {
    static FontLibraries libraries;
    return libraries;
}

const FontFunctions* FontLibraries::Functions() {
    std::call_once(once_, [this] { Load(); });
    return functions_.get();
}

std::string FontLibraries::error() const {
    return tried_.load(std::memory_order_acquire) ? error_ : std::string();
}

void FontLibraries::Load() {
    // The libraries are never closed: faces made with them may be destroyed as late as
    // the program's exit, and closing would give nothing back worth having.
    auto functions = std::make_unique<FontFunctions>();
    FontFunctions& fn = *functions;
    // Each library opened and its functions found in turn, stopping at the first missing.
#define SCRIVANE_FIND(name) &&Find(library, #name, fn.name, error_)
    void* library = Open(names_.harfbuzz);
    bool found = library != nullptr SCRIVANE_HARFBUZZ_FUNCTIONS(SCRIVANE_FIND);
    if (found) {
        library = Open(names_.harfbuzzSubset);
        found = library != nullptr SCRIVANE_HARFBUZZ_SUBSET_FUNCTIONS(SCRIVANE_FIND);
    }
    if (found) {
        library = Open(names_.fontconfig);
        found = library != nullptr SCRIVANE_FONTCONFIG_FUNCTIONS(SCRIVANE_FIND);
    }
#undef SCRIVANE_FIND
    if (found) functions_ = std::move(functions);
    tried_.store(true, std::memory_order_release);
}

void* FontLibraries::Open(const std::string& library) {
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        error_ = why ? why : library + ": cannot be loaded";
    }
    return handle;
}

}  // namespace scrivane
