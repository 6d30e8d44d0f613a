#include <gtest/gtest.h>

#include "core/edit/placement.h"
#include "core/edit/random_tiles.h"
#include "edit_fixture.h"

namespace d7::test {
namespace {

using CellWriting = EditTest;

TEST_F(CellWriting, SetCellWritesThroughToStoreRecordAndWorkingPlanes) {
    setCell(*st, kMap, 10, 20, {.flags = 0x20, .tileset = 8, .tile = 80, .domain = 7, .code = 13});
    const std::uint8_t want[6] = {0x20, 8, 80, 0, 0, 7};
    for (int plane = 0; plane < 6; ++plane) EXPECT_EQ(storeByte(plane, 10, 20), want[plane]);
    EXPECT_EQ(recordByte(kExt4Offset, 10, 20), 13);
    EXPECT_TRUE(st->extChanged[2]);
    EXPECT_FALSE(st->extChanged[1]);
    EXPECT_EQ(sink.cells, (std::vector<Point>{{10, 20}}));
    put(10, 20, 0, 0, 9, 2);  // the domain is kept
    EXPECT_EQ(st->planes.M5.at(10, 20), 7);
    expectConsistent();

    // Off the map, out of byte range or for another map: the current map stays.
    const Bytes store = st->mapStore;
    for (auto [x, y] : {std::pair{64, 0}, {0, 64}, {-1, 3}, {3, -1}}) {
        setCell(*st, kMap, x, y, {.flags = 4, .tile = 22, .domain = 0, .code = 4});
        orCellFlags(*st, kMap, x, y, 0x10, 0, 0, 0, 9);
        setCellDomain(*st, x, y, 3, kMap, true);
        placeRandomSea(*st, x, y, kMap);
    }
    setCell(*st, kMap, 3, 3, {.flags = 0, .tile = 256, .code = 2});
    setCell(*st, kMap, 3, 3, {.flags = 0, .tile = 6, .domain = 300, .code = 2});
    EXPECT_EQ(st->mapStore, store);
    setCell(*st, 9, 1, 2, {.flags = 4, .tile = 30, .domain = 0, .code = 4});
    EXPECT_EQ(st->mapStore[blockOffset(9) + 2 * 4096 + 2 * 64 + 1], 30);
    EXPECT_TRUE(st->extChanged[3]);
    EXPECT_EQ(sink.cells.size(), 2u);
    expectConsistent();
}

TEST_F(CellWriting, OrCellFlagsAndMarkersKeepTheTileAndDomain) {
    put(3, 4, 0, 0, 9, 2, 6);
    orCellFlags(*st, kMap, 3, 4, 0x80, 0, 1, 3, 28);
    EXPECT_EQ(st->planes.M0.at(3, 4), 0x80);
    EXPECT_EQ(st->planes.M2.at(3, 4), 9);
    EXPECT_EQ(st->planes.M5.at(3, 4), 6);
    EXPECT_EQ(sink.pieces.back(), (std::pair{Point{3, 4}, std::uint8_t(0x80)}));
    expectConsistent();

    ScriptedPrompt prompt;
    placeTile(*st, prompt, 20, 20, building::kTown, 2, TileKind::Buildings);
    setMarker(*st, kMap, 6, 21, 21);
    EXPECT_EQ(recordByte(kExt4Offset, 21, 21), 31);
    setMarker(*st, kMap, 7, 21, 21);  // no building carries a number above 6
    EXPECT_EQ(st->planes.M4.at(21, 21), 6);
    expectConsistent();
    // Clearing a number gives the code of an unmarked castle or town part.
    setMarker(*st, kMap, 0, 3, 4);
    setMarker(*st, kMap, 0, 21, 21);
    EXPECT_EQ(st->planes.Ext4.at(3, 4), feature::kCastle);
    EXPECT_EQ(st->planes.Ext4.at(21, 21), feature::kTown);
    expectConsistent();
}

TEST_F(CellWriting, SetCellDomainKeepsSeaUnlessOverwrittenAndTurnsBlackCellsGreen) {
    sea(5, 5);
    setCellDomain(*st, 5, 5, 3, kMap, false);
    EXPECT_EQ(st->planes.M5.at(5, 5), 0);
    setCellDomain(*st, 5, 5, 3, kMap, true);
    EXPECT_EQ(st->planes.M0.at(5, 5), 0);
    EXPECT_EQ(st->planes.M5.at(5, 5), 3);

    put(6, 5, 0, 0, 2, 2);  // black
    setCellDomain(*st, 6, 5, 3, kMap, false);
    EXPECT_TRUE(between(st->planes.M2.at(6, 5), 6, 20));
    setCellDomain(*st, 7, 5, 17, kMap, false);  // not a domain number
    EXPECT_EQ(st->planes.M5.at(7, 5), 1);
    EXPECT_TRUE(st->CountyTable[3].used);  // the analysis pass ran
    expectConsistent();
}

}  // namespace
}  // namespace d7::test
