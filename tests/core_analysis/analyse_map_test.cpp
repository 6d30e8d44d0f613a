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

const Point kNone{};

class AnalyseMapTest : public ::testing::Test {
  protected:
    std::unique_ptr<EditorState> owner = makeEditorState();
    EditorState& st = *owner;

    const Acounty& county(int d) { return st.CountyTable[std::size_t(d)]; }
    const TraderRouteRecord& route(int t) { return st.TraderRoute[std::size_t(t)]; }
    const TraderStopList& stops(int t) { return st.TraderStops[std::size_t(t)]; }
};

TEST_F(AnalyseMapTest, MapWithoutDomainsLeavesEveryRecordEmptyButTheMatricesComplete) {
    st.CountyTable[3].smithPos = {5, 5};  // from an earlier map
    st.CountyTable[3].name = "Kept";
    AnalyseMap(st);
    for (int d = 1; d <= kMaxDomain; ++d) {
        EXPECT_FALSE(county(d).used);
        EXPECT_EQ(county(d).townPos, kNone);
        EXPECT_EQ(county(d).castlePos, kNone);
        EXPECT_EQ(county(d).townRoadPos, kNone);
        EXPECT_EQ(county(d).smithPos, kNone);
    }
    EXPECT_EQ(county(3).name, "Kept");
    EXPECT_EQ(st.OldSmithPos[3], (Point{5, 5}));
    for (int k = 1; k <= kStartPositions; ++k) EXPECT_EQ(st.StartDomains[std::size_t(k)], -1);
    for (int t = 1; t <= kTraders; ++t) {
        // Every candidate is empty, so the index falls back to 3 and stays there.
        EXPECT_EQ(route(t).startDomain, 0);
        EXPECT_EQ(route(t).startIndex, 3);
        EXPECT_EQ(route(t).stopCount, 0);
    }
    for (std::uint8_t v : st.MoveMatrix.values) EXPECT_EQ(v, 3);  // unset cells are walkable
    for (std::uint8_t v : st.RoadMoveMatrix.values) EXPECT_EQ(v, 3);
}

TEST_F(AnalyseMapTest, CostMatricesFollowTheFirstMatchingRule) {
    struct Case {
        std::uint8_t m0, m5, move, road;
    };
    const Case cases[] = {
        {0x04, 1, 0, 0},    // sea
        {0x08, 1, 0, 0},    // forest or mountain
        {0x05, 1, 0, 0},    // sea wins over road
        {0x01, 32, 0, 3},   // road in land without domain
        {0x01, 17, 0, 3},   // a domain number no map may hold
        {0x01, 1, 1, 3},    // road
        {0x21, 1, 1, 0},    // road wins over field
        {0x20, 1, 6, 0},    // field
        {0x22, 1, 6, 0},    // field with border
        {0x40, 1, 100, 0},  // town
        {0x80, 1, 100, 0},  // castle or resource
        {0x10, 1, 100, 0},  // village
        {0x02, 1, 3, 3},    // border alone
        {0x03, 1, 1, 3},    // road and border
        {0x00, 0, 3, 3},    // unset cell without domain
    };
    int x = 0;
    for (const Case& c : cases) putCell(st, x++, 7, {c.m0, 0, 0, 0, 0, c.m5});
    AnalyseMap(st);
    x = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "M0 " << int(c.m0) << " M5 " << int(c.m5));
        EXPECT_EQ(st.MoveMatrix.at(x, 7), c.move);
        EXPECT_EQ(st.RoadMoveMatrix.at(x, 7), c.road);
        ++x;
    }
}

