#include "format/FormatFileSelection.h"

#include <cstdlib>

#include "format/OutputFormats.h"
#include "util/FileIO.h"
#include "util/TextUtil.h"

namespace scrivane {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return {};
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The user's copy, else the shipped template, else nothing.
std::string Find(const ProgramFolders& folders, const std::string& relativeName) {
    if (relativeName.empty()) return {};
    for (const std::string* folder : {&folders.user, &folders.data}) {
        std::string path = Join(*folder, relativeName);
        if (!path.empty() && FileExists(path)) return path;
    }
    return {};
}

}  // namespace

std::string UserFolderFromEnvironment() {
    if (std::string user = Environment("SCRIVANE_USER_DIR"); !user.empty()) return user;
    if (std::string data = Environment("XDG_DATA_HOME"); !data.empty()) {
        return Join(data, "Scrivane");
    }
    if (std::string home = Environment("HOME"); !home.empty()) {
        return Join(home, ".local/share/Scrivane");
    }
    return {};
}

bool IsStandardOptionsSet(std::string_view optionsSet) {
    return optionsSet.empty() ||
           AsciiLower(std::string(optionsSet)) == AsciiLower(std::string(kStandardOptionsSet));
}

FormatFileChoice ChooseFormatFiles(const ProgramFolders& folders, int32_t code,
                                   bool lineOptions, std::string_view optionsSet) {
    FormatFileChoice choice;
    choice.formatFile = Find(folders, DefaultFormatFileName(code));
    if (!lineOptions || code == kTargetXml) return choice;
    if (!IsStandardOptionsSet(optionsSet)) {
        choice.lineOptionsFile =
            Find(folders, "settings/" + NamedOptionsFileName(optionsSet, code));
    }
    if (choice.lineOptionsFile.empty()) {
        choice.lineOptionsFile = Find(folders, LineOptionsFileName(code));
    }
    return choice;
}

}  // namespace scrivane
