// Roads: from every castle to its town, and between the towns of
// neighbouring domains, laid along cheap paths that prefer the roads already
// there, straight runs, and keep clear of the sides of buildings.
#include <algorithm>
#include <cstdlib>

#include "samplegen/plan_grid.h"

namespace d7::samplegen::planning {

namespace {

constexpr int kLongestRoad = 140;

bool passable(Use u) {
    return u == Use::Free || u == Use::Ring || u == Use::Road;
}

bool isRoadAt(const MapPlan& plan, int x, int y) {
    return onGrid(x, y) && plan.useAt(x, y) == Use::Road;
}

// Whether a road on (x, y) would complete a 2 x 2 square of road.
bool closesSquare(const MapPlan& plan, int x, int y) {
    for (int dy = -1; dy <= 0; ++dy)
        for (int dx = -1; dx <= 0; ++dx) {
            int roads = 0;
            for (int j = 0; j < 2; ++j)
                for (int i = 0; i < 2; ++i) {
                    const int cx = x + dx + i, cy = y + dy + j;
                    if (cx == x && cy == y) continue;
                    if (isRoadAt(plan, cx, cy)) ++roads;
                }
            if (roads == 3) return true;
        }
    return false;
}

// The part of a cell's cost that roads laid meanwhile do not change.
CellGrid<int> baseCosts(const MapPlan& plan) {
    CellGrid<int> base{};
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) {
            const Use u = plan.useAt(x, y);
            int cost = u == Use::Ring ? 4 : 6;
            if (u != Use::Ring &&
                touchesUse(plan, x, y, {Use::Castle, Use::Town, Use::Village, Use::Resource}))
                cost += 6;
            base[std::size_t(cellIndex(x, y))] = cost;
        }
    return base;
}

int enterCost(const MapPlan& plan, const CellGrid<int>& base, int x, int y) {
    if (plan.useAt(x, y) == Use::Road) return 2;
    int cost = base[std::size_t(cellIndex(x, y))];
    if (closesSquare(plan, x, y)) cost += 40;
    // Running beside an existing road makes two roads where one would do.
    for (const auto& o : kOrthogonal)
        if (isRoadAt(plan, x + o[0], y + o[1])) cost += 2;
    return cost;
}

// Search state, kept between searches so that each search allocates nothing new.
struct SearchSpace {
    static constexpr int kStates = kCellCount * 5;  // direction of arrival 0..3, 4 = start
    std::vector<int> cost = std::vector<int>(kStates);
    std::vector<int> from = std::vector<int>(kStates);
    std::vector<int> enter = std::vector<int>(kCellCount);
    std::vector<bool> isTarget = std::vector<bool>(kCellCount);
    std::vector<std::pair<int, int>> heap;
};

// The cheapest 4-connected path from any source cell to any target cell,
// source first; empty when there is none.
std::vector<Cell> cheapestPath(SearchSpace& space, const MapPlan& plan, const CellGrid<int>& base,
                               const std::vector<Cell>& sources, const std::vector<Cell>& targets) {
    std::vector<int>& cost = space.cost;
    std::vector<int>& from = space.from;
    std::vector<int>& enter = space.enter;  // filled when first needed
    std::vector<bool>& isTarget = space.isTarget;
    std::fill(cost.begin(), cost.end(), -1);
    std::fill(from.begin(), from.end(), -1);
    std::fill(enter.begin(), enter.end(), -1);
    std::fill(isTarget.begin(), isTarget.end(), false);
    for (Cell t : targets) isTarget[std::size_t(cellIndex(t.x, t.y))] = true;
    // A step costs at least 2, so twice the distance to the nearest target
    // never overestimates what is left (the search stays exact).
    auto estimate = [&](int cell) {
        int best = 1 << 20;
        for (Cell t : targets)
            best = std::min(best, std::abs(cell % kGrid - t.x) + std::abs(cell / kGrid - t.y));
        return 2 * best;
    };
    // A min-heap of (cost plus estimate, state).
    auto& heap = space.heap;
    heap.clear();
    auto push = [&](int f, int state) {
        heap.push_back({f, state});
        std::push_heap(heap.begin(), heap.end(), std::greater<>{});
    };
    for (Cell s : sources) {
        if (!passable(plan.useAt(s.x, s.y))) continue;
        const int state = cellIndex(s.x, s.y) * 5 + 4;
        cost[std::size_t(state)] = 0;
        push(estimate(cellIndex(s.x, s.y)), state);
    }
    int reached = -1;
    while (!heap.empty()) {
        std::pop_heap(heap.begin(), heap.end(), std::greater<>{});
        const auto [f, state] = heap.back();
        heap.pop_back();
        const int c = cost[std::size_t(state)];
        if (f > c + estimate(state / 5)) continue;
        const int cell = state / 5, dir = state % 5;
        if (isTarget[std::size_t(cell)]) {
            reached = state;
            break;
        }
        for (int k = 0; k < 4; ++k) {
            const int nx = cell % kGrid + kOrthogonal[std::size_t(k)][0];
            const int ny = cell / kGrid + kOrthogonal[std::size_t(k)][1];
            if (!onGrid(nx, ny) || !passable(plan.useAt(nx, ny))) continue;
            int& known = enter[std::size_t(cellIndex(nx, ny))];
            if (known < 0) known = enterCost(plan, base, nx, ny);
            int step = known;
            if (dir != 4 && dir != k && plan.useAt(nx, ny) != Use::Road) step += 3;
            const int next = cellIndex(nx, ny) * 5 + k;
            if (cost[std::size_t(next)] < 0 || c + step < cost[std::size_t(next)]) {
                cost[std::size_t(next)] = c + step;
                from[std::size_t(next)] = state;
                push(c + step + estimate(next / 5), next);
            }
        }
    }
    std::vector<Cell> path;
    for (int s = reached; s >= 0; s = from[std::size_t(s)]) {
        const int cell = s / 5;
        path.push_back({cell % kGrid, cell / kGrid});
    }
    std::reverse(path.begin(), path.end());
    return path;
}

// The one ring cell where every road of a castle or town begins, so that
// all of them meet: preferably a cell below the block, which the search for
// a town's road finds first.
std::vector<Cell> gateOf(const MapPlan& plan, Cell origin) {
    const auto ring = blockRing(origin);
    for (int k : {7, 5, 6, 4, 0, 1, 2, 3}) {
        const Cell c = ring[std::size_t(k)];
        if (onGrid(c.x, c.y) && passable(plan.useAt(c.x, c.y))) return {c};
    }
    return {};
}

bool lay(MapPlan& plan, const std::vector<Cell>& path) {
    if (path.empty() || int(path.size()) > kLongestRoad) return false;
    for (Cell c : path)
        if (plan.useAt(c.x, c.y) != Use::Road) {
            plan.use[std::size_t(cellIndex(c.x, c.y))] = Use::Road;
            plan.roads.push_back(c);
        }
    return true;
}

}  // namespace