TEST_F(AnalyseMapTest, CountsBuildingsResourcesAndGrasslandPerDomain) {
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) putCell(st, x, y, {0, 0, 0, 0, 0, 2});  // 512 greens
    putCastle(st, 20, 5, 2);
    putCastle(st, 10, 10, 2);  // later in scan order: its position is kept
    putCell(st, 1, 1, {0x10, 0, 0, 0, 0, 2});
    putCell(st, 2, 1, {0x12, 0, 0, 0, 0, 2});  // village with border
    putCell(st, 3, 1, {0x20, 0, 0, 0, 0, 2});
    putCell(st, 4, 1, {0x20, 0, 0, 0, 0, 2});
    putCell(st, 5, 1, {0x22, 0, 0, 0, 0, 2});
    putCell(st, 6, 1, {0x02, 0, 0, 0, 0, 2});    // border grass is still green
    putCell(st, 1, 3, {0x80, 12, 0, 0, 0, 2});   // quarry
    putCell(st, 2, 3, {0x80, 12, 20, 0, 0, 2});  // lumber: counted on both of its cells
    putCell(st, 3, 3, {0x80, 12, 20, 1, 0, 2});
    putCell(st, 4, 3, {0x80, 12, 30, 0, 0, 2});  // mine
    putCell(st, 5, 3, {0x80, 12, 5, 0, 0, 2});   // unknown kind: no count
    putTown(st, 25, 12, 2);
    putCell(st, 40, 40, {0x40, 12, 0, 0, 0, 3});  // town of domain 3
    putCell(st, 50, 50, {0x41, 12, 0, 0, 0, 3});  // town flag plus road: not a town cell
    AnalyseMap(st);

    const Acounty& c = county(2);
    EXPECT_TRUE(c.used);
    EXPECT_EQ(c.castles, 2);
    EXPECT_EQ(c.castlePos, (Point{10, 10}));
    EXPECT_EQ(c.villages, 2);
    EXPECT_EQ(c.fields, 3);
    EXPECT_EQ(c.quarries, 1);
    EXPECT_EQ(c.lumbers, 2);
    EXPECT_EQ(c.mines, 1);
    EXPECT_EQ(c.towns, 1);
    EXPECT_EQ(c.townPos, (Point{25, 12}));
    // 512 cells minus 8 castle, 2 village, 3 field, 5 resource and 4 town cells:
    // far beyond what a byte can count.
    EXPECT_EQ(c.greens, 490);
    EXPECT_EQ(county(3).towns, 1);
    EXPECT_EQ(county(3).townPos, (Point{40, 40}));
    EXPECT_FALSE(county(4).used);
}

TEST_F(AnalyseMapTest, TownSlotsNamingOneTraderTwiceAreListedTwice) {
    fillMap(st, 0, 5);
    putTown(st, 2, 2, 5, {3, 3, 0});
    AnalyseMap(st);
    EXPECT_EQ(county(5).tradeSlot, (std::array<std::int32_t, 3>{3, 3, 0}));
    EXPECT_EQ(stops(3).count, 2);
    EXPECT_EQ(stops(3).entries[0], (TraderStopEntry{5, 1}));
    EXPECT_EQ(stops(3).entries[1], (TraderStopEntry{5, 2}));
    EXPECT_EQ(route(3).stops[0], 5);
    EXPECT_EQ(route(3).stops[1], 5);
    EXPECT_EQ(route(3).stopCount, 2);
    EXPECT_EQ(route(3).startDomain, 5);
}

TEST_F(AnalyseMapTest, TraderStartsSkipDomainsAnEarlierTraderStartsAt) {
    // Trader 1 visits D (4) only; trader 2 visits D, E (6), F (7) in that order.
    fillMap(st, 0, 1);
    putTown(st, 0, 0, 4, {1, 2, 0});
    putTown(st, 0, 10, 6, {2, 0, 0});
    putTown(st, 0, 20, 7, {2, 0, 0});
    AnalyseMap(st);
    EXPECT_EQ(route(1).startDomain, 4);
    EXPECT_EQ(route(1).startIndex, 0);
    EXPECT_EQ(route(2).startDomain, 7);
    EXPECT_EQ(route(2).startIndex, 2);
    EXPECT_EQ(route(2).stopCount, 3);

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
    EXPECT_EQ(route(2).stops[3], 10);
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
    // The slots themselves are recorded even when the lists are full.
    EXPECT_EQ(county(8).tradeSlot, (std::array<std::int32_t, 3>{1, 1, 1}));
}

