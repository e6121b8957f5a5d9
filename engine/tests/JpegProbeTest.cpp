// The JPEG probe on frame headers that give no size (found by fuzzing): the result says
// so and the size stays 0 x 0, whatever the header held.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "document/JpegProbe.h"

namespace scrivane {
namespace {

TEST(JpegProbe, AFrameWithoutWidthOrHeightGivesNoSize) {
    test::TempDir dir;
    const std::pair<int, int> sizes[] = {{0, 480}, {640, 0}, {0, 0}};
    for (const auto& [width, height] : sizes) {
        std::string path = dir.File("img.jpg");
        test::WriteFile(path, test::MinimalJpeg(width, height));
        JpegSize size{7, 7};
        EXPECT_EQ(ProbeJpeg(path, size), kJpegNotJpeg) << width << "x" << height;
        EXPECT_EQ(size.width, 0);
        EXPECT_EQ(size.height, 0);
    }
}

}  // namespace
}  // namespace scrivane
