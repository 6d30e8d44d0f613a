#include "core/analysis/trade_routes.h"

#include <gtest/gtest.h>

#include "core/analysis/ai_preferences.h"
#include "core/analysis/analyse_map.h"
#include "core/edit/geometry.h"
#include "core/model/map_access.h"
#include "core_analysis/analysis_maps.h"

namespace d7 {
namespace {

bool neighbours(Point a, Point b) {
    return std::max(std::abs(a.x - b.x), std::abs(a.y - b.y)) == 1;
}

// Open grassland with three town roads set by hand, so that every leg is the
// plain walk between two cells.
class RouteCellsTest : public ::testing::Test {
  protected:
    RouteCellsTest() {
        test::fillMap(st, 0, 1);
        AnalyseMap(st);
        road(2) = {10, 10};
        road(7) = {20, 10};
        road(9) = {20, 20};
    }
    Point& road(int d) { return st.CountyTable[std::size_t(d)].townRoadPos; }
    void route(int t, std::initializer_list<int> stops, int startIndex) {
        TraderRouteRecord& r = st.TraderRoute[std::size_t(t)];
        r = TraderRouteRecord{};
        std::copy(stops.begin(), stops.end(), r.stops.begin());
        r.stopCount = int(stops.size());
        r.startIndex = startIndex;
        r.startDomain = r.stops[std::size_t(startIndex)];
    }
    const std::vector<RouteCell>& cells(int t) { return st.RouteCells[std::size_t(t)]; }

