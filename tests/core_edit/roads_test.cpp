#include <gtest/gtest.h>

#include "core/edit/geometry.h"
#include "core/edit/roads.h"
#include "edit_fixture.h"

namespace d7::test {
namespace {

using Roads = EditTest;

int groupOf(int tile) {
    return tile < 24 ? tile / 4 * 4 : tile == 29 ? 28 : tile;
}

TEST_F(Roads, EverySetOfRoadNeighboursHasItsPieceAndTheEdgeImposesNothing) {
    // Bits: 1 (x-1, y), 2 (x, y-1), 4 (x+1, y), 8 (x, y+1).
    const int expected[16] = {-1, 4, 0, 20, 4, 4, 8, 27, 0, 16, 0, 26, 12, 25, 24, 28};
    const Offset sides[4] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
    for (int mask = 0; mask < 16; ++mask) {
        road(20, 20);
        for (int k = 0; k < 4; ++k)
            if (mask & (1 << k))
                road(20 + sides[k].dx, 20 + sides[k].dy);
            else
                put(20 + sides[k].dx, 20 + sides[k].dy, 0, 0, 6, feature::kGrass);
        EXPECT_EQ(roadTileFor(st->planes, 20, 20), expected[mask]) << "mask " << mask;
    }
    road(0, 5);
    road(1, 5);
    EXPECT_EQ(roadTileFor(st->planes, 0, 5), 4);
    road(63, 63);
    road(63, 62);
    EXPECT_EQ(roadTileFor(st->planes, 63, 63), 0);
}

TEST_F(Roads, RecalculatingGivesCrossingsAndKeepsLoneRoads) {
    road(40, 40, 13);
    for (auto [x, y] : {std::pair{10, 10}, {9, 10}, {11, 10}, {10, 9}, {10, 11}}) road(x, y, 17);
    sink.cells.clear();
    recalcRoads(*st);
    EXPECT_EQ(st->planes.M2.at(40, 40), 13);
    EXPECT_EQ(groupOf(st->planes.M2.at(10, 10)), 28);
    EXPECT_EQ(groupOf(st->planes.M2.at(9, 10)), 4);
    EXPECT_EQ(groupOf(st->planes.M2.at(10, 9)), 0);
    EXPECT_FALSE(st->undoValid);
    EXPECT_EQ(sink.mapRedraws, 1);
    EXPECT_TRUE(sink.cells.empty());
    expectConsistent();

    // updateRoad re-tiles the neighbours once, without spreading further.
    for (int x = 20; x <= 22; ++x) road(x, 20, 2);
    updateRoad(*st, 20, 20);
    EXPECT_EQ(groupOf(st->planes.M2.at(21, 20)), 4);
    EXPECT_EQ(st->planes.M2.at(22, 20), 2);
}

TEST_F(Roads, ABorderedRoadIsRetiledPlainAndBorderedAgain) {
    domainRect(10, 9, 11, 9, 2);  // the cells above (10, 10) and (11, 10)
    road(10, 10);
    road(10, 11);
    updateRoad(*st, 10, 10);
    EXPECT_EQ(st->planes.M0.at(10, 10), 3);
    EXPECT_EQ(st->planes.M2.at(10, 10), 46);  // group 0 with an edge towards (x, y-1)
    EXPECT_EQ(st->planes.M0.at(10, 11), 1);
    road(11, 10);
    updateRoad(*st, 11, 10);
    EXPECT_EQ(st->planes.M2.at(10, 10), 55);  // now group 12, bordered again
    EXPECT_EQ(st->planes.M2.at(11, 10), 49);
    expectConsistent();
}

TEST_F(Roads, ATracedPathBecomesRoadWhereARoadMayLie) {
    st->PathLength = 0;
    setRoadPath(*st);
    EXPECT_FALSE(st->undoValid);

    put(12, 12, 0x40, 12, 0, feature::kTown);  // where the search started
    const Point path[] = {{8, 5}, {7, 5}, {6, 5}, {6, 6}, {6, 7}, {7, 7}, {8, 7}, {8, 8}};
    const Point tail[] = {{14, 12}, {13, 12}, {12, 12}};
    std::copy(std::begin(path), std::end(path), st->PathPoints.begin());
    st->PathLength = 8;
    setRoadPath(*st);
    EXPECT_TRUE(st->undoValid);
    EXPECT_EQ(groupOf(st->planes.M2.at(8, 5)), 4);
    EXPECT_EQ(groupOf(st->planes.M2.at(6, 5)), 12);
    EXPECT_EQ(groupOf(st->planes.M2.at(6, 6)), 0);
    std::copy(std::begin(tail), std::end(tail), st->PathPoints.begin());
    st->PathLength = 3;
    setRoadPath(*st);
    EXPECT_EQ(st->planes.M0.at(12, 12), 0x40);
    EXPECT_EQ(st->planes.M0.at(13, 12), 1);
    // A path of one cell is written through like any other.
    st->PathPoints[0] = {30, 30};
    st->PathLength = 1;
    setRoadPath(*st);
    EXPECT_EQ(st->planes.M0.at(30, 30), 1);
    expectConsistent();
}

}  // namespace
}  // namespace d7::test
