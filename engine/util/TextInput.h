#pragma once
// Turns a text file's bytes into the engine's text (Windows-1252 with CR LF line ends)
// and back; the command line and the editor read text files the same way.
#include <cstddef>
#include <string>
#include <string_view>

namespace scrivane {

struct EngineText {
    std::string text;     // Windows-1252, CR LF line ends
    size_t replaced = 0;  // characters Windows-1252 cannot hold, now "?"
    bool wasUtf8 = false;
};

// Valid UTF-8 is converted; anything else is taken as Windows-1252 already. Every LF
// that no CR precedes becomes CR LF.
EngineText ToEngineText(std::string_view fileBytes);

// Engine text back to a UTF-8 file text with LF line ends.
std::string ToUtf8Lines(std::string_view engineText);

}  // namespace scrivane
