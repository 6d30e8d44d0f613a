#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include "core/model/bmp_file.h"
#include "core/model/file_io.h"
#include "support/map_builder.h"

namespace d7 {
namespace {

std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}
std::uint16_t u16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint16_t(b[at] | b[at + 1] << 8);
}

// 3 x 2 pixels, row 0 on top; some carry a top byte that must not reach the file.
const std::vector<std::uint32_t> kPicture{
    0x00FF0000, 0xFF00FF00, 0x000000FF,  // red, green, blue
    0x00123456, 0x80FFFFFF, 0x00000000,  // #123456, white, black
};

TEST(Bmp32, HeadersDescribeA32BitBottomUpPicture) {
    const auto b = encodeBmp32(3, 2, kPicture);
    ASSERT_EQ(b.size(), 54u + 3 * 2 * 4);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(u32(b, 2), b.size());  // file size
    EXPECT_EQ(u32(b, 6), 0u);        // reserved
    EXPECT_EQ(u32(b, 10), 54u);      // pixel data offset
    EXPECT_EQ(u32(b, 14), 40u);      // info header size
    EXPECT_EQ(u32(b, 18), 3u);       // width
    EXPECT_EQ(u32(b, 22), 2u);       // height, positive: bottom-up
    EXPECT_EQ(u16(b, 26), 1u);       // planes
    EXPECT_EQ(u16(b, 28), 32u);      // bits per pixel
    EXPECT_EQ(u32(b, 30), 0u);       // no compression
    EXPECT_EQ(u32(b, 34), 24u);      // image size
    EXPECT_EQ(u32(b, 46), 0u);       // palette colours
    EXPECT_EQ(u32(b, 50), 0u);       // important colours
}

TEST(Bmp32, PixelsAreBlueGreenRedZeroBottomRowFirst) {
    const auto b = encodeBmp32(3, 2, kPicture);
    const std::vector<std::uint8_t> pixels(b.begin() + 54, b.end());
    const std::vector<std::uint8_t> expected{
        0x56, 0x34, 0x12, 0, 0xFF, 0xFF, 0xFF, 0, 0x00, 0x00, 0x00, 0,  // bottom row (row 1)
        0x00, 0x00, 0xFF, 0, 0x00, 0xFF, 0x00, 0, 0xFF, 0x00, 0x00, 0,  // top row (row 0)
    };
    EXPECT_EQ(pixels, expected);
}

TEST(Bmp32, QtReadsTheFileBackToTheSameColours) {
    test::TempDir dir;
    const fs::path path = dir / "picture.bmp";
    writeBmp32(path, 3, 2, kPicture);
    QImage image(QString::fromStdString(path.string()));
    ASSERT_FALSE(image.isNull());
    ASSERT_EQ(image.width(), 3);
    ASSERT_EQ(image.height(), 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(image.pixel(x, y) & 0xFFFFFFu, kPicture[std::size_t(y * 3 + x)] & 0xFFFFFFu)
                << x << "," << y;
}

TEST(Bmp32, RefusesAPixelCountThatDoesNotMatchAndReportsFileErrors) {
    EXPECT_THROW(encodeBmp32(3, 3, kPicture), std::invalid_argument);
    test::TempDir dir;
    EXPECT_THROW(writeBmp32(dir / "missing" / "x.bmp", 3, 2, kPicture), FileError);
}

}  // namespace
}  // namespace d7
