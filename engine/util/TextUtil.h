#pragma once
// Small text helpers on Windows-1252 byte strings (ASCII case rules).
#include <string>
#include <string_view>

namespace scrivane {

std::string AsciiLower(std::string text);
std::string AsciiUpper(std::string text);
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to);
// Replaces every "%apppath%", in any letter case, by the program's folder; the rest of
// the name keeps its case.
std::string ResolveAppPath(const std::string& name, const std::string& folder);
// Where a file named in a text lives: a relative name is taken in the text's folder (when
// one is given), an absolute one as it is.
std::string PathBeside(const std::string& name, const std::string& textFolder);

}  // namespace scrivane
