#include "util/TextInput.h"

#include "util/Encoding.h"

namespace scrivane {

EngineText ToEngineText(std::string_view fileBytes) {
    EngineText result;
    std::string cp1252;
    if (IsValidUtf8(fileBytes)) {
        result.wasUtf8 = true;
        cp1252 = Utf8ToCp1252(fileBytes, &result.replaced);
    } else {
        cp1252.assign(fileBytes);
    }
    result.text.reserve(cp1252.size() + cp1252.size() / 32);
    for (size_t i = 0; i < cp1252.size(); ++i) {
        if (cp1252[i] == '\n' && (i == 0 || cp1252[i - 1] != '\r')) result.text.push_back('\r');
        result.text.push_back(cp1252[i]);
    }
    return result;
}

std::string ToUtf8Lines(std::string_view engineText) {
    std::string lf;
    lf.reserve(engineText.size());
    for (size_t i = 0; i < engineText.size(); ++i) {
        if (engineText[i] == '\r' && i + 1 < engineText.size() && engineText[i + 1] == '\n') {
            continue;
        }
        lf.push_back(engineText[i]);
    }
    return Cp1252ToUtf8(lf);
}

}  // namespace scrivane
