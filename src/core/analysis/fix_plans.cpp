#include "core/analysis/fix_plans.h"

#include <algorithm>
#include <array>
#include <climits>

#include "core/analysis/pathfinding.h"
#include "core/edit/geometry.h"

namespace d7 {

namespace {

constexpr int kLastBlackTile = 5;
constexpr int kLastCastleBaseTile = 21;

// A cell a road may cover and a walk may enter.
bool paveable(const EditorState& st, Point c) {
    return inMap(c.x, c.y) && st.planes.M0.at(c.x, c.y) <= (flags::kRoad | flags::kBorder) &&
           st.MoveMatrix.at(c.x, c.y) != 0;
}

bool contains(const std::vector<Point>& cells, Point c) {
    return std::find(cells.begin(), cells.end(), c) != cells.end();
}

// Road now, or planned to be.
bool roadAfter(const EditorState& st, const std::vector<Point>& cells, Point c) {
    return (inMap(c.x, c.y) && isRoad(st.planes, c.x, c.y)) || contains(cells, c);
}

struct NearestRoad {
    int distance = INT_MAX;
    Point from, to;
};

// The road cell nearest to the search's source, if nearer than `best`.
void findNearestRoad(const EditorState& st, Point from, NearestRoad& best) {
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) {
            const int d = st.DistMatrix.at(x, y);
            if (d > 0 && d < best.distance && isRoad(st.planes, x, y)) best = {d, from, {x, y}};
        }
}

}  // namespace

bool isBlackTile(const WorkingPlanes& p, int x, int y) {
    return p.M0.at(x, y) == 0 && p.M2.at(x, y) <= kLastBlackTile;
}

int majorityNeighbourDomain(const WorkingPlanes& p, int x, int y) {
    std::array<int, kMaxDomain + 1> votes{};
    for (Offset o : kDirections) {
        const int nx = x + o.dx, ny = y + o.dy;
        if (!inMap(nx, ny)) continue;
        const int d = p.M5.at(nx, ny);
        if (d >= 1 && d <= kMaxDomain) ++votes[std::size_t(d)];
    }
    const auto most = std::max_element(votes.begin() + 1, votes.end());
    if (*most == 0 || std::count(votes.begin() + 1, votes.end(), *most) > 1) return 0;
    return int(most - votes.begin());
}

bool castleWantsPlacing(const EditorState& st, Point castle) {
    const WorkingPlanes& p = st.planes;
    if (!inMap(castle.x, castle.y) || !inMap(castle.x + 1, castle.y + 1)) return false;
    const int d = p.M5.at(castle.x, castle.y);
    if (d < 1 || d > kMaxDomain || blockDomainCount(p, castle.x, castle.y) != 1) return false;
    if (!isCastle(p, castle.x, castle.y) || p.M3.at(castle.x, castle.y) != 0) return false;
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 2; ++i)
            if (p.M2.at(castle.x + i, castle.y + j) > kLastCastleBaseTile) return true;
    return false;
}

bool traceConnectingRoad(EditorState& st, Point block) {
    NearestRoad best;
    for (Offset o : kBlockRing) {
        const Point from{block.x + o.dx, block.y + o.dy};
        if (!inMap(from.x, from.y) || st.RoadMoveMatrix.at(from.x, from.y) == 0) continue;
        BuildDistances(st, st.RoadMoveMatrix, from.x, from.y, false);
        findNearestRoad(st, from, best);
    }
    if (best.distance == INT_MAX) return false;
    BuildDistances(st, st.RoadMoveMatrix, best.from.x, best.from.y, false);
    return TraceRoad(st, best.to.x, best.to.y, false) > 0;
}

bool planPaving(const EditorState& st, Point source, std::vector<Point>& cells) {
    cells.clear();
    const int length = std::clamp(st.PathLength, 0, kMaxPathPoints);
    std::vector<Point> walk(st.PathPoints.begin(), st.PathPoints.begin() + length);
    walk.push_back(source);
    for (Point c : walk) {
        if (roadAfter(st, cells, c)) continue;
        if (!paveable(st, c)) return false;
        cells.push_back(c);
    }
    // A road is entered from its four sides only: a diagonal step needs a
    // road corner beside it.
    for (std::size_t i = 0; i + 1 < walk.size(); ++i) {
        const Point a = walk[i], b = walk[i + 1];
        if (a.x == b.x || a.y == b.y) continue;
        const Point corners[] = {{b.x, a.y}, {a.x, b.y}};
        if (roadAfter(st, cells, corners[0]) || roadAfter(st, cells, corners[1])) continue;
        const auto it = std::find_if(std::begin(corners), std::end(corners),
                                     [&](Point c) { return paveable(st, c); });
        if (it == std::end(corners)) return false;
        cells.push_back(*it);
    }
    return true;
}

bool hasDomainNumberGap(const EditorState& st) {
    bool unusedSeen = false;
    for (int d = 1; d <= kMaxDomain; ++d) {
        if (!st.CountyTable[std::size_t(d)].used)
            unusedSeen = true;
        else if (unusedSeen)
            return true;
    }
    return false;
}

}  // namespace d7
