#include "core/analysis/analyse_map.h"

#include <gtest/gtest.h>

#include <climits>

#include "core/edit/geometry.h"
#include "core/model/map_access.h"
#include "core_analysis/analysis_maps.h"

namespace d7 {
namespace {

using test::fillMap;
using test::putCastle;
using test::putCell;
using test::putRoad;
using test::putTown;
using Slots = std::array<std::int32_t, 3>;

bool isDomainNumber(int d) {
    return d >= 1 && d <= kMaxDomain;
}

class AnalyseMapTest : public ::testing::Test {
  protected:
    std::unique_ptr<EditorState> owner = makeEditorState();
    EditorState& st = *owner;

    const Acounty& county(int d) { return st.CountyTable[std::size_t(d)]; }
    const TraderRouteRecord& route(int t) { return st.TraderRoute[std::size_t(t)]; }
    const TraderStopList& stops(int t) { return st.TraderStops[std::size_t(t)]; }
};

TEST_F(AnalyseMapTest, CostMatricesFollowTheFirstMatchingRule) {
    struct Case {
        std::uint8_t m0, m5, move, road;
    };
    const Case cases[] = {
        {0x04, 1, 0, 0},   {0x08, 1, 0, 0},   {0x05, 1, 0, 0},    // sea, obstacle, sea + road
        {0x01, 32, 0, 3},  {0x01, 17, 0, 3},  {0x01, 1, 1, 3},    // road without domain, road
        {0x21, 1, 1, 0},   {0x22, 1, 6, 0},   {0x40, 1, 100, 0},  // road beats field, field, town
        {0x80, 1, 100, 0}, {0x10, 1, 100, 0}, {0x02, 1, 3, 3},    // castle, village, border
        {0x03, 1, 1, 3},   {0x00, 0, 3, 3},                       // road + border, unset cell
    };
    int x = 0;
    for (const Case& c : cases) putCell(st, x++, 7, {c.m0, 0, 0, 0, 0, c.m5});
    AnalyseMap(st);
    x = 0;
    for (const Case& c : cases) {
        EXPECT_EQ(st.MoveMatrix.at(x, 7), c.move) << "M0 " << int(c.m0) << " M5 " << int(c.m5);
        EXPECT_EQ(st.RoadMoveMatrix.at(x++, 7), c.road) << "M0 " << int(c.m0);
    }
}

TEST_F(AnalyseMapTest, CountsBuildingsResourcesAndGrasslandPerDomain) {
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) putCell(st, x, y, {0, 0, 0, 0, 0, 2});  // 512 greens
    st.CountyTable[2].name = "Kept";
    putCastle(st, 20, 5, 2);
    putCastle(st, 10, 10, 2);  // later in scan order: its position is kept
    putCell(st, 1, 1, {0x10, 0, 0, 0, 0, 2});
    putCell(st, 2, 1, {0x12, 0, 0, 0, 0, 2});  // village with border
    putCell(st, 3, 1, {0x20, 0, 0, 0, 0, 2});
    putCell(st, 4, 1, {0x22, 0, 0, 0, 0, 2});
    putCell(st, 6, 1, {0x02, 0, 0, 0, 0, 2});    // border grass is still green
    putCell(st, 1, 3, {0x80, 12, 0, 0, 0, 2});   // quarry
    putCell(st, 2, 3, {0x80, 12, 20, 0, 0, 2});  // lumber: counted on both of its cells
    putCell(st, 3, 3, {0x80, 12, 20, 1, 0, 2});
    putCell(st, 4, 3, {0x80, 12, 30, 0, 0, 2});  // mine
    putCell(st, 5, 3, {0x80, 12, 5, 0, 0, 2});   // unknown kind: no count
    putTown(st, 25, 12, 2);
    putCell(st, 50, 50, {0x41, 12, 0, 0, 0, 3});  // town flag plus road: not a town cell
    AnalyseMap(st);

