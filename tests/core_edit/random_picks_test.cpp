#include <gtest/gtest.h>

#include <map>

#include "core/edit/borders.h"
#include "core/edit/tile_groups.h"
#include "edit_fixture.h"

namespace d7::test {
namespace {

template <typename Pick>
std::map<int, int> histogram(int draws, Pick pick) {
    std::map<int, int> h;
    for (int i = 0; i < draws; ++i) ++h[pick()];
    return h;
}

TEST(RandomPicks, ShortPickSkipsTheLastVariantHalfPickHalvesIt) {
    Random rng(11);
    auto grass = histogram(30000, [&] { return shortPick(rng, 0, 6); });
    ASSERT_EQ(grass.size(), 15u);
    EXPECT_EQ(grass.rbegin()->first, 20);
    for (auto [tile, n] : grass) EXPECT_NEAR(n, 2000, 250) << tile;
    EXPECT_EQ(histogram(2000, [&] { return shortPick(rng, 0, 22); }).rbegin()->first, 36);

    auto forest = histogram(30000, [&] { return halfPick(rng, 8, 30); });
    ASSERT_EQ(forest.size(), 8u);
    for (int tile = 30; tile < 37; ++tile) EXPECT_NEAR(forest[tile], 4000, 300) << tile;
    EXPECT_NEAR(forest[37], 2000, 250);
    EXPECT_EQ(histogram(50, [&] { return halfPick(rng, 8, 24); }).size(), 1u);
    EXPECT_EQ(halfPick(rng, 0, 79), 79);  // no group starts there
}

using RandomPlacement = EditTest;

TEST_F(RandomPlacement, ForestBorderTakesItsSecondVariantInAThirdOfTheCases) {
    std::map<int, int> seen;
    for (int i = 0; i < 3000; ++i) {
        forest(10, 10);
        addBorder(*st, 10, 10, 1 + i % 3);
        ++seen[st->planes.M2.at(10, 10)];
    }
    EXPECT_NEAR(seen[41], 667, 80);
    EXPECT_NEAR(seen[42], 333, 80);
    EXPECT_NEAR(seen[43], 667, 80);
    EXPECT_NEAR(seen[44], 333, 80);
    EXPECT_EQ(seen[45], 1000);
    expectConsistent();
}

}  // namespace
}  // namespace d7::test
