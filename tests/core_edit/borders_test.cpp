#include <gtest/gtest.h>

#include "core/edit/borders.h"
#include "core/edit/placement.h"
#include "edit_fixture.h"

namespace d7::test {
namespace {

using Borders = EditTest;

TEST(BorderTables, BorderedTilesLeadBackToTheirPlainGroupAndSides) {
    for (int group : {0, 4, 8, 12, 16, 20, 24, 25, 26, 27, 28})
        for (int s = 1; s <= 3; ++s) {
            const int tile = borderBase(1, group) + s - 1;
            EXPECT_EQ(plainGroupOf(tile), group) << tile;
            EXPECT_EQ(borderOf(tile), s) << tile;
        }
    EXPECT_EQ(borderBase(1, 29), 76);
    EXPECT_EQ(borderBase(1, 37), 41);
    EXPECT_EQ(borderBase(1, 80), 81);
    EXPECT_EQ(borderBase(1, 38), kNoBorderTile);
    EXPECT_EQ(borderBase(0, 6), 38);
    EXPECT_EQ(borderBase(0, 21), 38);
    EXPECT_EQ(borderBase(0, 5), kNoBorderTile);
    EXPECT_EQ(borderBase(0, 22), kNoBorderTile);
    const int forestSides[] = {1, 1, 2, 2, 3};
    for (int tile = 41; tile <= 45; ++tile) {
        EXPECT_EQ(plainGroupOf(tile), 30);
        EXPECT_EQ(borderOf(tile), forestSides[tile - 41]);
    }
    for (int s = 1; s <= 3; ++s) {
        EXPECT_EQ(borderOf(37 + s), s);
        EXPECT_EQ(borderOf(80 + s), s);
        EXPECT_EQ(plainGroupOf(80 + s), 80);
    }
    for (int tile : {37, 79, 80, 84, 200}) {
        EXPECT_EQ(borderOf(tile), 0) << tile;
        EXPECT_EQ(plainGroupOf(tile), -1) << tile;
    }
}

TEST_F(Borders, SidesComeFromTheUpperNeighboursOnlyAndNeverFromSea) {
    domainRect(9, 10, 9, 10, 2);  // left of (10, 10)
    EXPECT_EQ(borderSides(st->planes, 10, 10), 2);
    domainRect(10, 9, 10, 9, 2);  // above
    EXPECT_EQ(borderSides(st->planes, 10, 10), 3);
    EXPECT_EQ(borderSides(st->planes, 9, 11), 1);  // below the left cell
    domainRect(11, 10, 11, 11, 3);                 // right and below: not upper sides
    EXPECT_EQ(borderSides(st->planes, 10, 10), 3);
    sea(9, 10);
    EXPECT_EQ(borderSides(st->planes, 10, 10), 1);
    EXPECT_EQ(borderSides(st->planes, 0, 0), 0);
}

TEST_F(Borders, GrasslandGetsAndLosesItsBorderWithTheDomainEdge) {
    domainRect(9, 10, 9, 10, 2);
    domainRect(10, 9, 10, 9, 2);
    fixBorder(*st, 10, 10);
    EXPECT_EQ(st->planes.M0.at(10, 10), 2);
    EXPECT_EQ(st->planes.M1.at(10, 10), 8);
    EXPECT_EQ(st->planes.M2.at(10, 10), 40);
    expectConsistent();

    domainRect(10, 9, 10, 9, 1);  // one side left: the tile changes
    fixBorder(*st, 10, 10);
    EXPECT_EQ(st->planes.M2.at(10, 10), 39);
    domainRect(9, 10, 9, 10, 1);
    fixBorder(*st, 10, 10);
    EXPECT_EQ(st->planes.M0.at(10, 10), 0);
    EXPECT_EQ(st->planes.M1.at(10, 10), 0);
    EXPECT_GE(st->planes.M2.at(10, 10), 6);
    EXPECT_LE(st->planes.M2.at(10, 10), 20);
    expectConsistent();
}

TEST_F(Borders, ForestShowsNoBorderTowardsAMountain) {
    ScriptedPrompt prompt;
    domainRect(8, 8, 9, 11, 2);
    placeTile(*st, prompt, 8, 10, 0, 2, TileKind::Mountains);  // (8..9, 10..11)
    forest(10, 10);
    grass(10, 11, 1);
    fixBorder(*st, 10, 10);
    fixBorder(*st, 10, 11);
    EXPECT_EQ(st->planes.M0.at(10, 10), 8);
    EXPECT_EQ(st->planes.M0.at(10, 11), 2);  // grassland does show it
    EXPECT_EQ(st->planes.M2.at(10, 11), 39);
    expectConsistent();
}

TEST_F(Borders, BuildingsFieldsAndForestKeepWhatTheyAreUnderTheBorder) {
    ScriptedPrompt prompt;
    placeTile(*st, prompt, 10, 10, building::kCastle, 2, TileKind::Buildings);
    setMarker(*st, kMap, 2, 11, 10);
    placeTile(*st, prompt, 20, 10, building::kVillage, 1, TileKind::Buildings);
    field(30, 10);
    forest(40, 10);
    domainRect(0, 9, 63, 9, 2);  // the row above all of them
    for (int x : {10, 11, 20, 30, 40}) fixBorder(*st, x, 10);
    EXPECT_EQ(st->planes.M0.at(11, 10), 0x82);
    EXPECT_EQ(st->planes.M2.at(11, 10), 38);
    EXPECT_EQ(st->planes.M3.at(11, 10), 1);
    EXPECT_EQ(st->planes.M4.at(11, 10), 2);
    EXPECT_EQ(st->planes.Ext4.at(11, 10), 27);
    EXPECT_EQ(st->planes.M0.at(20, 10), 0x12);
    EXPECT_EQ(st->planes.M0.at(30, 10), 0x22);
    EXPECT_EQ(st->planes.M2.at(30, 10), 81);
    EXPECT_EQ(st->planes.M0.at(40, 10), 0x0A);
    AnalyseMap(*st);
    EXPECT_EQ(st->CountyTable[1].castles, 1);
    EXPECT_EQ(st->StartDomains[2], 1);
    expectConsistent();

    domainRect(0, 9, 63, 9, 1);
    for (int x : {10, 11, 20, 30, 40}) fixBorder(*st, x, 10);
    EXPECT_EQ(st->planes.M0.at(11, 10), 0x80);
    EXPECT_EQ(st->planes.M1.at(11, 10), 0);
    EXPECT_EQ(st->planes.M4.at(11, 10), 2);
    EXPECT_EQ(st->planes.M0.at(20, 10), 0x10);
    EXPECT_EQ(st->planes.M0.at(30, 10), 0x20);
    EXPECT_EQ(st->planes.M2.at(30, 10), 80);
    EXPECT_EQ(st->planes.M0.at(40, 10), 0x08);
    EXPECT_GE(st->planes.M2.at(40, 10), 30);
    EXPECT_LE(st->planes.M2.at(40, 10), 37);
    expectConsistent();
}

// Where no bordered variant exists the cell stays as it is, rather than
// getting a tile number past a byte or one from an empty group.
TEST_F(Borders, TilesWithoutABorderedVariantStayAsTheyAre) {
    setCell(*st, kMap, 10, 10, {.flags = 0, .tileset = 0, .tile = 3, .code = 2});  // black
    setCell(*st, kMap, 11, 10, {.flags = 0x03, .tileset = 8, .tile = 79, .code = feature::kRoad});
    const Bytes store = st->mapStore;
    addBorder(*st, 10, 10, 3);
    removeBorder(*st, 11, 10);
    EXPECT_EQ(st->mapStore, store);
    domainRect(10, 9, 11, 9, 2);
    const Bytes withDomains = st->mapStore;
    fixBorder(*st, 10, 10);
    fixBorder(*st, 11, 10);
    EXPECT_EQ(st->mapStore, withDomains);
    EXPECT_EQ(st->planes.M2.at(11, 10), 79);
    expectConsistent();
}

TEST_F(Borders, FixAllBordersMarksEveryDomainEdgeWithoutUndo) {
    domainRect(32, 0, 63, 63, 2);  // domain 2 on the right half
    sea(40, 20);
    sink.clear();
    fixAllBorders(*st);
    EXPECT_FALSE(st->undoValid);
    EXPECT_EQ(sink.mapRedraws, 1);
    EXPECT_TRUE(sink.cells.empty());
    for (int y = 0; y < kGrid; ++y) {
        EXPECT_EQ(st->planes.M0.at(31, y), 0) << y;  // the edge shows on x = 32 only
        EXPECT_EQ(st->planes.M0.at(32, y), 2) << y;
        EXPECT_EQ(st->planes.M2.at(32, y), 39) << y;
    }
    int bordered = 0;
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) bordered += st->planes.M0.at(x, y) == 2;
    EXPECT_EQ(bordered, 64);
    expectConsistent();

    fixAllBorders(*st);  // nothing left to change
    domainRect(32, 0, 63, 63, 1);
    fixAllBorders(*st);
    for (int y = 0; y < kGrid; ++y) EXPECT_EQ(st->planes.M0.at(32, y), 0);
    expectConsistent();
}

}  // namespace
}  // namespace d7::test
