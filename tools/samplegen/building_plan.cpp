// Where the buildings, mountains and fields of each domain go.
#include <algorithm>
#include <cmath>
#include <functional>

#include "samplegen/plan_grid.h"
#include "samplegen/raster.h"

namespace d7::samplegen::planning {

namespace {

// Uses that make a neighbouring cell unsuitable for another building.
constexpr std::initializer_list<Use> kBuilt = {Use::Castle, Use::Town, Use::Village, Use::Resource,
                                               Use::Ring,   Use::Keep, Use::Field};

struct Candidate {
    double score;
    Cell cell;
};

struct Area {
    int x0 = 0, y0 = 0, x1 = kGrid - 1, y1 = kGrid - 1;
};

// The best cell of the area that the filter accepts, by score (ties by position).
Cell bestCell(const Area& area, const std::function<bool(Cell)>& accept,
              const std::function<double(Cell)>& score) {
    Cell best;
    double bestScore = -1e18;
    for (int y = area.y0; y <= area.y1; ++y)
        for (int x = area.x0; x <= area.x1; ++x) {
            const Cell c{x, y};
            if (!accept(c)) continue;
            const double s = score(c);
            if (s > bestScore) {
                bestScore = s;
                best = c;
            }
        }
    return best;
}

void setUse(MapPlan& plan, Cell c, Use u) {
    plan.use[std::size_t(cellIndex(c.x, c.y))] = u;
}

Cell centroid(const MapPlan& plan, int d) {
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x)
            if (plan.domainAt(x, y) == d) {
                sx += x;
                sy += y;
                ++n;
            }
    return {int(std::lround(sx / std::max(n, 1))), int(std::lround(sy / std::max(n, 1)))};
}

double jitter(Random& rng) {
    return rng.real();
}

// The cells of domain d lie within the area.
Area domainArea(const MapPlan& plan, int d) {
    Area a{kGrid, kGrid, -1, -1};
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x)
            if (plan.domainAt(x, y) == d) {
                a.x0 = std::min(a.x0, x);
                a.y0 = std::min(a.y0, y);
                a.x1 = std::max(a.x1, x);
                a.y1 = std::max(a.y1, y);
            }
    return a;
}

struct DomainWork {
    MapPlan& plan;
    const CellGrid<int>& edge;
    Random& rng;
    int d;
    Area area = domainArea(plan, d);

    int edgeAt(Cell c) const { return edge[std::size_t(cellIndex(c.x, c.y))]; }
    bool free(Cell c) const {
        return onGrid(c.x, c.y) && plan.domainAt(c.x, c.y) == d &&
               plan.useAt(c.x, c.y) == Use::Free;
    }
    // A 2 x 2 block of free cells whose every cell lies at least minEdge from the domain edge.
    bool blockFits(Cell o, int minEdge) const {
        for (Cell c : blockCells(o))
            if (!free(c) || edgeAt(c) < minEdge) return false;
        for (Cell c : blockRing(o))
            if (!free(c)) return false;
        return true;
    }
    void occupyBlock(Cell o, Use u) {
        for (Cell c : blockCells(o)) setUse(plan, c, u);
        for (Cell c : blockRing(o)) setUse(plan, c, Use::Ring);
    }
};

bool placeTownAndCastle(DomainWork& w, DomainPlan& dp) {
    const Cell middle = centroid(w.plan, w.d);
    for (int minEdge : {3, 2}) {
        dp.town = bestCell(
            w.area, [&](Cell o) { return w.blockFits(o, minEdge); },
            [&](Cell o) {
                int e = 99;
                for (Cell c : blockCells(o)) e = std::min(e, w.edgeAt(c));
                return std::min(e, 6) - 0.15 * chebyshev(o, middle) + jitter(w.rng);
            });
        if (dp.town.valid()) break;
    }
    if (!dp.town.valid()) return false;
    w.occupyBlock(dp.town, Use::Town);
    dp.castle = bestCell(
        w.area,
        [&](Cell o) {
            const int gap = chebyshev(o, dp.town);
            return gap >= 4 && gap <= 9 && w.blockFits(o, 2);
        },
        [&](Cell o) {
            int e = 99;
            for (Cell c : blockCells(o)) e = std::min(e, w.edgeAt(c));
            return std::min(e, 4) - 0.6 * std::abs(chebyshev(o, dp.town) - 5) + 2 * jitter(w.rng);
        });
    if (!dp.castle.valid()) return false;
    w.occupyBlock(dp.castle, Use::Castle);
    return true;
}

void placeMountains(DomainWork& w, int cells) {
    int wanted = cells / 170 + w.rng.below(2);
    for (int k = 0; k < wanted; ++k) {
        const bool big = cells > 220 && w.rng.below(4) == 0;
        const int size = big ? 3 : 2;
        const double pull = w.rng.real();
        const Cell origin = bestCell(
            w.area,
            [&](Cell o) {
                for (int j = 0; j < size; ++j)
                    for (int i = 0; i < size; ++i) {
                        const Cell c{o.x + i, o.y + j};
                        if (!w.free(c) || w.edgeAt(c) < 2) return false;
                        if (touchesUse(w.plan, c.x, c.y, kBuilt)) return false;
                    }
                return true;
            },
            [&](Cell o) {
                // Next to another mountain now and then, to make ranges.
                const bool range = touchesUse(w.plan, o.x, o.y, {Use::Mountain});
                return jitter(w.rng) + (range ? pull : 0.0);
            });
        if (!origin.valid()) return;
        MountainPlan m{origin, size, size == 2 ? w.rng.below(4) : 0};
        for (int j = 0; j < size; ++j)
            for (int i = 0; i < size; ++i)
                setUse(w.plan, {origin.x + i, origin.y + j}, Use::Mountain);
        w.plan.mountains.push_back(m);
    }
}

