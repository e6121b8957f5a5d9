#pragma once
// The page and format defaults that hold when a format file or a command does not say
// otherwise: A4-sized pages in points, the margins, and the values that reading a format
// file without them gives.
#include <cstdint>

namespace scrivane {

inline constexpr int16_t kDefaultPageWidth = 596;
inline constexpr int16_t kDefaultPageHeight = 843;
inline constexpr const char* kDefaultPageHeightText = "843";
// The height a page is written with: its own, or the default when it has none.
inline constexpr int32_t PageHeightOrDefault(int32_t height) {
    return height < 1 ? kDefaultPageHeight : height;
}
// The bottom margin of a format file that names none, as it stands in the file.
inline constexpr int32_t kDefaultBottomMargin = 50;
inline constexpr const char* kDefaultBottomMarginText = "50";
// Text cut by a character limit breaks pages this far above the page's foot, whatever
// the margin.
inline constexpr int32_t kCharacterLimitFoot = 50;
// Points between columns unless `<set>xcolumns=` says otherwise.
inline constexpr int16_t kDefaultColumnGap = 20;

// What a format file without values reads as.
inline constexpr const char* kFallbackFont = "Helvetica";
inline constexpr int16_t kFallbackFontSize = 12;
inline constexpr int16_t kFallbackX = 40;
inline constexpr int16_t kFallbackY = 50;
inline constexpr int16_t kFallbackLineAdvance = 16;
inline constexpr int16_t kFallbackMaxLineLength = 100;  // characters a line

}  // namespace scrivane
