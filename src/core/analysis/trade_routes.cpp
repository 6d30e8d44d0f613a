#include "core/analysis/trade_routes.h"

#include <vector>

#include "core/analysis/pathfinding.h"
#include "core/edit/geometry.h"

namespace d7 {

namespace {

// The distance fields of the searches made while building several routes:
// every town serves up to three traders, so the same town road is the source
// of several legs, and one search serves them all.
class LegSearches {
  public:
    LegSearches() { fields_.reserve(2 * kMaxDomain); }  // a road per town, two kinds of search

    // BuildDistances on MoveMatrix from the cell, or the same field again.
    void search(EditorState& st, Point from, bool roadsOnly) {
        const int key = (from.y * kGrid + from.x) * 2 + (roadsOnly ? 1 : 0);
        for (const Field& f : fields_)
            if (f.key == key) {
                st.DistMatrix = f.dist;
                st.searchSource = f.source;
                return;
            }
        BuildDistances(st, st.MoveMatrix, from.x, from.y, roadsOnly);
        fields_.push_back({key, st.searchSource, st.DistMatrix});
    }

  private:
    struct Field {
        int key;
        int source;
        CellTable<std::int32_t> dist;
    };
    std::vector<Field> fields_;
};

bool isTrader(int t) {
    return t >= 1 && t <= kTraders;
}

// The town road of the domain at stop i; (-1, -1) for an empty stop, a number
// that is no domain, or a town without road access.
Point townRoad(const EditorState& st, const TraderRouteRecord& route, int i) {
    if (i < 0 || i >= kMaxRouteStops) return Point{};
    const int d = route.stops[std::size_t(i)];
    if (d < 1 || d > kMaxDomain) return Point{};
    return st.CountyTable[std::size_t(d)].townRoadPos;
}

// RoadDistance, through the searches made before when there are any.
int roadDistance(EditorState& st, LegSearches* searches, Point from, Point to, bool roadsOnly) {
    if (!searches || !inMap(from.x, from.y) || !inMap(to.x, to.y))
        return RoadDistance(st, from, to, roadsOnly).steps;
    searches->search(st, from, roadsOnly);
    return TracePath(st, to.x, to.y).steps;
}

// The walk from stop i to stop j: on roads when that is not too long, else
// across country. Leaves the path in PathPoints; the steps, or -1.
int walkLeg(EditorState& st, LegSearches* searches, const TraderRouteRecord& route, int i, int j) {
    const Point from = townRoad(st, route, i), to = townRoad(st, route, j);
    int steps = roadDistance(st, searches, from, to, true);
    if (steps > kLongestRoadLeg) steps = roadDistance(st, searches, from, to, false);
    return steps;
}

// Appends the path of the latest walk from the source side to the target
// (PathPoints hold the target first).
void appendPath(EditorState& st, std::vector<RouteCell>& cells, int leg, int steps) {
    for (int k = steps - 1; k >= 0; --k) cells.push_back({leg, st.PathPoints[std::size_t(k)]});
}

bool emptyStop(const TraderRouteRecord& route, int i) {
    return i < 0 || i >= kMaxRouteStops || route.stops[std::size_t(i)] == 0;
}

void buildRoute(EditorState& st, int t, LegSearches* searches) {
    if (!isTrader(t)) return;
    std::vector<RouteCell>& cells = st.RouteCells[std::size_t(t)];
    cells.clear();
    const TraderRouteRecord route = st.TraderRoute[std::size_t(t)];
    const int start = route.startIndex;
    if (route.stopCount <= 0 || emptyStop(route, start)) return;

    if (start != 0) {
        const int next = emptyStop(route, 1) ? 0 : 1;
        const int steps = walkLeg(st, searches, route, start, next);
        cells.push_back({RouteCell::kLeadIn, townRoad(st, route, start)});
        appendPath(st, cells, RouteCell::kLeadIn, steps);
    }
    cells.push_back({0, townRoad(st, route, start)});

    int i = 0, j = 1;
    for (int n = 0; n < route.stopCount; ++n) {
        if (emptyStop(route, j)) j = 0;
        appendPath(st, cells, i, walkLeg(st, searches, route, i, j));
        i = j;
        ++j;
    }
    st.routeStale[std::size_t(t)] = false;
}

}  // namespace

void BuildRouteCells(EditorState& st, int t) {
    buildRoute(st, t, nullptr);
}

void ensureRouteCells(EditorState& st, int t) {
    if (isTrader(t) && st.routeStale[std::size_t(t)]) BuildRouteCells(st, t);
}

void ensureAllRouteCells(EditorState& st) {
    LegSearches searches;
    for (int t = 1; t <= kTraders; ++t)
        if (st.routeStale[std::size_t(t)]) buildRoute(st, t, &searches);
}

void markRouteStale(EditorState& st, int t) {
    if (isTrader(t)) st.routeStale[std::size_t(t)] = true;
}

void markAllRoutesStale(EditorState& st) {
    for (int t = 1; t <= kTraders; ++t) st.routeStale[std::size_t(t)] = true;
}

std::string routeCellText(const RouteCell& c) {
    const std::string name = c.leg == RouteCell::kLeadIn ? "S" : std::to_string(c.leg);
    return name + "=" + std::to_string(c.cell.x) + "," + std::to_string(c.cell.y);
}

}  // namespace d7
