// Forests and the woodcutters at their edges.
#include <algorithm>

#include "samplegen/plan_grid.h"

namespace d7::samplegen::planning {

namespace {

bool forestOk(const MapPlan& plan, Cell c, int d) {
    if (!onGrid(c.x, c.y) || plan.domainAt(c.x, c.y) != d || plan.useAt(c.x, c.y) != Use::Free)
        return false;
    return !touchesUse(plan, c.x, c.y,
                       {Use::Castle, Use::Town, Use::Village, Use::Resource, Use::Ring, Use::Keep});
}

void setUse(MapPlan& plan, Cell c, Use u) {
    plan.use[std::size_t(cellIndex(c.x, c.y))] = u;
}

void growForest(MapPlan& plan, Random& rng, int d, Cell seed, int wanted) {
    std::vector<Cell> patch{seed};
    setUse(plan, seed, Use::Forest);
    plan.forest.push_back(seed);
    while (int(patch.size()) < wanted) {
        std::vector<Cell> frontier;
        for (Cell f : patch)
            for (const auto& o : kOrthogonal) {
                const Cell c{f.x + o[0], f.y + o[1]};
                if (forestOk(plan, c, d) &&
                    std::find(frontier.begin(), frontier.end(), c) == frontier.end())
                    frontier.push_back(c);
            }
        if (frontier.empty()) return;
        const Cell next = frontier[std::size_t(rng.below(int(frontier.size())))];
        patch.push_back(next);
        setUse(plan, next, Use::Forest);
        plan.forest.push_back(next);
    }
}

// A free cell beside the domain's forest, away from other buildings.
Cell lumberSpot(const MapPlan& plan, int d) {
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) {
            const Cell c{x, y};
            if (!forestOk(plan, c, d) || touchesUse(plan, x, y, {Use::Field})) continue;
            for (const auto& o : kOrthogonal) {
                const int nx = x + o[0], ny = y + o[1];
                if (onGrid(nx, ny) && plan.useAt(nx, ny) == Use::Forest &&
                    plan.domainAt(nx, ny) == d)
                    return c;
            }
        }
    return {};
}

}  // namespace

bool planForests(MapPlan& plan, Random& rng) {
    std::vector<int> cells(std::size_t(plan.domainCount() + 1), 0);
    for (std::uint8_t d : plan.domain) ++cells[d];
    for (DomainPlan& dp : plan.domains) {
        const int d = dp.number;
        const int patches = 1 + std::min(3, cells[std::size_t(d)] / 150);
        for (int p = 0; p < patches; ++p) {
            std::vector<Cell> seeds;
            for (int y = 0; y < kGrid; ++y)
                for (int x = 0; x < kGrid; ++x)
                    if (forestOk(plan, {x, y}, d) && !touchesUse(plan, x, y, {Use::Road}))
                        seeds.push_back({x, y});
            if (seeds.empty()) break;
            growForest(plan, rng, d, seeds[std::size_t(rng.below(int(seeds.size())))],
                       4 + rng.below(22));
        }
        dp.lumber = lumberSpot(plan, d);
        if (!dp.lumber.valid()) {
            // No forest edge to work at: plant a small wood beside a free spot.
            for (int y = 0; y < kGrid && !dp.lumber.valid(); ++y)
                for (int x = 0; x < kGrid && !dp.lumber.valid(); ++x) {
                    if (!forestOk(plan, {x, y}, d) || touchesUse(plan, x, y, {Use::Field}))
                        continue;
                    for (const auto& o : kOrthogonal) {
                        const Cell c{x + o[0], y + o[1]};
                        if (!(c == Cell{x, y}) && forestOk(plan, c, d)) {
                            dp.lumber = {x, y};
                            setUse(plan, dp.lumber, Use::Resource);
                            growForest(plan, rng, d, c, 3);
                            break;
                        }
                    }
                }
        }
        if (!dp.lumber.valid()) return false;
        setUse(plan, dp.lumber, Use::Resource);
    }
    return true;
}

}  // namespace d7::samplegen::planning
