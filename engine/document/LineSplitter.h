#pragma once
// Cuts the editor text into lines at CR LF. A lone CR or LF is not a line end and stays
// in the line. The scan looks for the first CR LF from the second character on, so a
// text that starts with CR LF loses that first empty line; stored documents rely on
// that numbering, so it is kept.
#include <string_view>

namespace scrivane {

class LineSplitter {
public:
    explicit LineSplitter(std::string_view buffer) : buffer_(buffer) {}

    // The next line, without its line end; false after the last line. An empty buffer
    // yields one empty line.
    bool Next(std::string_view& line);

private:
    std::string_view buffer_;
    size_t position_ = 0;
    bool done_ = false;
};

}  // namespace scrivane
