#include "samplegen/plan_grid.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>

#include "samplegen/raster.h"

namespace d7::samplegen::planning {

double gridNoise(double x, double y, std::uint32_t seed) {
    return valueNoise(x, y, seed, 4096);
}

double fractalNoise(double x, double y, double scale, std::uint32_t seed) {
    double sum = 0, amp = 1, norm = 0;
    for (int o = 0; o < 4; ++o) {
        sum += amp * gridNoise(x / scale, y / scale, seed + std::uint32_t(o) * 7919u);
        norm += amp;
        amp *= 0.5;
        scale /= 2;
    }
    return sum / norm;
}

CellGrid<int> edgeDistance(const MapPlan& plan) {
    CellGrid<int> dist{};
    std::deque<Cell> queue;
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) {
            const int d = plan.domainAt(x, y);
            if (d == 0) continue;
            bool edge = false;
            for (const auto& o : kAround) {
                const int nx = x + o[0], ny = y + o[1];
                if (!onGrid(nx, ny) || plan.domainAt(nx, ny) != d) edge = true;
            }
            if (edge) {
                dist[std::size_t(cellIndex(x, y))] = 1;
                queue.push_back({x, y});
            }
        }
    while (!queue.empty()) {
        const Cell c = queue.front();
        queue.pop_front();
        const int here = dist[std::size_t(cellIndex(c.x, c.y))];
        for (const auto& o : kAround) {
            const int nx = c.x + o[0], ny = c.y + o[1];
            if (!onGrid(nx, ny) || plan.domainAt(nx, ny) != plan.domainAt(c.x, c.y)) continue;
            int& n = dist[std::size_t(cellIndex(nx, ny))];
            if (n == 0) {
                n = here + 1;
                queue.push_back({nx, ny});
            }
        }
    }
    return dist;
}

int chebyshev(Cell a, Cell b) {
    return std::max(std::abs(a.x - b.x), std::abs(a.y - b.y));
}

bool touchesUse(const MapPlan& plan, int x, int y, std::initializer_list<Use> uses) {
    unsigned mask = 0;
    for (Use u : uses) mask |= 1u << unsigned(u);
    for (const auto& o : kAround) {
        const int nx = x + o[0], ny = y + o[1];
        if (onGrid(nx, ny) && (mask >> unsigned(plan.useAt(nx, ny)) & 1u)) return true;
    }
    return false;
}

bool wouldBeBordered(const MapPlan& plan, int x, int y) {
    const int d = plan.domainAt(x, y);
    for (const Cell n : {Cell{x - 1, y}, Cell{x, y - 1}})
        if (onGrid(n.x, n.y) && plan.isLand(n.x, n.y) && plan.domainAt(n.x, n.y) != d) return true;
    return false;
}

std::array<Cell, 8> blockRing(Cell o) {
    return {{{o.x - 1, o.y},
             {o.x - 1, o.y + 1},
             {o.x, o.y - 1},
             {o.x + 1, o.y - 1},
             {o.x + 2, o.y},
             {o.x + 2, o.y + 1},
             {o.x, o.y + 2},
             {o.x + 1, o.y + 2}}};
}

std::array<Cell, 4> blockCells(Cell o) {
    return {{{o.x, o.y}, {o.x + 1, o.y}, {o.x, o.y + 1}, {o.x + 1, o.y + 1}}};
}

}  // namespace d7::samplegen::planning
