// Fuzz target: the reader of PDF files this program wrote, and the text rebuilt from them.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "import/PdfReader.h"
#include "import/SourceText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    scrivane::PdfContents contents;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (scrivane::ParseOwnPdf(bytes, contents) == 0) {
        scrivane::RebuildSourceText(contents.pages, contents.sourceLines);
    }
    return 0;
}
