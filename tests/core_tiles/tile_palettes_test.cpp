#include "core/tiles/tile_palettes.h"

#include <gtest/gtest.h>

#include "canvas.h"
#include "core/tiles/tileset_file.h"
#include "support/tileset_builder.h"

namespace d7 {
namespace {

using namespace tiles;

Graphics testGraphics(int baseFrames = test::kTestFrames) {
    Graphics gfx;
    test::installTestGraphics(gfx);
    if (baseFrames != test::kTestFrames)
        gfx.tilesets[kBaseTiles] = makeTileset(test::makeTilesetFile(
            std::vector<test::FrameSpec>(std::size_t(baseFrames), test::solidFrame(7))));
    return gfx;
}

TEST(TilePalettes, SizesFollowTheTilesetsAndTheScale) {
    const Graphics big = testGraphics(200);  // more frames than the palette shows
    EXPECT_EQ(paletteSize(big, kBasePalette, 2), (PixelSize{812, 18 * 60}));
    EXPECT_EQ(lastPaletteFrame(big, kBasePalette), 122);
    EXPECT_EQ(paletteSize(big, kMountainPalette, 1), (PixelSize{348, 210}));
    EXPECT_EQ(paletteSize(big, kBuildingPalette, 2), (PixelSize{464, 300}));

    const Graphics gfx = testGraphics(119);
    EXPECT_EQ(paletteSize(gfx, kBasePalette, 1), (PixelSize{406, 17 * 30}));
    // The last row holds frames 112 to 118; the place after 118 holds none.
    EXPECT_EQ(paletteIndexAt(gfx, kBasePalette, 0, 16 * 30, 1), 112);
    EXPECT_EQ(paletteIndexAt(gfx, kBasePalette, 6 * 58 + 57, 16 * 30 + 29, 1), 118);
    const Graphics short117 = testGraphics(117);
    EXPECT_EQ(paletteIndexAt(short117, kBasePalette, 6 * 58, 16 * 30, 1), std::nullopt);
    EXPECT_EQ(paletteIndexAt(gfx, kBasePalette, -1, 0, 1), std::nullopt);
}

TEST(TilePalettes, ClicksChooseByThePlacesOfThePictures) {
    const Graphics gfx = testGraphics();
    EXPECT_EQ(paletteIndexAt(gfx, kRoadPalette, 2 * 116 + 5, 3 * 60 + 59, 2), 23);
    // Mountains: three blocks in the first row, two in the second, the 3 x 3 below.
    EXPECT_EQ(paletteIndexAt(gfx, kMountainPalette, 0, 0, 1), 0);
    EXPECT_EQ(paletteIndexAt(gfx, kMountainPalette, 231, 119, 1), 4);
    EXPECT_EQ(paletteIndexAt(gfx, kMountainPalette, 300, 80, 1), std::nullopt);
    EXPECT_EQ(paletteIndexAt(gfx, kMountainPalette, 232, 60, 1), std::nullopt);
    EXPECT_EQ(paletteIndexAt(gfx, kMountainPalette, 340, 240, 2), kBigMountainIndex);
    // Buildings: four single tiles, then two rows each for the town and the castle.
    EXPECT_EQ(paletteIndexAt(gfx, kBuildingPalette, 3 * 58, 29, 1), 3);
    EXPECT_EQ(paletteIndexAt(gfx, kBuildingPalette, 200, 30, 1), kTownIndex);
    EXPECT_EQ(paletteIndexAt(gfx, kBuildingPalette, 10, 89, 1), kTownIndex);
    EXPECT_EQ(paletteIndexAt(gfx, kBuildingPalette, 10, 90, 1), kCastleIndex);
    EXPECT_EQ(paletteIndexAt(gfx, kBuildingPalette, 10, 150, 1), std::nullopt);
}

TEST(TilePalettes, ChoicesNameTheirBlockAndFrame) {
    EXPECT_EQ(tileChoice(kBasePalette, 9), (TileChoice{1, kBaseTiles, 9, 116, 30}));
    EXPECT_EQ(tileChoice(kBasePalette, 123), std::nullopt);
    EXPECT_EQ(tileChoice(kRoadPalette, 84), std::nullopt);
    EXPECT_EQ(tileChoice(kMountainPalette, 4), (TileChoice{2, kMountainTiles, 16, 116, 60}));
    EXPECT_EQ(tileChoice(kMountainPalette, 6), (TileChoice{3, kMountainTiles, 16, 0, 120}));
    EXPECT_EQ(tileChoice(kMountainPalette, 5), std::nullopt);
    EXPECT_EQ(tileChoice(kBuildingPalette, 2), (TileChoice{1, kTownTiles, 30, 116, 0}));
    EXPECT_EQ(tileChoice(kBuildingPalette, 4), (TileChoice{2, kTownTiles, 47, 0, 30}));
    EXPECT_EQ(tileChoice(kBuildingPalette, 5), (TileChoice{2, kCastleTiles, 0, 0, 90}));
}

TEST(TilePalettes, FifthMountainAndTheBigMountainBothShowFrame16) {
    const Graphics gfx = testGraphics();
    const PixelSize size = paletteSize(gfx, kMountainPalette, 1);
    test::Canvas c(size.width, size.height);
    drawTilePalette(c.target(), gfx, kMountainPalette, 1);
    // Row 10 of a block's top tile shows the tile's own mark.
    const std::uint32_t frame16 = test::testPixel(test::frameMark(16));
    EXPECT_EQ(c.at(116 + 58, 60 + 10), frame16);  // block 4, top tile at x + 29
    EXPECT_EQ(c.at(0 + 87, 120 + 10), frame16);   // the 3 x 3 block, top tile at x + 58
    EXPECT_EQ(c.at(0 + 58, 10), test::testPixel(test::frameMark(0)));
    EXPECT_EQ(c.at(size.width - 1, 60 + 10), kBlackPixel);  // the empty place
}

TEST(TilePalettes, KeysStepThroughTheShownChoices) {
    const Graphics gfx = testGraphics();
    EXPECT_EQ(neighbourPaletteIndex(gfx, kBasePalette, 10, 7), 17);
    EXPECT_EQ(neighbourPaletteIndex(gfx, kBasePalette, 60, 7), 60);  // 67 is not in the tileset
    EXPECT_EQ(neighbourPaletteIndex(gfx, kMountainPalette, 4, 1), kBigMountainIndex);
    EXPECT_EQ(neighbourPaletteIndex(gfx, kMountainPalette, kBigMountainIndex, -7), 4);
    EXPECT_EQ(neighbourPaletteIndex(gfx, kBuildingPalette, 0, -1), 0);
}

}  // namespace
}  // namespace d7
