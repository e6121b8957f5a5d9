#include "document/LineSplitter.h"

namespace scrivane {

bool LineSplitter::Next(std::string_view& line) {
    if (done_) return false;
    size_t found = buffer_.size() <= position_ + 1
                       ? std::string_view::npos
                       : buffer_.find("\r\n", position_ + 1);
    size_t end = found == std::string_view::npos ? buffer_.size() : found;
    line = buffer_.substr(position_, end - position_);
    if (line.size() >= 2 && line[0] == '\r' && line[1] == '\n') line.remove_prefix(2);
    if (found == std::string_view::npos) {
        done_ = true;
    } else {
        position_ = found;
    }
    return true;
}

}  // namespace scrivane
