#include "core/edit/geometry.h"

#include <gtest/gtest.h>

#include "core/tiles/graphics.h"

namespace d7 {
namespace {

TEST(Geometry, MapBounds) {
    EXPECT_TRUE(inMap(0, 0));
    EXPECT_TRUE(inMap(63, 63));
    EXPECT_FALSE(inMap(64, 0));
    EXPECT_FALSE(inMap(0, 64));
    EXPECT_FALSE(inMap(0, -1));
    EXPECT_FALSE(inMap(-1, 5));
}

TEST(Geometry, CellBoxesSpanThePicture) {
    for (int z : {1, 2}) {
        EXPECT_EQ(cellToScreen(0, 63, z), (PixelPoint{0, 945 * z}));
        EXPECT_EQ(cellToScreen(63, 0, z), (PixelPoint{3654 * z, 945 * z}));
        EXPECT_EQ(cellToScreen(63, 63, z), (PixelPoint{1827 * z, 1890 * z}));
        EXPECT_EQ(cellToScreen(0, 0, z), (PixelPoint{1827 * z, 0}));
        // The right and bottom edges of the outermost boxes are the picture's.
        EXPECT_EQ(cellToScreen(63, 0, z).x + kTileWidth * z, kMapPictureWidth * z);
        EXPECT_EQ(cellToScreen(63, 63, z).y + kTileHeight * z, kMapPictureHeight * z);
    }
}

TEST(Geometry, ScreenToCellFindsEveryCellFromItsCentre) {
    for (int z : {1, 2}) {
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                const PixelPoint box = cellToScreen(x, y, z);
                const Point cell = screenToCell(box.x + 29 * z, box.y + 15 * z, z);
                ASSERT_EQ(cell, (Point{x, y})) << "cell " << x << "," << y << " zoom " << z;
            }
        }
    }
}

TEST(Geometry, ScreenToCellRoundsHalvesToEven) {
    // (px - 1827) / 58 = 0.5 rounds to 0, 1.5 to 2.
    EXPECT_EQ(screenToCell(1827 + 29, 0, 1), (Point{-1, 0}));
    EXPECT_EQ(screenToCell(1827 + 87, 0, 1), (Point{1, -2}));
    // At zoom 2 py / 30 = 2.5 rounds to 2 while the first quotient is exactly 1.
    EXPECT_EQ(screenToCell(3625, 75, 2), (Point{0, 1}));
    // Left of the map: -1827 / 58 = -31.5 rounds to -32.
    EXPECT_EQ(screenToCell(0, 0, 1), (Point{-33, 32}));
}

TEST(Geometry, ScreenToCellNearTheEdgesGivesCellsOffTheMap) {
    const Point aboveTop = screenToCell(1856, -20, 1);
    EXPECT_FALSE(inMap(aboveTop.x, aboveTop.y));
    const Point belowBottom = screenToCell(1856, 1920 + 20, 1);
    EXPECT_FALSE(inMap(belowBottom.x, belowBottom.y));
    const Point leftCorner = screenToCell(2, 960, 1);
    EXPECT_EQ(leftCorner, (Point{0, 63}));
}

class CellPlanes : public ::testing::Test {
  protected:
    void put(int x, int y, std::uint8_t m0, std::uint8_t m1, std::uint8_t m2 = 0,
             std::uint8_t m3 = 0) {
        p.M0.at(x, y) = m0;
        p.M1.at(x, y) = m1;
        p.M2.at(x, y) = m2;
        p.M3.at(x, y) = m3;
    }
    WorkingPlanes p;
};

TEST_F(CellPlanes, PredicatesReadFlagsAndTilesets) {
    put(1, 1, 0x04, 0);
    put(2, 1, 0x05, 0);   // sea with a road flag is not sea
    put(3, 1, 0x08, 8);   // forest
    put(4, 1, 0x08, 0);   // unpassable, but not on the road tiles
    put(5, 1, 0x80, 0);   // castle
    put(6, 1, 0x80, 12);  // resource
    put(7, 1, 0x80, 13);  // M1 & 0x0C = 0x0C: still a resource
    put(8, 1, 0x80, 4);   // castle on a mountain code
    EXPECT_TRUE(isSea(p, 1, 1));
    EXPECT_FALSE(isSea(p, 2, 1));
    EXPECT_TRUE(isRoad(p, 2, 1));
    EXPECT_TRUE(isForest(p, 3, 1));
    EXPECT_FALSE(isForest(p, 4, 1));
    EXPECT_TRUE(isCastle(p, 5, 1));
    EXPECT_FALSE(isResource(p, 5, 1));
    EXPECT_TRUE(isResource(p, 6, 1));
    EXPECT_FALSE(isCastle(p, 6, 1));
    EXPECT_TRUE(isResource(p, 7, 1));
    EXPECT_TRUE(isCastle(p, 8, 1));
    EXPECT_TRUE(isMountain(p, 8, 1));
    // Off the map every predicate is false, whatever the planes hold nearby.
    p.M0.fill(0xFF);
    for (auto [x, y] : {std::pair{-1, 0}, std::pair{64, 0}, std::pair{0, 64}, std::pair{0, -1}}) {
        EXPECT_FALSE(isRoad(p, x, y));
        EXPECT_FALSE(isTown(p, x, y));
        EXPECT_FALSE(isCastle(p, x, y));
        EXPECT_FALSE(isVillage(p, x, y));
    }
}

