#pragma once
// Where a writer hands a file's bytes as it makes them, piece after piece.
#include <functional>
#include <string_view>

namespace scrivane {

// Takes the next piece; false when it cannot (the write failed), which stops the writer.
using ByteSink = std::function<bool(std::string_view)>;

}  // namespace scrivane