TEST_F(AnalyseMapTest, AdjacencyCountsOrthogonalContactBetweenDomainsOnly) {
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            putCell(st, x, y, {0, 0, 0, 0, 0, 1});
            putCell(st, x + 10, y, {0, 0, 0, 0, 0, 2});
        }
    }
    putCell(st, 20, 10, {0, 0, 0, 0, 0, 3});  // touches domain 2 only at a corner
    putCell(st, 30, 30, {0, 0, 0, 0, 0, 4});
    putCell(st, 31, 30, {0, 0, 0, 0, 0, 32});  // land without domain between 4 and 5
    putCell(st, 32, 30, {0, 0, 0, 0, 0, 5});
    AnalyseMap(st);
    for (int d = 1; d <= kMaxDomain; ++d) {
        for (int e = 1; e <= kMaxDomain; ++e) {
            const bool expected = (d == 1 && e == 2) || (d == 2 && e == 1);
            EXPECT_EQ(st.DomainAdjacency[std::size_t(d)][std::size_t(e)], expected ? 1 : 0)
                << d << " " << e;
        }
    }
}

TEST_F(AnalyseMapTest, StartingPositionsComeFromCastlePartOneAndTheLastCastleWins) {
    fillMap(st, 0, 1);
    putCastle(st, 5, 5, 2, 3);
    putCastle(st, 5, 20, 4, 3);  // same position, later in scan order
    putCastle(st, 30, 5, 6, 1);
    putCastle(st, 40, 5, 7, 0);
    AnalyseMap(st);
    EXPECT_EQ(st.StartDomains[1], 6);
    EXPECT_EQ(st.StartDomains[2], -1);
    EXPECT_EQ(st.StartDomains[3], 4);
    EXPECT_EQ(st.StartDomains[4], -1);
    EXPECT_EQ(st.StartDomains[5], -1);
}

TEST_F(AnalyseMapTest, ValuesNoWriterProducesSetNothing) {
    fillMap(st, 0, 1);
    for (std::uint8_t d : {17, 31, 33, 200, 255}) putTown(st, d % 60, 40, d, {1, 2, 3});
    putCastle(st, 10, 10, 2, 9);  // starting position out of range
    putCastle(st, 20, 10, 3, 255);
    putTown(st, 30, 10, 4, {7, 200, 0});          // trader numbers out of range
    putCell(st, 40, 10, {0x40, 12, 0, 9, 1, 5});  // a town part number no town has
    AnalyseMap(st);
    for (int k = 1; k <= kStartPositions; ++k) EXPECT_EQ(st.StartDomains[std::size_t(k)], -1);
    for (int t = 1; t <= kTraders; ++t) EXPECT_EQ(stops(t).count, 0);
    EXPECT_EQ(route(1).stops[0], 5);  // the route still lists the cell's domain
    EXPECT_EQ(county(4).tradeSlot, (std::array<std::int32_t, 3>{0, 0, 0}));
    EXPECT_EQ(county(5).tradeSlot, (std::array<std::int32_t, 3>{0, 0, 0}));
    EXPECT_EQ(county(4).towns, 1);
    EXPECT_EQ(st.MoveMatrix.at(17 % 60, 40), 0);
    EXPECT_EQ(st.MoveMatrix.at(255 % 60, 41), 0);
}