TEST_F(CellPlanes, ObjectSizesAndOrigins) {
    put(10, 10, 0, 4, 15);
    put(11, 10, 0, 4, 16);  // tiles 16 and up count as the 3 x 3 mountain
    put(12, 10, 0x80, 0);
    put(13, 10, 0x40, 12);
    put(14, 10, 0x20, 0);
    EXPECT_EQ(objectSize(p, 10, 10), 2);
    EXPECT_EQ(objectSize(p, 11, 10), 3);
    EXPECT_EQ(objectSize(p, 12, 10), 2);
    EXPECT_EQ(objectSize(p, 13, 10), 2);
    EXPECT_EQ(objectSize(p, 14, 10), 1);

    put(11, 21, 0x40, 12, 0, 3);
    EXPECT_EQ(objectOrigin(p, 11, 21, 2), (Point{10, 20}));
    put(12, 21, 0, 4, 16, 5);
    EXPECT_EQ(objectOrigin(p, 12, 21, 3), (Point{10, 20}));
}

TEST_F(CellPlanes, BlockDomainCountNeedsFourCellsOfOneDomainOnTheMap) {
    p.M5.fill(3);
    EXPECT_EQ(blockDomainCount(p, 10, 10), 1);
    p.M5.at(11, 11) = 4;
    EXPECT_GT(blockDomainCount(p, 10, 10), 1);
    // Blocks that leave the map never lie in one domain, even over zeroed planes.
    WorkingPlanes empty;
    for (auto [x, y] : {std::pair{63, 10}, std::pair{10, 63}, std::pair{63, 63}, std::pair{-1, 10},
                        std::pair{10, -1}})
        EXPECT_GT(blockDomainCount(empty, x, y), 1) << x << "," << y;
    EXPECT_EQ(blockDomainCount(empty, 62, 62), 1);
}

TEST_F(CellPlanes, BlockRoadCountCountsOnlyRingCellsOnTheMap) {
    p.M0.fill(flags::kRoad);
    EXPECT_EQ(blockRoadCount(p, 10, 10), 8);
    EXPECT_EQ(blockRoadCount(p, 0, 0), 4);
    EXPECT_EQ(blockRoadCount(p, 63, 63), 2);
    EXPECT_EQ(blockRoadCount(p, 63, 10), 4);
    p.M0.at(9, 10) = 0;
    p.M0.at(11, 12) = 0;
    EXPECT_EQ(blockRoadCount(p, 10, 10), 6);
}

TEST_F(CellPlanes, DrawSourceChoosesTilesetAndTownFrame) {
    put(1, 1, 0, 4, 7);
    put(2, 1, 0, 8, 7);
    put(3, 1, 0x40, 12, 2);  // a town cell: frame M2 + 47
    put(4, 1, 0x41, 12, 2);  // town flag plus another flag: frame M2
    put(5, 1, 0, 3, 7);      // any other code: base tiles
    put(6, 1, 0x40, 12, 255);
    EXPECT_EQ(drawSource(p, 1, 1)->tileset, tiles::kMountainTiles);
    EXPECT_EQ(drawSource(p, 2, 1)->tileset, tiles::kRoadTiles);
    EXPECT_EQ(drawSource(p, 3, 1)->tileset, tiles::kTownTiles);
    EXPECT_EQ(drawSource(p, 3, 1)->frame, 49);
    EXPECT_EQ(drawSource(p, 4, 1)->frame, 2);
    EXPECT_EQ(drawSource(p, 5, 1)->tileset, tiles::kBaseTiles);
    EXPECT_EQ(drawSource(p, 5, 1)->frame, 7);
    EXPECT_EQ(drawSource(p, 6, 1)->frame, 302);
    EXPECT_FALSE(drawSource(p, 64, 1));
    EXPECT_FALSE(drawSource(p, 1, -1));
}

}  // namespace
}  // namespace d7