    std::unique_ptr<EditorState> owner = makeEditorState();
    EditorState& st = *owner;
};

TEST_F(RouteCellsTest, TheLeadInRunsFromTheStartStopAndTheLegsCloseTheLoop) {
    route(2, {2, 7, 9}, 2);
    BuildRouteCells(st, 2);
    EXPECT_FALSE(st.routeStale[2]);
    const auto& c = cells(2);
    ASSERT_FALSE(c.empty());
    EXPECT_EQ(routeCellText(c.front()), "S=20,20");
    // The lead-in ends at domain 7's town road; "0=" marks domain 9's.
    std::size_t k = 0;
    while (c[k].leg == RouteCell::kLeadIn) ++k;
    EXPECT_EQ(c[k - 1].cell, (Point{20, 10}));
    EXPECT_EQ(routeCellText(c[k]), "0=20,20");
    // Then the legs 0 (2 -> 7), 1 (7 -> 9), 2 (9 -> 2), each a walk of
    // neighbouring cells that ends at the next stop's town road.
    const Point ends[3] = {{20, 10}, {20, 20}, {10, 10}};
    Point from = road(2);
    for (int leg = 0; leg < 3; ++leg) {
        ++k;
        ASSERT_LT(k, c.size());
        EXPECT_EQ(c[k].leg, leg);
        EXPECT_TRUE(neighbours(from, c[k].cell)) << leg;
        while (k + 1 < c.size() && c[k + 1].leg == leg) ++k;
        EXPECT_EQ(c[k].cell, ends[leg]) << leg;
        from = c[k].cell;
    }
    EXPECT_EQ(k + 1, c.size());
}

TEST_F(RouteCellsTest, WithoutAStartTheRouteStaysEmptyAndStale) {
    route(1, {}, 0);
    st.RouteCells[1] = {{0, {1, 1}}};
    BuildRouteCells(st, 1);
    EXPECT_TRUE(cells(1).empty());
    EXPECT_TRUE(st.routeStale[1]);
    route(3, {2, 7}, 3);  // the start index points at an empty stop
    BuildRouteCells(st, 3);
    EXPECT_TRUE(cells(3).empty());
    EXPECT_TRUE(st.routeStale[3]);
    // Out-of-range records from a damaged analysis read nothing outside the tables.
    route(4, {2, 7}, 0);
    st.TraderRoute[4].startIndex = 40;
    st.TraderRoute[4].stopCount = 99;
    BuildRouteCells(st, 4);
    EXPECT_TRUE(cells(4).empty());
    BuildRouteCells(st, 0);
    BuildRouteCells(st, 7);
}

TEST_F(RouteCellsTest, AStopWithoutRoadAccessAddsNoLeg) {
    road(7) = Point{};
    route(5, {2, 7}, 0);
    BuildRouteCells(st, 5);
    EXPECT_FALSE(st.routeStale[5]);
    ASSERT_EQ(cells(5).size(), 1u);  // only the mark of the start
    EXPECT_EQ(routeCellText(cells(5)[0]), "0=10,10");
}

TEST_F(RouteCellsTest, ARoadDetourLongerThan150IsWalkedAcrossCountry) {
    // Two stops joined by a road round three sides of the map.
    test::fillMap(st, 0, 1);
    for (int x = 0; x < 64; ++x) test::putRoad(st, x, 0);
    for (int y = 0; y < 64; ++y) test::putRoad(st, 63, y);
    for (int x = 0; x < 64; ++x) test::putRoad(st, x, 63);
    AnalyseMap(st);
    road(2) = {0, 0};
    road(7) = {0, 63};
    route(6, {2, 7}, 0);
    BuildRouteCells(st, 6);
    // On roads the way round is 189 steps; across the grass it is 63, in
    // each direction. Leg 0 also holds the start's mark.
    std::size_t legs[2] = {0, 0};
    for (const RouteCell& cell : cells(6)) ++legs[cell.leg];
    EXPECT_EQ(legs[0], 1u + 63u);
    EXPECT_EQ(legs[1], 63u);
}

TEST(RouteStaleness, ANewMapLeavesEveryRouteToBeRebuilt) {
    auto st = makeEditorState();
    st->mapStore.assign(kMapStoreSize, 0);
    st->routeStale.fill(false);
    selectMap(*st, 2);
    for (int t = 1; t <= kTraders; ++t) EXPECT_TRUE(st->routeStale[std::size_t(t)]) << t;
}

TEST(TraderNames, FromTheLanguageFileOrNumbered) {
    auto st = makeEditorState();
    st->traderNames = {"Ada", "Bo"};
    EXPECT_EQ(traderName(*st, 2), "Bo");
    EXPECT_EQ(traderName(*st, 3), "Trader 3");
}

TEST(AiPreferences, NeighboursByTownDistanceWithOddNumbersFavouredAndStartsAvoided) {
    auto owner = makeEditorState();
    EditorState& st = *owner;
    auto domain = [&](int d, Point town) {
        st.CountyTable[std::size_t(d)].used = true;
        st.CountyTable[std::size_t(d)].townPos = town;
    };
    auto border = [&](int d, int e) {
        st.DomainAdjacency[std::size_t(d)][std::size_t(e)] = 1;
        st.DomainAdjacency[std::size_t(e)][std::size_t(d)] = 1;
    };
    domain(1, {10, 10});
    domain(2, {14, 10});  // distance 4
    domain(3, {22, 10});  // 12 - 10 = 2: odd wins
    domain(4, {10, 12});  // 2, but another player starts there: 42
    domain(6, {30, 30});  // borders 3 only
    border(1, 2);
    border(1, 3);
    border(1, 4);
    border(3, 6);
    st.StartDomains[1] = 1;
    st.StartDomains[2] = 4;
    const AiPreference p = aiPreferences(st, 1);
    EXPECT_EQ(p.start, 1);
    EXPECT_EQ(p.first, 3);
    // From 3 with 1 and 3 taken: 2 (8), 4 (12 + 40) and 6 (20) border the mask.
    EXPECT_EQ(p.second, 2);
    EXPECT_EQ(Prefer(st, 5, {5}), 0);          // not used
    EXPECT_EQ(aiPreferences(st, 3).start, 0);  // no start domain
    domain(5, {22, 10});
    border(1, 5);
    EXPECT_EQ(Prefer(st, 1, {1}), 3);  // 5 ties with 3 at 2 - 10: the lower number stays
}

TEST(Climate, DependsOnTheDomainNumberAndTheSeason) {
    EXPECT_EQ(climateValue(7, ClimateSeason::Summer), -8);
    EXPECT_EQ(climateValue(7, ClimateSeason::Winter), -4);
    EXPECT_EQ(climateValue(0, ClimateSeason::Summer), 4);
    EXPECT_EQ(climateValue(11, ClimateSeason::Winter), -6);
    EXPECT_EQ(climateValue(32, ClimateSeason::Summer), -12);
    EXPECT_STREQ(climateRangeText(0, ClimateSeason::Summer), "10,11");
    EXPECT_STREQ(climateRangeText(0, ClimateSeason::Winter), "0..3");
    EXPECT_EQ(climateRangeText(2, ClimateSeason::Winter), nullptr);
    EXPECT_EQ(climateColour(-10), 0x0000CDu);
}

}  // namespace
}  // namespace d7
