#include <gtest/gtest.h>

#include "core/edit/cell_writer.h"
#include "core/edit/placement.h"
#include "core/edit/random_tiles.h"
#include "edit_fixture.h"

namespace d7::test {
namespace {

using CellWriting = EditTest;

TEST_F(CellWriting, SetCellWritesThroughToStoreRecordAndWorkingPlanes) {
    setCell(
        *st, kMap, 10, 20,
        {.flags = 0x20, .tileset = 8, .tile = 80, .part = 0, .marker = 0, .domain = 7, .code = 13});
    const std::uint8_t want[6] = {0x20, 8, 80, 0, 0, 7};
    for (int plane = 0; plane < 6; ++plane) {
        EXPECT_EQ(storeByte(plane, 10, 20), want[plane]) << "plane " << plane;
        EXPECT_EQ(st->planes.cellPlane(plane).at(10, 20), want[plane]) << "plane " << plane;
    }
    EXPECT_EQ(recordByte(kExt3Offset, 10, 20), 7);
    EXPECT_EQ(recordByte(kExt4Offset, 10, 20), 13);
    EXPECT_TRUE(st->extChanged[2]);
    EXPECT_FALSE(st->extChanged[1]);
    ASSERT_EQ(sink.cells.size(), 1u);
    EXPECT_EQ(sink.cells[0], (Point{10, 20}));

    // A kept domain leaves M5 and Ext3 alone.
    setCell(*st, kMap, 10, 20, {.flags = 0, .tile = 9, .domain = kKeepDomain, .code = 2});
    EXPECT_EQ(st->planes.M5.at(10, 20), 7);
    EXPECT_EQ(recordByte(kExt3Offset, 10, 20), 7);
    expectConsistent();
}

TEST_F(CellWriting, WritesOffTheMapOrOutOfByteRangeChangeNothing) {
    const Bytes store = st->mapStore;
    const Bytes file = st->extStreams[2];
    for (auto [x, y] : {std::pair{64, 0}, {0, 64}, {-1, 3}, {3, -1}}) {
        setCell(*st, kMap, x, y, {.flags = 4, .tile = 22, .domain = 0, .code = 4});
        orCellFlags(*st, kMap, x, y, 0x10, 0, 0, 0, 9);
        setMarker(*st, kMap, 3, x, y);
        setCellDomain(*st, x, y, 3, kMap, true);
        placeRandomSea(*st, x, y, kMap);
    }
    setCell(*st, kMap, 3, 3, {.flags = 0, .tile = 256, .code = 2});
    setCell(*st, kMap, 3, 3, {.flags = 0, .tile = 6, .domain = 300, .code = 2});
    setMarker(*st, kMap, 7, 3, 3);  // no building carries a number above 6
    EXPECT_EQ(st->mapStore, store);
    EXPECT_EQ(st->extStreams[2], file);
    EXPECT_TRUE(sink.cells.empty());
    expectConsistent();
}

TEST_F(CellWriting, WritesForAnotherMapLeaveTheWorkingPlanesAlone) {
    const WorkingPlanes before = st->planes;
    setCell(*st, 9, 1, 2, {.flags = 4, .tile = 30, .domain = 0, .code = 4});
    EXPECT_EQ(st->mapStore[blockOffset(9) + 2 * 64 + 1], 4);
    EXPECT_EQ(st->mapStore[blockOffset(9) + 2 * 4096 + 2 * 64 + 1], 30);
    EXPECT_TRUE(st->extChanged[3]);
    EXPECT_TRUE(st->planes.M2 == before.M2 && st->planes.Ext4 == before.Ext4);
    EXPECT_TRUE(sink.cells.empty());
    expectConsistent();
}

TEST_F(CellWriting, OrCellFlagsAddsBitsAndKeepsTileAndDomain) {
    grass(3, 4, 6, 9);
    sink.clear();
    orCellFlags(*st, kMap, 3, 4, 0x80, 0, 1, 3, 28);
    EXPECT_EQ(st->planes.M0.at(3, 4), 0x80);
    EXPECT_EQ(st->planes.M2.at(3, 4), 9);
    EXPECT_EQ(st->planes.M3.at(3, 4), 1);
    EXPECT_EQ(st->planes.M4.at(3, 4), 3);
    EXPECT_EQ(st->planes.M5.at(3, 4), 6);
    EXPECT_EQ(recordByte(kExt4Offset, 3, 4), 28);
    ASSERT_EQ(sink.pieces.size(), 1u);
    EXPECT_EQ(sink.pieces[0].first, (Point{3, 4}));
    EXPECT_EQ(sink.pieces[0].second, 0x80);
    expectConsistent();
}

TEST_F(CellWriting, SetCellDomainKeepsSeaUnlessOverwrittenAndTurnsBlackCellsGreen) {
    sea(5, 5);
    setCellDomain(*st, 5, 5, 3, kMap, false);
    EXPECT_EQ(st->planes.M0.at(5, 5), 4);
    EXPECT_EQ(st->planes.M5.at(5, 5), 0);

    setCellDomain(*st, 5, 5, 3, kMap, true);
    EXPECT_EQ(st->planes.M0.at(5, 5), 0);
    EXPECT_GE(st->planes.M2.at(5, 5), 6);
    EXPECT_LE(st->planes.M2.at(5, 5), 20);
    EXPECT_EQ(st->planes.M5.at(5, 5), 3);

    setCell(*st, kMap, 6, 5, {.flags = 0, .tileset = 0, .tile = 2, .code = 2});  // black
    setCellDomain(*st, 6, 5, 3, kMap, false);
    EXPECT_GE(st->planes.M2.at(6, 5), 6);
    EXPECT_EQ(recordByte(kExt3Offset, 6, 5), 3);

    setCellDomain(*st, 7, 5, 17, kMap, false);  // not a domain number
    EXPECT_EQ(st->planes.M5.at(7, 5), 1);
    setCellDomain(*st, 7, 5, kLandWithoutDomain, kMap, false);
    EXPECT_EQ(st->planes.M5.at(7, 5), kLandWithoutDomain);

    EXPECT_TRUE(st->CountyTable[3].used);  // the analysis pass ran
    expectConsistent();
}

TEST_F(CellWriting, SetMarkerWritesTheNumberAndTheCodeOfTheUnmarkedPart) {
    ScriptedPrompt prompt;
    placeTile(*st, prompt, 10, 10, 5, 2, TileKind::Buildings);  // castle
    placeTile(*st, prompt, 20, 20, 4, 2, TileKind::Buildings);  // town
    setMarker(*st, kMap, 3, 11, 10);
    EXPECT_EQ(st->planes.M4.at(11, 10), 3);
    EXPECT_EQ(recordByte(kExt4Offset, 11, 10), 28);
    setMarker(*st, kMap, 6, 21, 21);
    EXPECT_EQ(recordByte(kExt4Offset, 21, 21), 31);
    expectConsistent();

    setMarker(*st, kMap, 0, 11, 10);
    setMarker(*st, kMap, 0, 21, 21);
    EXPECT_EQ(st->planes.M4.at(11, 10), 0);
    EXPECT_EQ(st->planes.Ext4.at(11, 10), feature::kCastle);
    EXPECT_EQ(st->planes.Ext4.at(21, 21), feature::kTown);
    expectConsistent();
}

TEST_F(CellWriting, RandomPlacementsWriteTheirKindOfCell) {
    placeRandomSea(*st, 1, 1, kMap);
    placeCoastTile(*st, 2, 1, 38, kMap);
    placeRoadTile(*st, 3, 1, 28);
    placeForest(*st, 4, 1);
    placeRandomGrass(*st, 1, 1, kMap);  // sea becomes land; its domain stays 0
    EXPECT_EQ(st->planes.M0.at(1, 1), 0);
    EXPECT_EQ(st->planes.M5.at(1, 1), 0);
    EXPECT_EQ(st->planes.M0.at(2, 1), 4);
    EXPECT_EQ(st->planes.M5.at(2, 1), 0);
    EXPECT_EQ(st->planes.M0.at(3, 1), 1);
    EXPECT_EQ(st->planes.M1.at(3, 1), 8);
    EXPECT_EQ(st->planes.M5.at(3, 1), 1);
    EXPECT_EQ(st->planes.M0.at(4, 1), 8);
    EXPECT_EQ(st->planes.M1.at(4, 1), 8);
    expectConsistent();
}

}  // namespace
}  // namespace d7::test
