#pragma once
// Command lines in the text: "<set>" key operator value, such as "<set>fontsize=12".
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// How the layout takes a line, judged without laying anything out: the editor can ask
// it line by line. The same table serves the layout, so the two never disagree.
struct CommandVerdict {
    bool isCommand = false;  // a command line: never printed, whatever its key
    bool known = false;      // its key names a command
    bool accepted = false;   // known, and its value does what it says
    std::string reason;      // why not, in English; empty when accepted or no command
};
CommandVerdict JudgeMarkupCommand(const MarkupCommand& command);
CommandVerdict JudgeCommandLine(std::string_view line);

// Every command key, in the order the commands are documented.
const std::vector<std::string>& CommandKeys();

// Carries a command out on the working format, the layout state and the document. A
// value that fails its check, and a key that is not known, change nothing.
void ExecuteMarkupCommand(const MarkupCommand& command, FlowContext& flow);

}  // namespace scrivane