std::vector<std::vector<bool>> domainNeighbours(const MapPlan& plan) {
    const int n = plan.domainCount();
    std::vector<std::vector<bool>> adj(std::size_t(n + 1),
                                       std::vector<bool>(std::size_t(n + 1), false));
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) {
            const int d = plan.domainAt(x, y);
            if (!d) continue;
            for (const auto& o : kOrthogonal) {
                const int nx = x + o[0], ny = y + o[1];
                if (!onGrid(nx, ny)) continue;
                const int e = plan.domainAt(nx, ny);
                if (e && e != d) adj[std::size_t(d)][std::size_t(e)] = true;
            }
        }
    return adj;
}

bool planRoads(MapPlan& plan) {
    const CellGrid<int> base = baseCosts(plan);
    SearchSpace space;
    for (const DomainPlan& dp : plan.domains)
        if (!lay(plan,
                 cheapestPath(space, plan, base, gateOf(plan, dp.castle), gateOf(plan, dp.town))))
            return false;
    const auto adj = domainNeighbours(plan);
    struct Pair {
        int gap, d, e;
    };
    std::vector<Pair> pairs;
    for (int d = 1; d <= plan.domainCount(); ++d)
        for (int e = d + 1; e <= plan.domainCount(); ++e)
            if (adj[std::size_t(d)][std::size_t(e)])
                pairs.push_back({chebyshev(plan.domains[std::size_t(d - 1)].town,
                                           plan.domains[std::size_t(e - 1)].town),
                                 d, e});
    std::sort(pairs.begin(), pairs.end(), [](const Pair& a, const Pair& b) {
        return a.gap != b.gap ? a.gap < b.gap : (a.d != b.d ? a.d < b.d : a.e < b.e);
    });
    for (const Pair& p : pairs) {
        const auto from = gateOf(plan, plan.domains[std::size_t(p.d - 1)].town);
        const auto to = gateOf(plan, plan.domains[std::size_t(p.e - 1)].town);
        if (!lay(plan, cheapestPath(space, plan, base, from, to))) return false;
    }
    return true;
}

}  // namespace d7::samplegen::planning
