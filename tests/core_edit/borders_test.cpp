#include <gtest/gtest.h>

#include "core/edit/borders.h"
#include "core/edit/placement.h"
#include "edit_fixture.h"

namespace d7::test {
namespace {

using Borders = EditTest;

TEST(BorderTables, BorderedTilesLeadBackToTheirPlainGroupAndSides) {
    for (int group : {0, 4, 8, 12, 16, 20, 24, 25, 26, 27, 28, 30, 80})
        for (int s = 1; s <= 3; ++s) {
            const int tile = borderBase(1, group) + s - 1;
            EXPECT_EQ(plainGroupOf(tile), group) << tile;
            if (group != 30) {
                EXPECT_EQ(borderOf(tile), s) << tile;
            }
        }
    EXPECT_EQ(borderBase(0, 21), 38);
    for (int tile : {5, 22}) EXPECT_EQ(borderBase(0, tile), kNoBorderTile);
    for (int tile : {38, 79}) EXPECT_EQ(borderBase(1, tile), kNoBorderTile);
    for (int tile : {37, 79, 80, 84}) EXPECT_EQ(borderOf(tile) + plainGroupOf(tile), -1) << tile;
}

TEST_F(Borders, GrasslandGetsAndLosesItsBorderWithTheDomainEdge) {
    domainRect(9, 10, 9, 10, 2);
    EXPECT_EQ(borderSides(st->planes, 10, 10), 2);
    domainRect(10, 9, 10, 9, 2);
    domainRect(11, 10, 11, 11, 3);  // right and below are no upper sides
    EXPECT_EQ(borderSides(st->planes, 10, 10), 3);
    fixBorder(*st, 10, 10);
    EXPECT_EQ(st->planes.M0.at(10, 10), 2);
    EXPECT_EQ(st->planes.M2.at(10, 10), 40);

    domainRect(10, 9, 10, 9, 1);
    fixBorder(*st, 10, 10);
    EXPECT_EQ(st->planes.M2.at(10, 10), 39);
    sea(9, 10);  // sea never makes an edge
    fixBorder(*st, 10, 10);
    EXPECT_EQ(st->planes.M0.at(10, 10), 0);
    EXPECT_EQ(st->planes.M1.at(10, 10), 0);
    expectConsistent();
}

TEST_F(Borders, ForestShowsNoBorderTowardsAMountain) {
    ScriptedPrompt prompt;
    domainRect(8, 10, 9, 11, 2);
    placeTile(*st, prompt, 8, 10, 0, 2, TileKind::Mountains);
    forest(10, 10);
    fixBorder(*st, 10, 10);
    fixBorder(*st, 10, 11);
    EXPECT_EQ(st->planes.M0.at(10, 10), 8);
    EXPECT_EQ(st->planes.M2.at(10, 11), 39);  // grassland does show it
    expectConsistent();
}

TEST_F(Borders, BuildingsFieldsAndForestKeepWhatTheyAreUnderTheBorder) {
    ScriptedPrompt prompt;
    placeTile(*st, prompt, 10, 10, building::kCastle, 2, TileKind::Buildings);
    setMarker(*st, kMap, 2, 11, 10);
    placeTile(*st, prompt, 20, 10, building::kVillage, 1, TileKind::Buildings);
    put(30, 10, 0x20, 8, 80, feature::kField);
    forest(40, 10);
    const int xs[] = {11, 20, 30, 40};
    domainRect(0, 9, 63, 9, 2);
    for (int x : xs) fixBorder(*st, x, 10);
    const int bordered[] = {0x82, 0x12, 0x22, 0x0A};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(st->planes.M0.at(xs[i], 10), bordered[i]);
    EXPECT_EQ(st->planes.M2.at(11, 10), 38);
    EXPECT_EQ(st->planes.M2.at(30, 10), 81);
    EXPECT_EQ(st->StartDomains[2], 1);
    expectConsistent();

    domainRect(0, 9, 63, 9, 1);
    for (int x : xs) fixBorder(*st, x, 10);
    const int plain[] = {0x80, 0x10, 0x20, 0x08};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(st->planes.M0.at(xs[i], 10), plain[i]);
    EXPECT_EQ(st->planes.M4.at(11, 10), 2);
    EXPECT_EQ(st->planes.M2.at(30, 10), 80);
    EXPECT_TRUE(between(st->planes.M2.at(40, 10), 30, 37));
    expectConsistent();
}

// Where no bordered variant exists the cell stays as it is, rather than
// getting a tile number past a byte or one from an empty group.
TEST_F(Borders, TilesWithoutABorderedVariantStayAsTheyAre) {
    put(10, 10, 0, 0, 3, feature::kGrass);  // black
    put(11, 10, 0x03, 8, 79, feature::kRoad);
    const Bytes store = st->mapStore;
    addBorder(*st, 10, 10, 3);
    removeBorder(*st, 11, 10);
    EXPECT_EQ(st->mapStore, store);
    domainRect(10, 9, 11, 9, 2);
    const Bytes withDomains = st->mapStore;
    fixBorder(*st, 10, 10);
    fixBorder(*st, 11, 10);
    EXPECT_EQ(st->mapStore, withDomains);
}

TEST_F(Borders, FixAllBordersMarksEveryDomainEdgeWithoutUndo) {
    domainRect(32, 0, 63, 63, 2);  // domain 2 on the right half
    sink.cells.clear();
    fixAllBorders(*st);
    EXPECT_FALSE(st->undoValid);
    EXPECT_EQ(sink.mapRedraws, 1);
    EXPECT_TRUE(sink.cells.empty());
    int bordered = 0;
    for (int y = 0; y < kGrid; ++y) {
        EXPECT_EQ(st->planes.M2.at(32, y), 39) << y;  // the edge shows on x = 32 only
        for (int x = 0; x < kGrid; ++x) bordered += st->planes.M0.at(x, y) == 2;
    }
    EXPECT_EQ(bordered, 64);
    expectConsistent();
    domainRect(32, 0, 63, 63, 1);
    fixAllBorders(*st);
    for (int y = 0; y < kGrid; ++y) EXPECT_EQ(st->planes.M0.at(32, y), 0);
}

}  // namespace
}  // namespace d7::test
