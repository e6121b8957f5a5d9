#include "format/FormatSets.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "format/OutputFormats.h"
#include "util/TextUtil.h"

namespace scrivane {

namespace fs = std::filesystem;

namespace {

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool SameWithoutCase(std::string_view a, std::string_view b) {
    return AsciiLower(std::string(a)) == AsciiLower(std::string(b));
}

// The names of the program's own format files, lower-cased.
std::vector<std::string> ReservedNames() {
    std::vector<std::string> names;
    const std::string suffix(kFormatFileSuffix);
    for (const OutputFormat& format : OutputFormats()) {
        names.push_back(DefaultFormatFileName(format.code));
        names.push_back(LineOptionsFileName(format.code));
        // ashtm.xhtml: never read, but kept from the names this program has always kept.
        names.push_back(std::string("ashtm.") + format.word + suffix);
    }
    return names;
}

// The folder as the file system resolves it, without a trailing separator; throws
// filesystem_error when it cannot.
fs::path Resolved(const fs::path& folder) {
    fs::path resolved = fs::weakly_canonical(fs::absolute(folder));
    return resolved.has_filename() ? resolved : resolved.parent_path();
}

}  // namespace

std::string SetFileSuffix(int32_t code) {
    const OutputFormat* format = FormatByCode(code);
    if (!format) return {};
    return std::string(".") + format->optionsKey + std::string(kFormatFileSuffix);
}

std::string WithSetSuffix(std::string_view chosenName, int32_t code) {
    const std::string suffix = SetFileSuffix(code);
    if (suffix.empty()) return {};
    std::string name(chosenName);
    if (name.size() >= suffix.size() &&
        SameWithoutCase(std::string_view(name).substr(name.size() - suffix.size()), suffix)) {
        name.resize(name.size() - suffix.size());
    }
    return name + suffix;
}

std::string SetNameOfFile(std::string_view fileName, int32_t code) {
    const std::string suffix = SetFileSuffix(code);
    if (suffix.empty() || !EndsWith(fileName, suffix)) return {};
    return std::string(fileName.substr(0, fileName.size() - suffix.size()));
}

std::vector<std::string> NamedOptionsSets(std::span<const std::string> settingsFolders,
                                          int32_t code) {
    std::vector<std::string> sets;
    for (const std::string& folder : settingsFolders) {
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            std::error_code typeError;
            if (!it->is_regular_file(typeError)) continue;
            std::string set = SetNameOfFile(it->path().filename().string(), code);
            if (set.empty() || IsStandardOptionsSet(set)) continue;
            sets.push_back(std::move(set));
        }
    }
    std::sort(sets.begin(), sets.end(), [](const std::string& a, const std::string& b) {
        const std::string la = AsciiLower(a), lb = AsciiLower(b);
        return la != lb ? la < lb : a < b;
    });
    sets.erase(std::unique(sets.begin(), sets.end()), sets.end());
    return sets;
}

bool IsReservedFormatFile(const std::string& path, std::span<const std::string> programFolders) {
    try {
        const fs::path file(path);
        const std::string name = AsciiLower(file.filename().string());
        const std::vector<std::string> reserved = ReservedNames();
        if (std::find(reserved.begin(), reserved.end(), name) == reserved.end()) return false;
        const fs::path folder = Resolved(fs::absolute(file).parent_path());
        for (const std::string& programFolder : programFolders) {
            if (!programFolder.empty() && Resolved(programFolder) == folder) return true;
        }
        return false;
    } catch (const std::exception&) {
        return true;  // a name that cannot be judged is not written
    }
}

FormatSettingKey FormatSettingOf(FormatSetting setting, int32_t code) {
    const std::string number = std::to_string(code);
    switch (setting) {
        case FormatSetting::ShowOptions:
            return {"show" + number + "format", "1"};
        case FormatSetting::OpenAfterExport:
            return {"open" + number + "format", "1"};
        case FormatSetting::UseLineOptions:
            return {"ashtm" + number + "format", "1"};
        case FormatSetting::LineOptionsSet:
            return {"ashtm" + number + "formatfile", kStandardOptionsSet};
    }
    return {};
}

}  // namespace scrivane