// A cell for a single building: free, not beside another building, at least
// `apart` from the town and castle and from the cells already chosen.
Cell singleSpot(DomainWork& w, const DomainPlan& dp, const std::vector<Cell>& taken, int apart,
                const std::function<double(Cell)>& bonus) {
    return bestCell(
        w.area,
        [&](Cell c) {
            if (!w.free(c) || touchesUse(w.plan, c.x, c.y, kBuilt)) return false;
            if (chebyshev(c, dp.town) < apart + 1 || chebyshev(c, dp.castle) < apart + 1)
                return false;
            for (Cell t : taken)
                if (chebyshev(c, t) < apart) return false;
            return true;
        },
        [&](Cell c) {
            int nearest = std::min(chebyshev(c, dp.town), chebyshev(c, dp.castle));
            for (Cell t : taken) nearest = std::min(nearest, chebyshev(c, t));
            return std::min(nearest, 9) + 3 * jitter(w.rng) + bonus(c);
        });
}

bool placeVillages(DomainWork& w, DomainPlan& dp) {
    std::vector<Cell> taken;
    for (Cell& v : dp.villages) {
        v = Cell{};
        for (int apart : {3, 2, 1}) {
            v = singleSpot(w, dp, taken, apart, [](Cell) { return 0.0; });
            if (v.valid()) break;
        }
        if (!v.valid()) return false;
        setUse(w.plan, v, Use::Village);
        taken.push_back(v);
    }
    return true;
}

bool placeStone(DomainWork& w, DomainPlan& dp, bool hasMountain) {
    dp.stoneKind = (hasMountain ? w.rng.below(2) == 0 : w.rng.below(10) < 3) ? StoneKind::Mine
                                                                             : StoneKind::Quarry;
    for (int apart : {2, 1}) {
        dp.stone = singleSpot(w, dp, {}, apart, [&](Cell c) {
            return touchesUse(w.plan, c.x, c.y, {Use::Mountain}) ? 6.0 : 0.0;
        });
        if (dp.stone.valid()) break;
    }
    if (!dp.stone.valid()) return false;
    setUse(w.plan, dp.stone, Use::Resource);
    return true;
}

// A compact patch of fields near the town and a free cell beside it for the
// blacksmith. Fields stay off the domain edge so that none of them shows a
// border, which the blacksmith's field must not.
bool placeFields(DomainWork& w, DomainPlan& dp) {
    const int roll = w.rng.below(20);
    const int wanted = roll == 0 ? 1 : roll == 1 ? 20 : 2 + w.rng.below(12);
    auto fieldOk = [&](Cell c) {
        return w.free(c) && w.edgeAt(c) >= 2 &&
               !touchesUse(w.plan, c.x, c.y,
                           {Use::Castle, Use::Town, Use::Village, Use::Resource, Use::Ring});
    };
    const Cell seed = bestCell(w.area, fieldOk, [&](Cell c) {
        const int gap = chebyshev(c, dp.town);
        return -std::abs(gap - 5) + 2 * jitter(w.rng);
    });
    if (!seed.valid()) return false;
    dp.fields = {seed};
    setUse(w.plan, seed, Use::Field);
    while (int(dp.fields.size()) < wanted) {
        Cell best;
        double bestScore = -1e9;
        for (Cell f : dp.fields)
            for (const auto& o : kOrthogonal) {
                const Cell c{f.x + o[0], f.y + o[1]};
                if (!fieldOk(c)) continue;
                int around = 0;
                for (const auto& p : kOrthogonal)
                    if (onGrid(c.x + p[0], c.y + p[1]) &&
                        w.plan.useAt(c.x + p[0], c.y + p[1]) == Use::Field)
                        ++around;
                const double s = around + jitter(w.rng);
                if (s > bestScore) {
                    bestScore = s;
                    best = c;
                }
            }
        if (!best.valid()) break;
        dp.fields.push_back(best);
        setUse(w.plan, best, Use::Field);
    }
    // The blacksmith's place: plain grass beside a field, showing no border.
    for (Cell f : dp.fields)
        for (const auto& o : kOrthogonal) {
            const Cell c{f.x + o[0], f.y + o[1]};
            if (!dp.smith.valid() && w.free(c) && !wouldBeBordered(w.plan, c.x, c.y)) {
                dp.smith = c;
                setUse(w.plan, c, Use::Keep);
            }
        }
    return dp.smith.valid();
}

}  // namespace

bool planBuildings(MapPlan& plan, Random& rng) {
    const CellGrid<int> edge = edgeDistance(plan);
    std::vector<int> cells(std::size_t(plan.domainCount() + 1), 0);
    for (std::uint8_t d : plan.domain) ++cells[d];
    for (DomainPlan& dp : plan.domains) {
        DomainWork w{plan, edge, rng, dp.number};
        if (!placeTownAndCastle(w, dp)) return false;
    }
    for (DomainPlan& dp : plan.domains) {
        DomainWork w{plan, edge, rng, dp.number};
        const std::size_t before = plan.mountains.size();
        placeMountains(w, cells[std::size_t(dp.number)]);
        if (!placeVillages(w, dp)) return false;
        if (!placeStone(w, dp, plan.mountains.size() > before)) return false;
        if (!placeFields(w, dp)) return false;
    }
    return true;
}

}  // namespace d7::samplegen::planning