TEST_F(AnalyseMapTest, TownRoadIsTheFirstRoadInTheSmallestSquare) {
    fillMap(st, 0, 1);
    putTown(st, 10, 10, 1);  // search centre (11, 11)
    putRoad(st, 12, 13);     // half-width 2
    putRoad(st, 13, 9);      // half-width 2, earlier row
    putRoad(st, 8, 14);      // half-width 3
    AnalyseMap(st);
    EXPECT_EQ(county(1).townRoadPos, (Point{13, 9}));
    Point found;
    EXPECT_EQ(FindRoadNear(st, 10, 10, found), 2);
    EXPECT_EQ(found, (Point{13, 9}));

    // A road four cells from the centre is too far.
    putTown(st, 40, 40, 2);
    putRoad(st, 45, 41, 2);
    // In a corner the squares are clipped to the grid.
    putTown(st, 62, 62, 3);
    putRoad(st, 60, 63, 3);
    AnalyseMap(st);
    EXPECT_EQ(county(2).townRoadPos, kNone);
    EXPECT_EQ(county(3).townRoadPos, (Point{60, 63}));

    putRoad(st, 0, 0);
    EXPECT_EQ(FindRoadNear(st, -4, -4, found), 3);  // the square just reaches (0, 0)
    EXPECT_EQ(FindRoadNear(st, -5, -5, found), 0);
    EXPECT_EQ(found, kNone);
    EXPECT_EQ(FindRoadNear(st, INT_MIN, INT_MAX, found), 0);
    EXPECT_EQ(FindRoadNear(st, INT_MAX, 0, found), 0);
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
    EXPECT_EQ(st.MoveMatrix.at(25, 21), 100);
}

TEST_F(AnalyseMapTest, DomainWithoutTownMeasuresBlacksmithFromTheGridCorner) {
    fillMap(st, 4, 0);
    for (int y = 0; y <= 10; ++y)
        for (int x = 40; x <= 50; ++x) putCell(st, x, y, {0, 0, 0, 0, 0, 2});
    putCell(st, 45, 5, {0x20, 0, 0, 0, 0, 2});
    AnalyseMap(st);
    EXPECT_EQ(county(2).smithPos, (Point{44, 5}));
}

TEST_F(AnalyseMapTest, NeighbourLookupsGiveZeroOffTheGridAndForBadArguments) {
    putCell(st, 1, 0, {7, 1, 2, 3, 4, 5});
    EXPECT_EQ(NeighbourDomain(st, 0, 0, 2), 5);
    EXPECT_EQ(NeighbourPlane(st, 0, 0, 1, 1), 7);  // (0, 1) -> (1, 0)
    EXPECT_EQ(NeighbourPlane(st, 4, 2, 1, 7), 4);  // (2, 1) -> (1, 0)
    EXPECT_EQ(NeighbourDomain(st, 0, 0, 0), 0);    // (0, -1)
    EXPECT_EQ(NeighbourDomain(st, 0, 0, 8), 0);
    EXPECT_EQ(NeighbourDomain(st, 0, 0, -1), 0);
    EXPECT_EQ(NeighbourPlane(st, 6, 0, 0, 2), 0);
    EXPECT_EQ(NeighbourPlane(st, -1, 0, 0, 2), 0);
    EXPECT_EQ(NeighbourDomain(st, INT_MAX, INT_MAX, 3), 0);
    EXPECT_EQ(NeighbourDomain(st, INT_MIN, 0, 6), 0);
}

