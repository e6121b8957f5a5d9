#include "util/TextUtil.h"

#include <algorithm>

namespace scrivane {

std::string AsciiLower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    });
    return text;
}

std::string AsciiUpper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    });
    return text;
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    if (from.empty()) return text;
    for (size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string ResolveAppPath(const std::string& name, const std::string& folder) {
    static const std::string kMarker = "%apppath%";
    std::string lower = AsciiLower(name);
    std::string out;
    size_t from = 0;
    for (size_t at = lower.find(kMarker); at != std::string::npos;
         at = lower.find(kMarker, from)) {
        out.append(name, from, at - from);
        out += folder;
        from = at + kMarker.size();
    }
    out.append(name, from, std::string::npos);
    return out;
}

std::string PathBeside(const std::string& name, const std::string& textFolder) {
    if (name.empty() || textFolder.empty() || name.front() == '/') return name;
    return textFolder.back() == '/' ? textFolder + name : textFolder + "/" + name;
}

}  // namespace scrivane
