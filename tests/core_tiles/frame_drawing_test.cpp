#include "core/tiles/frame_drawing.h"

#include <gtest/gtest.h>

#include "core/model/random.h"

#include "canvas.h"
#include "core/tiles/palette.h"
#include "core/tiles/tileset_file.h"
#include "support/tileset_builder.h"

namespace d7 {
namespace {

using test::Canvas;
using test::FrameSpec;
using test::kBackground;
using test::testPixel;

tiles::Palette testPalette() {
    return tiles::makePalette(test::makeTestPaletteFile());
}

tiles::Tileset tilesetOf(const std::vector<FrameSpec>& frames) {
    return tiles::makeTileset(test::makeTilesetFile(frames));
}

// A frame whose diamond byte i is 1 + i % 250, so any misplaced byte shows.
FrameSpec numberedFrame(std::uint8_t dir = 0, std::uint8_t ex = 0) {
    FrameSpec f = test::solidFrame(0, dir, ex, 0);
    for (std::size_t i = 0; i < f.diamond.size(); ++i) f.diamond[i] = std::uint8_t(1 + i % 250);
    for (std::size_t i = 0; i < f.layers.size(); ++i) f.layers[i] = std::uint8_t(1 + i % 250);
    return f;
}

TEST(DiamondShape, RowWidthsOffsetsAndColumnsAreTheGames) {
    const int offsets[30] = {0,   2,   8,   18,  32,  50,  72,  98,  128, 162,
                             200, 242, 288, 338, 392, 450, 508, 562, 612, 658,
                             700, 738, 772, 802, 828, 850, 868, 882, 892, 898};
    for (int r = 0; r < 30; ++r) EXPECT_EQ(tiles::diamondRowStart(r), offsets[r]) << r;
    EXPECT_EQ(tiles::diamondRowStart(30), 900);
    EXPECT_EQ(tiles::diamondRowWidth(0), 2);
    EXPECT_EQ(tiles::diamondRowWidth(14), 58);
    EXPECT_EQ(tiles::diamondRowWidth(15), 58);
    EXPECT_EQ(tiles::diamondRowWidth(29), 2);
    EXPECT_EQ(tiles::diamondRowLeft(0), 28);
    EXPECT_EQ(tiles::diamondRowLeft(14), 0);
    EXPECT_EQ(tiles::diamondRowLeft(29), 28);
}

TEST(DrawFrame, DiamondBytesLandRowByRowInTheBox) {
    const auto pal = testPalette();
    const auto ts = tilesetOf({numberedFrame()});
    Canvas c(80, 50);
    tiles::drawFrame(c.target(), ts, pal, 0, 1, 10, 5);
    EXPECT_EQ(c.at(10 + 28, 5), testPixel(1));      // byte 0
    EXPECT_EQ(c.at(10 + 29, 5), testPixel(2));      // byte 1
    EXPECT_EQ(c.at(10 + 26, 5 + 1), testPixel(3));  // byte 2: row 1 starts at column 26
    EXPECT_EQ(c.at(10 + 0, 5 + 14), testPixel(1 + 392 % 250));
    EXPECT_EQ(c.at(10 + 57, 5 + 15), testPixel(1 + 507 % 250));
    EXPECT_EQ(c.at(10 + 29, 5 + 29), testPixel(1 + 899 % 250));
    // Outside the diamond the target is untouched.
    EXPECT_EQ(c.at(10 + 27, 5), kBackground);
    EXPECT_EQ(c.at(10 + 30, 5), kBackground);
    EXPECT_EQ(c.at(10 + 0, 5 + 13), kBackground);
    EXPECT_EQ(c.at(10 + 27, 5 + 29), kBackground);
    EXPECT_EQ(int(c.pixels.size()) - c.count(kBackground), 900);
}

TEST(DrawFrame, ScaleTwoWritesEverySourcePixelAsATwoByTwoBlock) {
    const auto pal = testPalette();
    const auto ts = tilesetOf({numberedFrame()});
    Canvas c(140, 80);
    tiles::drawFrame(c.target(), ts, pal, 0, 2, 10, 5);
    for (int dx = 0; dx < 2; ++dx) {
        for (int dy = 0; dy < 2; ++dy) {
            EXPECT_EQ(c.at(10 + 56 + dx, 5 + dy), testPixel(1));
            EXPECT_EQ(c.at(10 + 58 + dx, 5 + dy), testPixel(2));
            EXPECT_EQ(c.at(10 + 114 + dx, 5 + 30 + dy), testPixel(1 + 507 % 250));
        }
    }
    EXPECT_EQ(c.at(10 + 55, 5), kBackground);
    EXPECT_EQ(int(c.pixels.size()) - c.count(kBackground), 4 * 900);
}

struct LayerCase {
    int dir;
    int scale;
};

class LayerGeometry : public ::testing::TestWithParam<LayerCase> {};

// Pixel i of layer n lands where the game puts it, every layer one row further out.
TEST_P(LayerGeometry, LayerPixelsLandOnTheOutline) {
    const int dir = GetParam().dir, s = GetParam().scale;
    const auto pal = testPalette();
    FrameSpec f = test::solidFrame(7, std::uint8_t(dir), 2, 0);
    const int per = tiles::layerBytes(dir);
    for (int n = 0; n < 2; ++n)
        for (int i = 0; i < per; ++i)
            f.layers[std::size_t(n * per + i)] = std::uint8_t(20 + n * 60 + i);
    const auto ts = tilesetOf({f});
    Canvas c(70 * s, 60 * s);
    const int X = 5 * s, Y = 20 * s;
    tiles::drawFrame(c.target(), ts, pal, 0, s, X, Y, tiles::LayerKinds::Viewer);
    auto expectAt = [&](int n, int i, int x, int y) {
        for (int dx = 0; dx < s; ++dx)
            for (int dy = 0; dy < s; ++dy)
                EXPECT_EQ(c.at(X + x * s + dx, Y + y * s + dy), testPixel(20 + n * 60 + i))
                    << "dir " << dir << " layer " << n << " pixel " << i;
    };
    for (int n = 0; n < 2; ++n) {
        switch (dir) {
            case 1:  // under the lower outline
                expectAt(n, 0, 0, 16 + n);
                expectAt(n, 29, 29, 30 + n);
                expectAt(n, 30, 30, 29 + n);
                expectAt(n, 57, 57, 16 + n);
                break;
            case 2:  // over the whole upper outline
                expectAt(n, 0, 0, 13 - n);
                expectAt(n, 28, 28, -1 - n);
                expectAt(n, 29, 29, -1 - n);
                expectAt(n, 30, 30, 0 - n);
                expectAt(n, 57, 57, 13 - n);
                break;
            case 3:  // upper-left edge
                expectAt(n, 0, 0, 13 - n);
                expectAt(n, 29, 29, -1 - n);
                break;
            case 4:  // upper-right edge
                expectAt(n, 0, 28, -1 - n);
                expectAt(n, 2, 30, 0 - n);
                expectAt(n, 29, 57, 13 - n);
                break;
        }
    }
    EXPECT_EQ(int(c.pixels.size()) - c.count(kBackground), (900 + 2 * per) * s * s);
}

INSTANTIATE_TEST_SUITE_P(Kinds, LayerGeometry,
                         ::testing::Values(LayerCase{1, 1}, LayerCase{2, 1}, LayerCase{3, 1},
                                           LayerCase{4, 1}, LayerCase{1, 2}, LayerCase{2, 2},
                                           LayerCase{3, 2}, LayerCase{4, 2}));

TEST(DrawFrame, KindsThreeAndFourTogetherCoverKindTwo) {
    const auto pal = testPalette();
    const auto ts = tilesetOf(
        {test::solidFrame(7, 2, 3, 9), test::solidFrame(7, 3, 3, 9), test::solidFrame(7, 4, 3, 9)});
    for (int s : {1, 2}) {
        Canvas whole(70 * s, 60 * s), halves(70 * s, 60 * s);
        tiles::drawFrame(whole.target(), ts, pal, 0, s, 5 * s, 20 * s);
        tiles::drawFrame(halves.target(), ts, pal, 1, s, 5 * s, 20 * s);
        tiles::drawFrame(halves.target(), ts, pal, 2, s, 5 * s, 20 * s);
        EXPECT_EQ(whole.pixels, halves.pixels) << "scale " << s;
        EXPECT_EQ(whole.count(testPixel(9)), 3 * 58 * s * s);
    }
}

TEST(DrawFrame, LayerZerosAreTransparentButDiamondZerosPaintColourZero) {
    const auto pal = testPalette();
    const auto ts = tilesetOf({test::solidFrame(0, 2, 2, 0)});
    Canvas c(70, 60);
    tiles::drawFrame(c.target(), ts, pal, 0, 1, 5, 20);
    EXPECT_EQ(c.count(testPixel(0)), 900);
    EXPECT_EQ(c.at(5 + 28, 20 - 1), kBackground);
    EXPECT_EQ(c.at(5 + 0, 20 + 13), kBackground);
}

TEST(DrawFrame, WithoutLayersOrOnTheMapOnlyTheDiamondIsDrawn) {
    const auto pal = testPalette();
    // Ex 0 with a layer kind; kind 1 on the map; an unknown kind 7 with layers.
    const auto ts = tilesetOf(
        {test::solidFrame(5, 2, 0, 9), test::solidFrame(5, 1, 2, 9), test::solidFrame(5, 7, 2, 9)});
    for (int k = 0; k < 3; ++k) {
        Canvas c(70, 60);
        tiles::drawFrame(c.target(), ts, pal, k, 1, 5, 20);
        EXPECT_EQ(c.count(testPixel(5)), 900) << k;
        EXPECT_EQ(c.count(testPixel(9)), 0) << k;
    }
}

// A frame drawn partly off the picture puts every remaining pixel exactly
// where it lies when the whole frame is visible.
TEST(DrawFrame, ClippingNeverShiftsTheRemainingPixels) {
    const auto pal = testPalette();
    const auto ts = tilesetOf({numberedFrame(2, 4), numberedFrame(4, 4), numberedFrame(1, 4)});
    for (int s : {1, 2}) {
        for (int k = 0; k < 3; ++k) {
            const int margin = 40 * s;
            Canvas whole(200 * s, 120 * s);
            tiles::drawFrame(whole.target(), ts, pal, k, s, margin, margin,
                             tiles::LayerKinds::Viewer);
            for (auto [dx, dy] :
                 {std::pair{-3, -5}, std::pair{-30, 2}, std::pair{7, -25}, std::pair{-61, -31}}) {
                // The same frame at (dx, dy) * s in a picture whose corner is at the origin.
                Canvas clipped(40 * s, 30 * s);
                tiles::drawFrame(clipped.target(), ts, pal, k, s, dx * s, dy * s,
                                 tiles::LayerKinds::Viewer);
                for (int y = 0; y < clipped.height; ++y)
                    for (int x = 0; x < clipped.width; ++x)
                        ASSERT_EQ(clipped.at(x, y),
                                  whole.at(x + margin - dx * s, y + margin - dy * s))
                            << "scale " << s << " frame " << k << " at " << dx << "," << dy
                            << " pixel " << x << "," << y;
            }
        }
    }
}

TEST(DrawFrame, FramesThatDoNotExistOrRunPastTheFileDrawNothing) {
    const auto pal = testPalette();
    auto bytes = test::makeTilesetFile(
        {test::solidFrame(5, 2, 3, 9), test::solidFrame(6), test::solidFrame(7, 2, 3, 9)});
    auto put32 = [](Bytes& b, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
    };
    std::vector<Bytes> hostile;
    hostile.push_back({});                                        // empty file
    hostile.push_back({0, 0});                                    // header cut before the count
    hostile.push_back({0, 0, 3, 0, 0, 0, 0, 0});                  // three frames, no directory
    hostile.push_back(Bytes(bytes.begin(), bytes.begin() + 20));  // first entry cut off
    Bytes zeroCount = bytes;
    zeroCount[2] = 0;
    hostile.push_back(zeroCount);
    Bytes farOffset = bytes;
    put32(farOffset, 12, 0xFFFFFFF0u);  // offset near the top of the 32-bit range
    hostile.push_back(farOffset);
    Bytes pastEnd = bytes;
    put32(pastEnd, 12, std::uint32_t(bytes.size() - 899));  // diamond one byte short
    hostile.push_back(pastEnd);
    Bytes layersCut = bytes;
    layersCut.resize(layersCut.size() - 1);  // frame 2's last layer byte missing
    Bytes manyLayers = bytes;
    manyLayers[8 + 13] = 255;  // frame 0 claims 255 layers
    hostile.push_back(manyLayers);

    for (std::size_t h = 0; h < hostile.size(); ++h) {
        const auto ts = tiles::makeTileset(hostile[h]);
        Canvas c(70, 60);
        tiles::drawFrame(c.target(), ts, pal, 0, 1, 5, 20);
        EXPECT_EQ(c.count(kBackground), 70 * 60) << "case " << h;
    }
    const auto cut = tiles::makeTileset(layersCut);
    Canvas c(70, 60);
    tiles::drawFrame(c.target(), cut, pal, 2, 1, 5, 20);
    EXPECT_EQ(c.count(kBackground), 70 * 60);
    tiles::drawFrame(c.target(), cut, pal, 1, 1, 5, 20);  // the frames before it are intact
    EXPECT_EQ(c.count(testPixel(6)), 900);

    // Frame numbers beyond the count are not frames, even where the file has bytes.
    const auto good = tiles::makeTileset(bytes);
    for (int k : {-1, 3, 255, 302}) {
        Canvas d(70, 60);
        tiles::drawFrame(d.target(), good, pal, k, 1, 5, 20);
        EXPECT_EQ(d.count(kBackground), 70 * 60) << k;
    }
}

// Random files with a plausible directory: whatever they claim, drawing any
// frame stays inside the file and the picture (the sanitizer build checks).
TEST(DrawFrame, RandomFilesAreDrawnWithoutStrayReadsOrWrites) {
    const auto pal = testPalette();
    Random rng(99);
    for (int file = 0; file < 300; ++file) {
        Bytes bytes(std::size_t(rng.below(4000)));
        for (auto& b : bytes) b = std::uint8_t(rng.below(256));
        // Offsets mostly inside the file, kinds mostly 0..5.
        for (std::size_t at = 8; at + 16 <= bytes.size() && at < 8 + 16 * 40; at += 16) {
            const std::uint32_t offset = std::uint32_t(rng.below(int(bytes.size()) + 100));
            for (int i = 0; i < 4; ++i)
                bytes[at + 4 + std::size_t(i)] = std::uint8_t(offset >> (8 * i));
            bytes[at + 12] = std::uint8_t(rng.below(7));
            bytes[at + 13] = std::uint8_t(rng.below(4));
        }
        const auto ts = tiles::makeTileset(bytes);
        Canvas c(90, 50);
        for (int k = -1; k < 260; k += 1 + rng.below(3))
            tiles::drawFrame(c.target(), ts, pal, k, 1 + rng.below(2), rng.below(120) - 60,
                             rng.below(80) - 40, tiles::LayerKinds::Viewer);
    }
}

TEST(Blocks, TwoByTwoAndThreeByThreeFramesSitOnTheGrid) {
    const auto pal = testPalette();
    std::vector<FrameSpec> frames;
    for (int k = 0; k < 12; ++k) frames.push_back(test::solidFrame(std::uint8_t(40 + k)));
    const auto ts = tilesetOf(frames);
    for (int s : {1, 2}) {
        Canvas two(130 * s, 70 * s);
        tiles::draw2x2Block(two.target(), ts, pal, 1, s, 3 * s, 2 * s);
        const int centres2[4][2] = {{29 + 29, 15}, {29, 30}, {58 + 29, 30}, {29 + 29, 45}};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(two.at(3 * s + centres2[i][0] * s, 2 * s + centres2[i][1] * s),
                      testPixel(41 + i))
                << "2x2 frame " << i << " scale " << s;

        Canvas three(180 * s, 100 * s);
        tiles::draw3x3Block(three.target(), ts, pal, 2, s, 3 * s, 2 * s);
        const int at3[9][2] = {{58, 0},   {29, 15}, {87, 15}, {0, 30}, {58, 30},
                               {116, 30}, {29, 45}, {87, 45}, {58, 60}};
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(three.at(3 * s + (at3[i][0] + 29) * s, 2 * s + (at3[i][1] + 15) * s),
                      testPixel(42 + i))
                << "3x3 frame " << i << " scale " << s;
        // Diamonds of neighbouring cells share one pixel per row along their
        // edges: the two frames drawn after the centre below it take 15 each.
        EXPECT_EQ(three.count(testPixel(42 + 4)), (900 - 30) * s * s);
    }
}

TEST(FillDiamond, SetsExactlyTheDiamondAndClips) {
    Canvas c(70, 40);
    tiles::fillDiamond(c.target(), 4, 3, 0xFFABCDEF);
    EXPECT_EQ(c.count(0xFFABCDEF), 900);
    EXPECT_EQ(c.at(4 + 28, 3), 0xFFABCDEFu);
    EXPECT_EQ(c.at(4 + 27, 3), kBackground);
    EXPECT_EQ(c.at(4, 3 + 14), 0xFFABCDEFu);
    EXPECT_EQ(c.at(4 + 29, 3 + 29), 0xFFABCDEFu);
    // Only the lower right part of a diamond whose box starts at (-20, -10).
    Canvas corner(40, 25);
    tiles::fillDiamond(corner.target(), -20, -10, 0xFFABCDEF);
    EXPECT_EQ(corner.at(0, 0), 0xFFABCDEFu);    // box (20, 10): row 10 spans 8..49
    EXPECT_EQ(corner.at(9, 19), 0xFFABCDEFu);   // box (29, 29): the bottom corner
    EXPECT_EQ(corner.at(10, 19), kBackground);  // box (30, 29)
    EXPECT_EQ(corner.at(35, 19), kBackground);  // box (55, 29)
}

}  // namespace
}  // namespace d7
