#pragma once
// Command lines in the text: "<set>" key operator value, such as "<set>fontsize=12".
#include <optional>
#include <string>
#include <string_view>

namespace scrivane {

struct FlowContext;

struct MarkupCommand {
    std::string key;    // lower case
    char op = '=';      // '=', '+' or '-'
    std::string value;  // as written
};

// The command of a line, or nullopt when the line is ordinary text: it must be longer
// than 7 characters, start with "<set>", and hold "=" (else "+", else "-") after at
// least one key character.
std::optional<MarkupCommand> ParseMarkupCommand(std::string_view line);

// Carries a command out on the working format, the layout state and the document. A
// value that fails its check, and a key that is not known, change nothing.
void ExecuteMarkupCommand(const MarkupCommand& command, FlowContext& flow);

}  // namespace scrivane
