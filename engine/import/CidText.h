#pragma once
// Reads back the text of runs shown as 2-byte character ids, through the ToUnicode map
// that files of ours with text beyond Windows-1252 carry for all their fonts.
#include <string>
#include <string_view>
#include <vector>

#include "model/vorInfos.h"

namespace scrivane {

// A PDF text string as UTF-8: UTF-16BE after its byte order mark, else its bytes taken
// as Windows-1252 (as this program writes the information of a Windows-1252 text).
std::string TextStringToUtf8(const std::string& value);
// The information's four strings, each as above.
void DecodeTextStrings(vorInfos& infos);

class CidText {
public:
    // Takes the "<id> <UTF-16BE>" entries of the map's bfchar blocks; false when it has
    // none.
    bool ReadMap(std::string_view cmap);

    // The UTF-8 text of a shown run: every "(...)" string of the line ("(...) Tj" or
    // "[(...) n (...)] TJ"), two bytes an id. An id the map lacks reads as U+FFFD.
    std::string Decode(std::string_view line) const;

    // True for a content-stream line that shows ids.
    static bool ShowsIds(std::string_view line);

private:
    std::vector<std::string> text_;  // by id: its characters, UTF-8
};

}  // namespace scrivane
