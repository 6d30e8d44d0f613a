#include <gtest/gtest.h>

#include <map>

#include "core/edit/borders.h"
#include "core/edit/random_tiles.h"
#include "core/edit/tile_groups.h"
#include "edit_fixture.h"

namespace d7::test {
namespace {

TEST(TileGroups, SizesOfGroupsAndNonGroups) {
    EXPECT_EQ(groupSize(0, 6), 16);
    EXPECT_EQ(groupSize(0, 22), 16);
    EXPECT_EQ(groupSize(0, 54), 2);
    EXPECT_EQ(groupSize(0, 78), 2);
    EXPECT_EQ(groupSize(0, 79), 0);
    EXPECT_EQ(groupSize(0, 95), 1);
    EXPECT_EQ(groupSize(0, 108), 4);
    EXPECT_EQ(groupSize(0, 122), 1);
    EXPECT_EQ(groupSize(0, 123), 0);
    EXPECT_EQ(groupSize(0, 7), 0);
    EXPECT_EQ(groupSize(8, 28), 2);
    EXPECT_EQ(groupSize(8, 29), 0);
    EXPECT_EQ(groupSize(8, 30), 8);
    EXPECT_EQ(groupSize(8, 80), 1);
    EXPECT_EQ(groupSize(4, 0), 0);
    EXPECT_EQ(groupSize(12, 0), 0);
}

// Counts of each tile over many picks.
template <typename Pick>
std::map<int, int> histogram(int draws, Pick pick) {
    std::map<int, int> h;
    for (int i = 0; i < draws; ++i) ++h[pick()];
    return h;
}

TEST(TileGroups, TheShortPickNeverGivesTheLastVariant) {
    Random rng(11);
    auto grass = histogram(30000, [&] { return shortPick(rng, 0, 6); });
    EXPECT_EQ(grass.begin()->first, 6);
    EXPECT_EQ(grass.rbegin()->first, 20);
    EXPECT_EQ(grass.size(), 15u);
    for (auto [tile, n] : grass) EXPECT_NEAR(n, 2000, 250) << tile;
    auto sea = histogram(3000, [&] { return shortPick(rng, 0, 22); });
    EXPECT_EQ(sea.begin()->first, 22);
    EXPECT_EQ(sea.rbegin()->first, 36);
}

TEST(TileGroups, TheHalfPickGivesTheLastVariantHalfAsOften) {
    Random rng(12);
    auto forest = histogram(30000, [&] { return halfPick(rng, 8, 30); });
    ASSERT_EQ(forest.size(), 8u);
    EXPECT_EQ(forest.begin()->first, 30);
    for (int tile = 30; tile < 37; ++tile) EXPECT_NEAR(forest[tile], 4000, 300) << tile;
    EXPECT_NEAR(forest[37], 2000, 250);

    auto crossing = histogram(3000, [&] { return halfPick(rng, 8, 28); });
    EXPECT_NEAR(crossing[28], 2000, 150);
    EXPECT_NEAR(crossing[29], 1000, 150);
    // A group of one, and a tile that starts no group, give the first tile.
    EXPECT_EQ(histogram(50, [&] { return halfPick(rng, 8, 24); }).size(), 1u);
    EXPECT_EQ(halfPick(rng, 0, 79), 79);
}

using RandomPlacement = EditTest;

TEST_F(RandomPlacement, ForestBorderTakesItsSecondVariantInAThirdOfTheCases) {
    std::map<int, int> seen;
    for (int i = 0; i < 3000; ++i) {
        forest(10, 10);
        addBorder(*st, 10, 10, 1 + i % 3);
        ++seen[st->planes.M2.at(10, 10)];
        ASSERT_EQ(st->planes.M0.at(10, 10), 0x0A);
    }
    EXPECT_NEAR(seen[41], 667, 80);
    EXPECT_NEAR(seen[42], 333, 80);
    EXPECT_NEAR(seen[43], 667, 80);
    EXPECT_NEAR(seen[44], 333, 80);
    EXPECT_EQ(seen[45], 1000);
    expectConsistent();
}

TEST_F(RandomPlacement, TheSameSeedGivesTheSameVariants) {
    auto tiles = [&] {
        std::vector<int> out;
        for (int x = 0; x < 20; ++x) {
            placeRandomGrass(*st, x, 0, kMap);
            placeCoastTile(*st, x, 1, 96, kMap);
            out.push_back(st->planes.M2.at(x, 0));
            out.push_back(st->planes.M2.at(x, 1));
        }
        return out;
    };
    st->rng.reseed(99);
    auto first = tiles();
    st->rng.reseed(99);
    EXPECT_EQ(tiles(), first);
    for (int x = 0; x < 20; ++x) {
        EXPECT_GE(st->planes.M2.at(x, 1), 96);
        EXPECT_LE(st->planes.M2.at(x, 1), 99);
    }
}

}  // namespace
}  // namespace d7::test
