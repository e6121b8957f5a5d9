#include "import/PdfFileCheck.h"

#include <filesystem>
#include <fstream>

#include "util/Status.h"
#include "util/TextUtil.h"

namespace scrivane {

namespace {

const char* const kAcceptedProducers[] = {
    "Dorvex (JTR-1.3", "Dorvex (JTR-1.4", "Dorvex (JTR-1.6", "Dorvex (WBK-1.0",
    "Dorvex (WBK-1.1", "Dorvex (WBK-1.2", "Dorvex (WBK-1.3", "Dorvex (WBK-1.4",
    "Dorvex (LMB-1.0"};

}  // namespace

int16_t CheckPdfFile(const std::string& rawPath, std::string& bytes) {
    std::string path;
    for (char c : rawPath) {
        if (c != '\n' && c != '\r' && c != '\0') path.push_back(c);
    }
    if (path.empty()) return kPdfNoFileName;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return kPdfFileMissing;  // no folders, no pipes
    std::ifstream in(path, std::ios::binary);
    if (!in) return kPdfFileMissing;
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0) return kPdfFileMissing;
    if (size < 100) return kPdfTooShort;
    in.seekg(0, std::ios::beg);
    char head[5];
    if (!in.read(head, 5)) return kPdfFileMissing;
    if (AsciiUpper(std::string(head, 5)) != "%PDF-") return kPdfNoHeader;
    in.seekg(0, std::ios::beg);
    try {
        bytes.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        return kPdfFileMissing;  // larger than memory: it cannot be read
    }
    if (!in.read(bytes.data(), size)) return kPdfFileMissing;
    return kPdfReadOk;
}

bool IsOwnProducer(std::string_view bytes) {
    if (bytes.size() < 36) return false;
    std::string_view key = bytes.substr(21, 15);
    for (const char* accepted : kAcceptedProducers) {
        if (key == accepted) return true;
    }
    return false;
}

}  // namespace scrivane
