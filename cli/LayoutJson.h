#pragma once
// The page model of a laid-out document as JSON, for inspection and tests.
#include <string>

namespace scrivane {
class vorDocument;
}

namespace scrivane::cli {

std::string LayoutJson(const vorDocument& document);

}  // namespace scrivane::cli
