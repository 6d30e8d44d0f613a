#include "core/tiles/cell_readout.h"

#include <gtest/gtest.h>

#include "canvas.h"
#include "core/tiles/frame_enlargement.h"
#include "core/tiles/palette.h"
#include "core/tiles/tileset_file.h"
#include "support/tileset_builder.h"

namespace d7 {
namespace {

using namespace tiles;

TEST(CellInspection, CastleAndResourceCellsNameTheirFlagsAndFrames) {
    WorkingPlanes p;
    // A castle piece on a border: flag 0x80 outside the town tiles.
    p.M0.at(3, 4) = flags::kBuilding | flags::kBorder;
    p.M1.at(3, 4) = tileset::kBase;
    p.M2.at(3, 4) = 6;
    p.M3.at(3, 4) = 2;
    p.M5.at(3, 4) = 7;
    p.Ext4.at(3, 4) = 0xA5;
    const CellLabels castle = cellLabels(p, 3, 4);
    EXPECT_EQ(castle.planes[0], "M0: 130 Border Castle ");
    EXPECT_EQ(castle.planes[3], "M3: 2");
    EXPECT_EQ(castle.planes[5], "M5: 7");
    EXPECT_EQ(castle.ext4, "Ext4: 165 10100101");

    // A mine: a resource on the town tiles, next to a road.
    p.M0.at(5, 5) = flags::kBuilding | flags::kRoad;
    p.M1.at(5, 5) = tileset::kTown;
    p.M2.at(5, 5) = 30;
    EXPECT_EQ(cellLabels(p, 5, 5).planes[0], "M0: 129 Road Resource ");
    EXPECT_EQ(cellFrame(p, 5, 5), (CellFrame{kTownTiles, 30}));
    // A town block's frames follow the single town tiles.
    p.M0.at(6, 6) = flags::kTown;
    p.M1.at(6, 6) = tileset::kTown;
    p.M2.at(6, 6) = 2;
    EXPECT_EQ(cellFrame(p, 6, 6), (CellFrame{kTownTiles, 49}));
    p.M1.at(7, 7) = tileset::kMountain;
    EXPECT_EQ(cellFrame(p, 7, 7).tileset, kMountainTiles);

    EXPECT_EQ(hiddenCellLabels().planes[0], "M0: N/A ");
    EXPECT_EQ(hiddenCellLabels().planes[4], "M4: N/A");
}

TEST(CellInspection, SeaMemoMarksSeaAroundTheCellAndNothingOffTheMap) {
    WorkingPlanes p;
    p.M0.at(0, 0) = flags::kSea;
    p.M0.at(1, 1) = flags::kSea;
    p.M0.at(0, 1) = flags::kSea | flags::kBorder;  // not plain sea
    const auto memo = seaMemo(p, 0, 0);
    EXPECT_EQ(memo[0], "X X X ");
    EXPECT_EQ(memo[1], "X 4 X ");
    EXPECT_EQ(memo[2], "X X 4 ");
}

TEST(FrameInspection, ShowsEveryByteWithUpwardLayersInsideThePicture) {
    // Dir 2 with three layers whose bytes are all 0: the viewer paints them
    // in palette colour 0 and moves the diamond down to make room.
    const Tileset ts = makeTileset(test::makeTilesetFile({test::solidFrame(9, 2, 3, 0)}));
    const Palette pal = makePalette(test::makeTestPaletteFile());
    const auto shape = frameShape(ts, 0);
    ASSERT_TRUE(shape);
    EXPECT_EQ(inspectionRows(*shape), 33);
    const int p = 4;
    test::Canvas c(58 * p, 33 * p);
    drawFrameInspection(c.target(), ts, pal, 0, p);
    const std::uint32_t nine = test::testPixel(9), zero = test::testPixel(0);
    EXPECT_EQ(c.at(28 * p, 3 * p), nine);          // diamond row 0, three rows down
    EXPECT_EQ(c.at(28 * p + 3, 3 * p - 1), zero);  // layer 0 on the top corner
    EXPECT_EQ(c.at(28 * p, 0), zero);              // layer 2 at the picture's top
    EXPECT_EQ(c.at(0, 0), test::kBackground);      // outside the frame
    EXPECT_EQ(c.at(0, (3 + 14) * p), nine);        // left corner of the diamond
    EXPECT_FALSE(frameShape(ts, 1));
}

}  // namespace
}  // namespace d7
