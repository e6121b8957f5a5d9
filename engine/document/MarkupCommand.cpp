#include "document/MarkupCommand.h"

namespace scrivane {

std::optional<MarkupCommand> ParseMarkupCommand(std::string_view line) {
    if (line.size() <= 7 || line.substr(0, 5) != "<set>") return std::nullopt;
    std::string_view rest = line.substr(5);
    size_t at = rest.find('=');
    if (at == std::string_view::npos) at = rest.find('+');
    if (at == std::string_view::npos) at = rest.find('-');
    if (at == std::string_view::npos || at == 0) return std::nullopt;

    MarkupCommand command;
    command.key.reserve(at);
    for (char c : rest.substr(0, at)) {
        command.key.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c);
    }
    command.op = rest[at];
    command.value = std::string(rest.substr(at + 1));
    return command;
}

}  // namespace scrivane