    const Acounty& c = county(2);
    EXPECT_EQ(c.name, "Kept");
    EXPECT_EQ(c.castles, 2);
    EXPECT_EQ(c.castlePos, (Point{10, 10}));
    EXPECT_EQ(c.villages, 2);
    EXPECT_EQ(c.fields, 2);
    EXPECT_EQ((std::array{c.quarries, c.lumbers, c.mines}), (std::array{1, 2, 1}));
    EXPECT_EQ(c.towns, 1);
    EXPECT_EQ(c.townPos, (Point{25, 12}));
    // 512 cells minus 8 castle, 2 village, 2 field, 5 resource and 4 town
    // cells: far beyond what a byte can count.
    EXPECT_EQ(c.greens, 491);
    EXPECT_TRUE(county(3).used);
    EXPECT_EQ(county(3).towns, 0);
    EXPECT_FALSE(county(4).used);
    EXPECT_EQ(county(4).castlePos, Point{});
}

TEST_F(AnalyseMapTest, TraderStopsRoutesAndStarts) {
    // Trader 1 visits D (4) only; trader 2 visits D, E (6), F (7); trader 3
    // is named twice by one town.
    fillMap(st, 0, 1);
    putTown(st, 0, 0, 4, {1, 2, 0});
    putTown(st, 0, 10, 6, {2, 0, 0});
    putTown(st, 0, 20, 7, {2, 0, 0});
    putTown(st, 10, 20, 5, {3, 3, 0});
    AnalyseMap(st);
    EXPECT_EQ(route(1).startDomain, 4);
    EXPECT_EQ(route(1).startIndex, 0);
    EXPECT_EQ(route(2).startDomain, 7);
    EXPECT_EQ(route(2).startIndex, 2);
    EXPECT_EQ(route(2).stopCount, 3);
    EXPECT_EQ(county(5).tradeSlot, (Slots{3, 3, 0}));
    EXPECT_EQ(stops(3).count, 2);
    EXPECT_EQ(stops(3).entries[1], (TraderStopEntry{5, 2}));
    EXPECT_EQ(route(3).stopCount, 2);
    // A trader without stops: every candidate is empty and the index ends at 3.
    EXPECT_EQ(route(4).startDomain, 0);
    EXPECT_EQ(route(4).startIndex, 3);

    // Without F the candidate at index 2 is empty: the index falls back to 3,
    // which is empty too, and the trader gets no start.
    putTown(st, 0, 20, 7, {0, 0, 0});
    AnalyseMap(st);
    EXPECT_EQ(route(2).startDomain, 0);
    EXPECT_EQ(route(2).startIndex, 3);

    // Stops D, 9, D, 10: indices 0 and 2 collide, 4 is empty, so index 3 wins.
    putTown(st, 0, 20, 4, {2, 0, 0});
    putTown(st, 0, 30, 10, {2, 0, 0});
    putTown(st, 0, 10, 9, {2, 0, 0});
    AnalyseMap(st);
    EXPECT_EQ(route(2).startDomain, 10);
    EXPECT_EQ(route(2).startIndex, 3);
}

TEST_F(AnalyseMapTest, TraderListsStopAtTheirCapacity) {
    fillMap(st, 0, 1);
    for (std::uint8_t d = 1; d <= 8; ++d) putTown(st, 10, 5 * d, d, {1, 1, 1});  // 24 slots
    AnalyseMap(st);
    EXPECT_EQ(stops(1).count, kMaxTraderStops);
    EXPECT_EQ(stops(1).entries[20], (TraderStopEntry{7, 3}));
    EXPECT_EQ(route(1).stopCount, kMaxRouteStops);
    EXPECT_EQ(route(1).stops[15], 6);
    EXPECT_EQ(county(8).tradeSlot, (Slots{1, 1, 1}));  // recorded even when the lists are full
}

TEST_F(AnalyseMapTest, StartingPositionsAndValuesNoWriterProduces) {
    fillMap(st, 0, 1);
    putCastle(st, 5, 5, 2, 3);
    putCastle(st, 5, 20, 4, 3);  // same position, later in scan order: wins
    putCastle(st, 30, 5, 6, 1);
    // Out of range: domain numbers, starting positions, trader and part numbers.
    for (std::uint8_t d : {17, 31, 33, 200, 255}) putTown(st, d % 60, 40, d, {1, 2, 3});
    putCastle(st, 10, 10, 2, 9);
    putCastle(st, 20, 10, 3, 255);
    putTown(st, 30, 10, 4, {7, 200, 0});
    putCell(st, 40, 10, {0x40, 12, 0, 9, 1, 5});
    AnalyseMap(st);
    EXPECT_EQ(st.StartDomains, (std::array<std::int32_t, 6>{-1, 6, -1, 4, -1, -1}));
    for (int t = 1; t <= kTraders; ++t) EXPECT_EQ(stops(t).count, 0);
    EXPECT_EQ(route(1).stops[0], 5);  // the route still lists the cell's domain
    EXPECT_EQ(county(4).tradeSlot, (Slots{0, 0, 0}));
    EXPECT_EQ(county(5).tradeSlot, (Slots{0, 0, 0}));
    EXPECT_EQ(st.MoveMatrix.at(17, 40), 0);

    EXPECT_EQ(NeighbourDomain(st, 4, 5, 3), 2);  // (5, 6), part of the first castle
    EXPECT_EQ(NeighbourDomain(st, 0, 0, 0), 0);  // off the grid
    EXPECT_EQ(NeighbourDomain(st, 0, 0, 8), 0);
    EXPECT_EQ(NeighbourPlane(st, 6, 0, 0, 2), 0);
    EXPECT_EQ(NeighbourDomain(st, INT_MAX, INT_MIN, 3), 0);
}

TEST_F(AnalyseMapTest, TownRoadIsTheFirstRoadInTheSmallestSquare) {
    fillMap(st, 0, 1);
    putTown(st, 10, 10, 1);  // search centre (11, 11)
    putRoad(st, 12, 13);     // half-width 2
    putRoad(st, 13, 9);      // half-width 2, earlier row
    putRoad(st, 8, 14);      // half-width 3
    putTown(st, 40, 40, 2);
    putRoad(st, 45, 41, 2);  // four cells from the centre: too far
    putTown(st, 62, 62, 3);
    putRoad(st, 60, 63, 3);  // in the corner the squares are clipped
    AnalyseMap(st);
    EXPECT_EQ(county(1).townRoadPos, (Point{13, 9}));
    EXPECT_EQ(county(2).townRoadPos, Point{});
    EXPECT_EQ(county(3).townRoadPos, (Point{60, 63}));

    Point found;
    putRoad(st, 0, 0);
    EXPECT_EQ(FindRoadNear(st, -4, -4, found), 3);  // the square just reaches (0, 0)
    EXPECT_EQ(FindRoadNear(st, -5, -5, found), 0);
    EXPECT_EQ(found, Point{});
    EXPECT_EQ(FindRoadNear(st, INT_MAX, INT_MIN, found), 0);
}

TEST_F(AnalyseMapTest, BlacksmithGoesBesideAPlainFieldNearestTheTown) {
    fillMap(st, 0, 1);
    putTown(st, 20, 20, 1);  // distances measured from (21, 21)
    putCell(st, 26, 21, {0x20, 0, 0, 0, 0, 1});
    putCell(st, 16, 21, {0x20, 0, 0, 0, 0, 1});
    putCell(st, 21, 26, {0x20, 0, 0, 0, 0, 1});
    putCell(st, 23, 21, {0x22, 0, 0, 0, 0, 1});  // field with border: not a plain field
    putCell(st, 21, 18, {0x20, 0, 0, 0, 0, 2});  // field of another domain
    AnalyseMap(st);
    // (17, 21), (25, 21) and (21, 25) all lie 4 away: the first in scan order wins.
    EXPECT_EQ(county(1).smithPos, (Point{17, 21}));
    EXPECT_EQ(st.MoveMatrix.at(17, 21), 100);

    putCell(st, 17, 21, {0x02, 0, 0, 0, 0, 1});  // border grass never takes the smith
    AnalyseMap(st);
    EXPECT_EQ(county(1).smithPos, (Point{25, 21}));
    EXPECT_EQ(st.OldSmithPos[1], (Point{17, 21}));
    EXPECT_EQ(st.MoveMatrix.at(17, 21), 3);
}

// Random bytes in every plane, as a damaged file could hold: the pass must
// stay inside its tables and produce only values its consumers can index with.
TEST_F(AnalyseMapTest, RandomPlanesNeverProduceOutOfRangeResults) {
    Random rng(77);
    for (int round = 0; round < 40; ++round) {
        for (int p = 0; p < 6; ++p) {
            for (auto& b : st.planes.cellPlane(p).bytes) {
                const int r = rng.below(8);  // biased so that towns and castles occur
                const int likely = p == 0 ? (r == 4 ? 0x40 : 0x80) : p == 1 ? 12 : rng.below(8);
                b = std::uint8_t(r < 4 ? rng.below(256) : likely);
            }
        }
        AnalyseMap(st);
        for (int d : st.StartDomains) EXPECT_TRUE(d == -1 || (d >= 1 && d <= kMaxDomain));
        for (int t = 1; t <= kTraders; ++t) {
            ASSERT_LE(stops(t).count, kMaxTraderStops);
            for (int i = 0; i < stops(t).count; ++i)
                EXPECT_TRUE(isDomainNumber(stops(t).entries[std::size_t(i)].domain));
            for (int s : route(t).stops) EXPECT_TRUE(s == 0 || isDomainNumber(s));
            EXPECT_TRUE(route(t).startIndex >= 0 && route(t).startIndex < kMaxRouteStops);
        }
        for (int d = 1; d <= kMaxDomain; ++d)
            for (int s : county(d).tradeSlot) EXPECT_TRUE(s >= 0 && s <= kTraders);
    }
}

// The pass works in runs of one domain and in words of eight cells; on
// patchy random maps it must agree with the rules applied cell by cell.
TEST_F(AnalyseMapTest, RunWiseScansAgreeWithTheRulesAppliedCellByCell) {
    const std::uint8_t kinds[] = {0, 0, 0, 0, 2, 0x20, 0x20, 0x22, 0x10, 0x01, 0x04, 0x08};
    const std::uint8_t domains[] = {0, 1, 2, 3, 4, 5, 16, 32, 40};
    Random rng(5);
    for (int round = 0; round < 30; ++round) {
        std::uint8_t block[16][16];
        for (auto& row : block)
            for (auto& d : row) d = domains[rng.below(int(sizeof domains))];
        // Horizontal bands (contact only across rows), plain blocks, noisy blocks.
        const int shape = round % 3;
        for (int y = 0; y < kGrid; ++y) {
            for (int x = 0; x < kGrid; ++x) {
                std::uint8_t d = block[y / 4][shape == 0 ? 0 : x / 4];
                if (shape == 2 && rng.below(8) == 0) d = domains[rng.below(int(sizeof domains))];
                putCell(st, x, y, {kinds[rng.below(int(sizeof kinds))], 0, 0, 0, 0, d});
            }
        }
        for (int t = rng.below(4); t > 0; --t)
            putTown(st, rng.below(kGrid - 1), rng.below(kGrid - 1), std::uint8_t(1 + rng.below(5)));
        AnalyseMap(st);

        const WorkingPlanes& p = st.planes;
        auto dom = [&](int x, int y) { return inMap(x, y) ? int(p.M5.at(x, y)) : 0; };
        auto m0 = [&](int x, int y) { return inMap(x, y) ? int(p.M0.at(x, y)) : -1; };
        std::array<std::array<int, kMaxDomain + 1>, kMaxDomain + 1> adjacent{};
        std::array<int, kMaxDomain + 1> greens{}, best{};
        std::array<Point, kMaxDomain + 1> smith{};
        best.fill(64);
        for (int y = 0; y < kGrid; ++y) {
            for (int x = 0; x < kGrid; ++x) {
                const int d = dom(x, y);
                if (!isDomainNumber(d)) continue;
                bool besideField = false;
                for (int dir = 0; dir < 8; dir += 2) {
                    const int nx = x + kDirections[std::size_t(dir)].dx;
                    const int ny = y + kDirections[std::size_t(dir)].dy;
                    if (isDomainNumber(dom(nx, ny)) && dom(nx, ny) != d)
                        adjacent[std::size_t(d)][std::size_t(dom(nx, ny))] = 1;
                    besideField |= dom(nx, ny) == d && m0(nx, ny) == 0x20;
                }
                greens[std::size_t(d)] += m0(x, y) == 0 || m0(x, y) == 2;
                const Point town = county(d).townPos;
                const int dist = std::max(std::abs(x - town.x - 1), std::abs(y - town.y - 1));
                if (m0(x, y) == 0 && besideField && dist < best[std::size_t(d)]) {
                    best[std::size_t(d)] = dist;
                    smith[std::size_t(d)] = {x, y};
                }
            }
        }
        for (int d = 1; d <= kMaxDomain; ++d) {
            SCOPED_TRACE(testing::Message() << "round " << round << " domain " << d);
            EXPECT_EQ(county(d).greens, greens[std::size_t(d)]);
            EXPECT_EQ(county(d).smithPos, smith[std::size_t(d)]);
            for (int e = 1; e <= kMaxDomain; ++e)
                EXPECT_EQ(st.DomainAdjacency[std::size_t(d)][std::size_t(e)],
                          adjacent[std::size_t(d)][std::size_t(e)]);
        }
    }
}

TEST(AnalyseMapSelect, SelectingAMapRunsThePass) {
    test::TempDir dir;
    test::writeMapSet(dir.path(), 5);
    auto st = test::loadTestMapSet(dir.path());
    for (int n : {0, 7, 59}) {
        selectMap(*st, n);
        const CostMatrix fromSelect = st->MoveMatrix;
        st->MoveMatrix.fill(0);
        AnalyseMap(*st);
        EXPECT_EQ(st->MoveMatrix.values, fromSelect.values) << "map " << n;
    }
}

}  // namespace
}  // namespace d7