// Random bytes in every plane, as a damaged file could hold: the pass must
// stay inside its tables and produce only values its consumers can index with.
TEST_F(AnalyseMapTest, RandomPlanesNeverProduceOutOfRangeResults) {
    Random rng(77);
    for (int round = 0; round < 40; ++round) {
        for (int p = 0; p < 6; ++p)
            for (auto& b : st.planes.cellPlane(p).bytes) {
                // Bias towards the values that matter, so towns and castles occur.
                const int r = int(rng.below(8));
                b = std::uint8_t(r < 4    ? rng.below(256)
                                 : p == 0 ? (r == 4 ? 0x40 : 0x80)
                                 : p == 1 ? 12
                                          : rng.below(8));
            }
        AnalyseMap(st);
        for (int k = 1; k <= kStartPositions; ++k) {
            const int d = st.StartDomains[std::size_t(k)];
            EXPECT_TRUE(d == -1 || (d >= 1 && d <= kMaxDomain));
        }
        for (int t = 1; t <= kTraders; ++t) {
            ASSERT_LE(stops(t).count, kMaxTraderStops);
            for (int i = 0; i < stops(t).count; ++i) {
                EXPECT_GE(stops(t).entries[std::size_t(i)].domain, 1);
                EXPECT_LE(stops(t).entries[std::size_t(i)].domain, kMaxDomain);
            }
            for (int s : route(t).stops) EXPECT_TRUE(s >= 0 && s <= kMaxDomain);
            EXPECT_TRUE(route(t).startIndex >= 0 && route(t).startIndex < kMaxRouteStops);
        }
        for (int d = 1; d <= kMaxDomain; ++d)
            for (int s : county(d).tradeSlot) EXPECT_TRUE(s >= 0 && s <= kTraders);
        for (std::uint8_t v : st.MoveMatrix.values)
            EXPECT_TRUE(v == 0 || v == 1 || v == 3 || v == 6 || v == 100);
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
        std::array<std::array<int, kMaxDomain + 1>, kMaxDomain + 1> adjacent{};
        std::array<int, kMaxDomain + 1> greens{}, fields{}, best{};
        std::array<Point, kMaxDomain + 1> smith{};
        best.fill(64);
        for (int y = 0; y < kGrid; ++y) {
            for (int x = 0; x < kGrid; ++x) {
                const int d = dom(x, y);
                if (d < 1 || d > kMaxDomain) continue;
                for (Offset o : kDirections) {
                    const int e = dom(x + o.dx, y + o.dy);
                    if (o.dx * o.dy == 0 && e >= 1 && e <= kMaxDomain && e != d)
                        adjacent[std::size_t(d)][std::size_t(e)] = 1;
                }
                greens[std::size_t(d)] += p.M0.at(x, y) == 0 || p.M0.at(x, y) == 2;
                fields[std::size_t(d)] += (p.M0.at(x, y) & 0x20) != 0;
            }
        }
        for (int y = 0; y < kGrid; ++y) {
            for (int x = 0; x < kGrid; ++x) {
                const int d = dom(x, y);
                if (d < 1 || d > kMaxDomain || p.M0.at(x, y) != 0) continue;
                bool besideField = false;
                for (int dir = 0; dir < 8; dir += 2) {
                    const int nx = x + kDirections[std::size_t(dir)].dx;
                    const int ny = y + kDirections[std::size_t(dir)].dy;
                    besideField |= dom(nx, ny) == d && p.M0.at(nx, ny) == 0x20;
                }
                const Point town = county(d).townPos;
                const int dist = std::max(std::abs(x - town.x - 1), std::abs(y - town.y - 1));
                if (besideField && dist < best[std::size_t(d)]) {
                    best[std::size_t(d)] = dist;
                    smith[std::size_t(d)] = {x, y};
                }
            }
        }
        for (int d = 1; d <= kMaxDomain; ++d) {
            SCOPED_TRACE(testing::Message() << "round " << round << " domain " << d);
            EXPECT_EQ(county(d).greens, greens[std::size_t(d)]);
            EXPECT_EQ(county(d).fields, fields[std::size_t(d)]);
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
        const auto counties = st->CountyTable;
        st->MoveMatrix.fill(0);
        AnalyseMap(*st);
        EXPECT_EQ(st->MoveMatrix.values, fromSelect.values) << "map " << n;
        for (int d = 1; d <= kMaxDomain; ++d) {
            EXPECT_EQ(st->CountyTable[std::size_t(d)].greens, counties[std::size_t(d)].greens);
            EXPECT_EQ(st->CountyTable[std::size_t(d)].used, counties[std::size_t(d)].used);
        }
    }
}

}  // namespace
}  // namespace d7
