#pragma once
// Named sets of line options, and the rules for saving a format file under a name the
// user chose: the ending the name gets, the names that stay the program's own, the sets
// a settings folder holds, and the four settings each export format keeps.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "format/FormatFileSelection.h"  // kStandardOptionsSet

namespace scrivane {

// The ending of a named set's file: ".pdf.format.vantor.dorvex", ".htm.format...";
// empty for an unknown code.
std::string SetFileSuffix(int32_t code);

// The file name a chosen name is saved under: the set ending of the format appended,
// unless the name already ends with it in some letter case; that ending is then written
// as the program writes it, so the set is found again on a case-sensitive file system.
// Empty for an unknown code.
std::string WithSetSuffix(std::string_view chosenName, int32_t code);

// The set a file name stands for ("Letters" for "Letters.pdf.format.vantor.dorvex");
// empty when the name does not end exactly with the format's set ending.
std::string SetNameOfFile(std::string_view fileName, int32_t code);

// The named sets of the format in the settings folders, each once, sorted without
// regard to letter case. A name that would read as the standard set is left out.
std::vector<std::string> NamedOptionsSets(std::span<const std::string> settingsFolders,
                                          int32_t code);

// True when the path names one of the program's own format files in one of its folders:
// default.<format> and ashtm.<format> of every format, the line options file of XHTML
// (ashtm.htm) included, names compared without regard to letter case. A path that
// cannot be judged counts as reserved too.
bool IsReservedFormatFile(const std::string& path, std::span<const std::string> programFolders);

// The four settings of an export format.
enum class FormatSetting {
    ShowOptions,      // "1": the export options dialog comes before each export
    OpenAfterExport,  // "1": the written file is opened with its program
    UseLineOptions,   // "1": the line options file is read at export
    LineOptionsSet,   // the chosen named set, or "[Default]"
};

struct FormatSettingKey {
    std::string name;           // "show10format", "ashtm20formatfile", ...
    std::string_view fallback;  // the value while it was never written
};

FormatSettingKey FormatSettingOf(FormatSetting setting, int32_t code);

}  // namespace scrivane
