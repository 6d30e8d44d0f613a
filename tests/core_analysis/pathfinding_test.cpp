#include "core/analysis/pathfinding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <queue>
#include <vector>

#include "core/analysis/analyse_map.h"
#include "core/analysis/developer_views.h"
#include "core/edit/geometry.h"
#include "core_analysis/analysis_maps.h"

namespace d7 {
namespace {

using test::fillMap;
using test::putCell;
using test::putRoad;

class PathTest : public ::testing::Test {
  protected:
    std::unique_ptr<EditorState> owner = makeEditorState();
    EditorState& st = *owner;

    int dist(int x, int y) { return st.DistMatrix.at(x, y); }
    std::vector<Point> path() {
        return {st.PathPoints.begin(), st.PathPoints.begin() + st.PathLength};
    }
    // Number of changes of direction along the stored path.
    int turns() {
        int n = 0;
        for (int i = 2; i < st.PathLength; ++i) {
            const Point a = st.PathPoints[std::size_t(i - 2)],
                        b = st.PathPoints[std::size_t(i - 1)], c = st.PathPoints[std::size_t(i)];
            if (b.x - a.x != c.x - b.x || b.y - a.y != c.y - b.y) ++n;
        }
        return n;
    }
};

TEST_F(PathTest, SourceUnreachedAndOffGridTargets) {
    fillMap(st, 0, 1);
    for (int y = 0; y < kGrid; ++y) putCell(st, 30, y, {4, 0, 0, 0, 0, 0});  // a sea strait
    AnalyseMap(st);
    EXPECT_EQ(TracePath(st, 9, 4).steps, -1);  // no search yet
    BuildDistances(st, st.MoveMatrix, 9, 4, false);
    EXPECT_EQ(TracePath(st, 9, 4).steps, 0);
    EXPECT_EQ(st.PathLength, 0);
    EXPECT_EQ(TraceRoad(st, 9, 4, false), 0);
    EXPECT_EQ(path(), (std::vector<Point>{{9, 4}}));

    EXPECT_EQ(dist(40, 5), 0);
    EXPECT_EQ(TracePath(st, 40, 5).steps, 0);
    // As a distance, though, an unreached town is no walk at all; the source
    // itself is no walk away.
    EXPECT_EQ(RoadDistance(st, Point{9, 4}, Point{40, 5}, false).steps, -1);
    EXPECT_EQ(st.PathLength, 0);
    EXPECT_EQ(RoadDistance(st, Point{9, 4}, Point{9, 4}, true).steps, 0);
    BuildDistances(st, st.MoveMatrix, 9, 4, false);
    // An unreached target is not a one-cell road: nothing is stored.
    EXPECT_EQ(TraceRoad(st, 40, 5, true), 0);
    EXPECT_EQ(st.PathLength, 0);

    EXPECT_EQ(TracePath(st, -1, 5).steps, -1);
    EXPECT_EQ(TraceRoad(st, INT_MAX, INT_MIN, false), -1);
    EXPECT_EQ(RoadDistance(st, Point{-1, -1}, Point{5, 5}, false).steps, -1);
    EXPECT_EQ(RoadDistance(st, Point{5, 5}, Point{-1, -1}, true).steps, -1);
    // A search from off the grid reaches nothing, and traces report no path.
    BuildDistances(st, st.MoveMatrix, 64, 0, false);
    EXPECT_TRUE(std::all_of(st.DistMatrix.values.begin(), st.DistMatrix.values.end(),
                            [](std::int32_t d) { return d == 0; }));
    EXPECT_EQ(TracePath(st, 6, 6).steps, -1);
    EXPECT_EQ(TraceRoad(st, 6, 6, false), -1);
}

TEST_F(PathTest, ACellReachedOnlyDiagonallyBetweenObstaclesHasNoRoadTrace) {
    fillMap(st, 0, 1);
    putCell(st, 11, 10, {8, 8, 0, 0, 0, 1});
    putCell(st, 10, 11, {8, 8, 0, 0, 0, 1});
    AnalyseMap(st);
    BuildDistances(st, st.RoadMoveMatrix, 10, 10, false);
    EXPECT_EQ(dist(11, 11), 4);
    EXPECT_EQ(TraceRoad(st, 11, 11, false), -1);
    EXPECT_EQ(TraceRoad(st, 11, 11, true), -1);
    const TraceResult r = TracePath(st, 11, 11);
    EXPECT_EQ(r.steps, 1);
    EXPECT_EQ(r.offroad, 1);
}

TEST_F(PathTest, TraceFollowsTheRoadOrthogonallyBeforeTryingDiagonals) {
    fillMap(st, 0, 1);
    for (int y = 0; y <= 6; ++y) putRoad(st, 6, y);  // from the source (6, 0) down
    for (int x = 3; x <= 6; ++x) putRoad(st, x, 6);  // then west along row 6
    AnalyseMap(st);
    BuildDistances(st, st.MoveMatrix, 6, 0, false);
    EXPECT_EQ(dist(6, 5), 6);
    EXPECT_EQ(dist(6, 6), 7);
    EXPECT_EQ(dist(5, 6), 8);
    // (6, 5) is the lowest neighbour of (5, 6), but only diagonally: the trace
    // stays on the road through (6, 6).
    const TraceResult r = TracePath(st, 5, 6);
    EXPECT_EQ(r.steps, 7);
    EXPECT_EQ(r.offroad, 0);
    ASSERT_GE(st.PathLength, 2);
    EXPECT_EQ(st.PathPoints[0], (Point{5, 6}));
    EXPECT_EQ(st.PathPoints[1], (Point{6, 6}));
    EXPECT_EQ(st.PathPoints[6], (Point{6, 1}));

    // No diagonal step leaves a road, even on the road tool's matrix where the
    // road costs 3 like grass; entering one diagonally is allowed, and a
    // trace from it falls back to the diagonals.
    putRoad(st, 40, 41);
    AnalyseMap(st);
    BuildDistances(st, st.RoadMoveMatrix, 40, 41, false);
    EXPECT_EQ(dist(41, 40), 7);
    BuildDistances(st, st.MoveMatrix, 41, 40, false);
    EXPECT_EQ(dist(40, 41), 2);
    const TraceResult d = TracePath(st, 40, 41);
    EXPECT_EQ(d.steps, 1);
    EXPECT_EQ(d.offroad, 0);
}

TEST_F(PathTest, RoadsOnlyChargesEveryStepOffTheRoadAHundred) {
    fillMap(st, 0, 1);
    for (int x = 0; x <= 10; ++x) putRoad(st, x, 0);
    AnalyseMap(st);
    TraceResult r = RoadDistance(st, Point{0, 0}, Point{11, 0}, true);
    EXPECT_EQ(dist(11, 0), 1 + 10 + 100);
    EXPECT_EQ(r.steps, 11);
    EXPECT_EQ(r.offroad, 1);
    r = RoadDistance(st, Point{0, 0}, Point{11, 0}, false);
    EXPECT_EQ(dist(11, 0), 1 + 10 + 3);
    EXPECT_EQ(r.steps, 11);
}

TEST_F(PathTest, RoadTraceMakesAStaircaseUnlessStraightRoadsArePreferred) {
    fillMap(st, 1, 1);  // a road everywhere: no diagonal steps at all
    AnalyseMap(st);
    BuildDistances(st, st.RoadMoveMatrix, 0, 0, false);
    EXPECT_EQ(TraceRoad(st, 4, 3, false), 7);
    EXPECT_EQ(st.PathLength, 8);
    EXPECT_EQ(st.PathPoints[7], (Point{0, 0}));
    EXPECT_EQ(turns(), 6);
    EXPECT_EQ(TraceRoad(st, 4, 3, true), 7);
    EXPECT_EQ(turns(), 1);
    EXPECT_EQ(st.PathPoints[4], (Point{0, 3}));

    // On grass the field allows diagonal steps; the road walk still ends at
    // the source in orthogonal steps away from the grid's edges.
    fillMap(st, 0, 1);
    AnalyseMap(st);
    BuildDistances(st, st.RoadMoveMatrix, 20, 20, false);
    for (bool straight : {false, true}) {
        EXPECT_EQ(TraceRoad(st, 27, 24, straight), 11) << straight;
        EXPECT_EQ(st.PathPoints[11], (Point{20, 20}));
    }
}

TEST_F(PathTest, PathsLongerThanTheirStoreAreRefused) {
    // A road snake: corridors on the even rows, joined at alternate ends.
    fillMap(st, 4, 0);
    std::vector<Point> order;
    for (int row = 0; row < kGrid; row += 2) {
        for (int i = 0; i < kGrid; ++i) order.push_back({(row / 2) % 2 ? kGrid - 1 - i : i, row});
        if (row + 1 < kGrid) order.push_back({(row / 2) % 2 ? 0 : kGrid - 1, row + 1});
    }
    for (Point p : order) putRoad(st, p.x, p.y);
    AnalyseMap(st);
    BuildDistances(st, st.MoveMatrix, 0, 0, false);
    EXPECT_EQ(dist(order[800].x, order[800].y), 801);

    EXPECT_EQ(TracePath(st, order[800].x, order[800].y).steps, 800);
    EXPECT_EQ(st.PathLength, 800);
    EXPECT_EQ(st.PathPoints[799], order[1]);
    EXPECT_EQ(TracePath(st, order[801].x, order[801].y).steps, -1);
    EXPECT_EQ(TracePath(st, order.back().x, order.back().y).steps, -1);

    // The road trace also stores the source, so it has one step less room.
    BuildDistances(st, st.RoadMoveMatrix, 0, 0, false);
    EXPECT_EQ(TraceRoad(st, order[799].x, order[799].y, false), 799);
    EXPECT_EQ(st.PathLength, 800);
    EXPECT_EQ(TraceRoad(st, order[800].x, order[800].y, false), -1);
}

// The same step rules as a textbook Dijkstra over the 64 x 64 grid.
std::vector<int> referenceDistances(const EditorState& st, const CostMatrix& m, int sx, int sy,
                                    bool roadsOnly) {
    std::vector<int> d(kCellCount, 0);
    using Entry = std::pair<int, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    d[std::size_t(sy * kGrid + sx)] = 1;
    open.push({1, sy * kGrid + sx});
    while (!open.empty()) {
        auto [dc, c] = open.top();
        open.pop();
        if (dc != d[std::size_t(c)]) continue;
        const int x = c % kGrid, y = c / kGrid;
        for (int dir = 0; dir < 8; ++dir) {
            if (dir % 2 == 1 && st.MoveMatrix.at(x, y) == 1) continue;
            const int nx = x + kDirections[std::size_t(dir)].dx;
            const int ny = y + kDirections[std::size_t(dir)].dy;
            if (!inMap(nx, ny)) continue;
            int k = m.at(nx, ny);
            if (k == 0) continue;
            if (roadsOnly && k > 1) k = 100;
            int& dn = d[std::size_t(ny * kGrid + nx)];
            if (dn == 0 || dn > dc + k) {
                dn = dc + k;
                open.push({dn, ny * kGrid + nx});
            }
        }
    }
    return d;
}

// A walk stored by TracePath: from the target down to a neighbour of the
// source, each step to a neighbour of strictly smaller distance.
void expectDescendingWalk(const EditorState& st, Point target, Point source, TraceResult r) {
    ASSERT_EQ(r.steps, st.PathLength);
    ASSERT_GT(r.steps, 0);
    EXPECT_EQ(st.PathPoints[0], target);
    int offroad = 0;
    for (int i = 0; i < st.PathLength; ++i) {
        const Point a = st.PathPoints[std::size_t(i)];
        const Point b = i + 1 < st.PathLength ? st.PathPoints[std::size_t(i + 1)] : source;
        EXPECT_LE(std::max(std::abs(a.x - b.x), std::abs(a.y - b.y)), 1);
        EXPECT_LT(st.DistMatrix.at(b.x, b.y), st.DistMatrix.at(a.x, a.y));
        EXPECT_GT(st.DistMatrix.at(b.x, b.y), 0);
        if (st.MoveMatrix.at(a.x, a.y) != 1) ++offroad;
    }
    EXPECT_EQ(r.offroad, offroad);
}

TEST(PathProperty, DistancesEqualAPlainDijkstraOnRandomMaps) {
    // Cell kinds in proportions that give open land, roads, obstacles and buildings.
    const std::uint8_t kinds[] = {0, 0, 0, 0, 0, 2, 1, 1, 1, 3, 4, 8, 8, 0x10, 0x20, 0x40, 0x80};
    const std::uint8_t domains[] = {1, 1, 1, 2, 3, 16, 0, 32, 17};
    Random rng(2024);
    auto owner = makeEditorState();
    EditorState& st = *owner;
    for (int round = 0; round < 60; ++round) {
        const int roadShare = rng.below(3);  // some maps are mostly road
        for (int y = 0; y < kGrid; ++y) {
            for (int x = 0; x < kGrid; ++x) {
                std::uint8_t m0 = kinds[rng.below(int(sizeof kinds))];
                if (roadShare == 2 && rng.below(2)) m0 = 1;
                putCell(st, x, y, {m0, 0, 0, 0, 0, domains[rng.below(int(sizeof domains))]});
            }
        }
        AnalyseMap(st);
        for (int search = 0; search < 4; ++search) {
            const CostMatrix& m = search % 2 ? st.RoadMoveMatrix : st.MoveMatrix;
            const bool roadsOnly = search >= 2;
            const int sx = rng.below(kGrid), sy = rng.below(kGrid);
            BuildDistances(st, m, sx, sy, roadsOnly);
            const std::vector<int> expected = referenceDistances(st, m, sx, sy, roadsOnly);
            ASSERT_TRUE(std::equal(expected.begin(), expected.end(), st.DistMatrix.values.begin()))
                << "round " << round << " search " << search;
            for (int t = 0; t < 20; ++t) {
                const int tx = rng.below(kGrid), ty = rng.below(kGrid);
                const TraceResult r = TracePath(st, tx, ty);
                if (st.DistMatrix.at(tx, ty) > 1)
                    expectDescendingWalk(st, {tx, ty}, {sx, sy}, r);
                else
                    EXPECT_EQ(r.steps, 0);
            }
        }
    }
}

}  // namespace
}  // namespace d7

namespace d7 {
namespace {

TEST(DeveloperViews, TheShortPathIsMarkedOnlyWhenThereIsAShortOne) {
    auto owner = makeEditorState();
    EditorState& st = *owner;
    fillMap(st, 0, 1);
    AnalyseMap(st);
    st.MoveMatrix.at(9, 20) = 100;  // a stale mark that the rebuild drops
    const std::vector<Point> cells = viewSourceShortestPath(st);
    ASSERT_EQ(cells.size(), 16u);  // diagonal steps over grass: the larger difference
    EXPECT_EQ(cells.front(), kViewTarget);
    EXPECT_EQ(st.MoveMatrix.at(9, 20), 3);
    for (int x = 0; x < kGrid; ++x) putCell(st, x, 20, {4, 0, 0, 0, 0, 0});
    EXPECT_TRUE(viewSourceShortestPath(st).empty());
}

}  // namespace
}  // namespace d7
