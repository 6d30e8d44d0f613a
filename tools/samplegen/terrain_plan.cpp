// Land, sea and domains of a planned map.
#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <numbers>
#include <queue>

#include "samplegen/plan_grid.h"
#include "samplegen/raster.h"

namespace d7::samplegen::planning {

namespace {

constexpr int kMajorLand = 220;       // cells an island needs to carry domains
constexpr int kMaxIslands = 3;        // islands that carry domains
constexpr int kCellsPerDomain = 115;  // at least, on average
constexpr int kSmallestDomain = 70;
constexpr int kIsletReach = 5;  // islets further from a domain sink

using LandGrid = CellGrid<std::uint8_t>;

struct Centre {
    double x, y, weight;
};

// The raw elevation of the map styles: one continent, two or three islands,
// a coast along one side, land around an inland sea. For the island styles,
// island[c] tells which island's centre is nearest to each cell.
CellGrid<double> elevation(int style, Random& rng, CellGrid<int>& nearestCentre) {
    const std::uint32_t seed = rng.next32();
    std::vector<Centre> centres;
    const double turn = rng.real() * 2 * std::numbers::pi;
    switch (style) {
        case 0:
            centres.push_back({(rng.real() - 0.5) * 0.3, (rng.real() - 0.5) * 0.3, 1.0});
            break;
        case 1:
            for (int k = 0; k < 2; ++k) {
                const double a = turn + k * std::numbers::pi;
                centres.push_back({0.55 * std::cos(a), 0.55 * std::sin(a), 0.5});
            }
            break;
        case 2:
            for (int k = 0; k < 3; ++k) {
                const double a = turn + k * 2 * std::numbers::pi / 3;
                centres.push_back({0.56 * std::cos(a), 0.56 * std::sin(a), 0.45});
            }
            break;
        default:
            break;
    }
    CellGrid<double> v{};
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) {
            const double nx = x / 31.5 - 1, ny = y / 31.5 - 1;
            const double base = fractalNoise(x, y, 18.0, seed);
            double shape = 0;
            switch (style) {
                case 0:
                case 1:
                case 2: {
                    double best = 1e9;
                    for (std::size_t k = 0; k < centres.size(); ++k) {
                        const Centre& c = centres[k];
                        const double d = std::hypot(nx - c.x, ny - c.y) / c.weight;
                        if (d < best) {
                            best = d;
                            nearestCentre[std::size_t(cellIndex(x, y))] = int(k);
                        }
                    }
                    shape = -0.55 * best * best;
                    break;
                }
                case 3: {
                    const double s = nx * std::cos(turn) + ny * std::sin(turn);
                    shape = -0.45 * s;
                    break;
                }
                default: {
                    const double rim = std::pow(std::max(std::fabs(nx), std::fabs(ny)), 6.0);
                    const double lake = std::exp(-(std::pow(nx - 0.25 * std::cos(turn), 2) +
                                                   std::pow(ny - 0.25 * std::sin(turn), 2)) /
                                                 0.06);
                    shape = -0.7 * rim - 0.45 * lake;
                    break;
                }
            }
            v[std::size_t(cellIndex(x, y))] = base + shape;
        }
    return v;
}

double landShare(int style, Random& rng) {
    constexpr double kShare[] = {0.56, 0.52, 0.50, 0.60, 0.60};
    return kShare[style] + (rng.real() - 0.5) * 0.08;
}

int landAround(const LandGrid& land, int x, int y) {
    int n = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (onGrid(x + dx, y + dy) && land[std::size_t(cellIndex(x + dx, y + dy))]) ++n;
    return n;
}

void smooth(LandGrid& land) {
    LandGrid next = land;
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) {
            const int n = landAround(land, x, y);
            if (n >= 6) next[std::size_t(cellIndex(x, y))] = 1;
            if (n <= 3) next[std::size_t(cellIndex(x, y))] = 0;
        }
    land = next;
}

// Land that meets only at a corner makes odd coasts: join it through one of
// the two sea cells between.
void joinCorners(LandGrid& land) {
    for (bool changed = true; changed;) {
        changed = false;
        for (int y = 0; y + 1 < kGrid; ++y)
            for (int x = 0; x + 1 < kGrid; ++x) {
                auto at = [&](int dx, int dy) -> std::uint8_t& {
                    return land[std::size_t(cellIndex(x + dx, y + dy))];
                };
                if (at(0, 0) && at(1, 1) && !at(1, 0) && !at(0, 1)) {
                    at(1, 0) = 1;
                    changed = true;
                }
                if (at(1, 0) && at(0, 1) && !at(0, 0) && !at(1, 1)) {
                    at(0, 0) = 1;
                    changed = true;
                }
            }
    }
}

// 4-connected components of cells equal to value; labels from 1, 0 elsewhere.
int components(const LandGrid& land, std::uint8_t value, CellGrid<int>& label) {
    label.fill(0);
    int count = 0;
    for (int start = 0; start < kCellCount; ++start) {
        if (land[std::size_t(start)] != value || label[std::size_t(start)]) continue;
        ++count;
        std::deque<int> queue{start};
        label[std::size_t(start)] = count;
        while (!queue.empty()) {
            const int c = queue.front();
            queue.pop_front();
            for (const auto& o : kOrthogonal) {
                const int nx = c % kGrid + o[0], ny = c / kGrid + o[1];
                if (!onGrid(nx, ny)) continue;
                const int n = cellIndex(nx, ny);
                if (land[std::size_t(n)] == value && !label[std::size_t(n)]) {
                    label[std::size_t(n)] = count;
                    queue.push_back(n);
                }
            }
        }
    }
    return count;
}

// Small lakes and single sea cells inside the land become land.
void fillPuddles(LandGrid& land) {
    CellGrid<int> label;
    const int n = components(land, 0, label);
    std::vector<int> size(std::size_t(n + 1), 0);
    std::vector<bool> open(std::size_t(n + 1), false);
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) {
            const int l = label[std::size_t(cellIndex(x, y))];
            if (!l) continue;
            ++size[std::size_t(l)];
            if (x == 0 || y == 0 || x == kGrid - 1 || y == kGrid - 1) open[std::size_t(l)] = true;
        }
    for (int c = 0; c < kCellCount; ++c) {
        const int l = label[std::size_t(c)];
        if (l && !open[std::size_t(l)] && size[std::size_t(l)] < 4) land[std::size_t(c)] = 1;
    }
}

// A breadth-first search within one island (4-connected) from the given
// cells: each cell's step count from the nearest source, and which source
// (its index in from) reached it first. -1 where the search did not reach.
struct IslandSearch {
    CellGrid<int> dist;
    CellGrid<int> owner;
};

IslandSearch searchIsland(const CellGrid<int>& island, int which, const std::vector<int>& from) {
    IslandSearch s;
    s.dist.fill(-1);
    s.owner.fill(-1);
    std::deque<int> queue;
    for (std::size_t i = 0; i < from.size(); ++i) {
        s.dist[std::size_t(from[i])] = 0;
        s.owner[std::size_t(from[i])] = int(i);
        queue.push_back(from[i]);
    }
    while (!queue.empty()) {
        const int c = queue.front();
        queue.pop_front();
        for (const auto& o : kOrthogonal) {
            const int nx = c % kGrid + o[0], ny = c / kGrid + o[1];
            if (!onGrid(nx, ny)) continue;
            const int n = cellIndex(nx, ny);
            if (island[std::size_t(n)] == which && s.dist[std::size_t(n)] < 0) {
                s.dist[std::size_t(n)] = s.dist[std::size_t(c)] + 1;
                s.owner[std::size_t(n)] = s.owner[std::size_t(c)];
                queue.push_back(n);
            }
        }
    }
    return s;
}

// Seeds spread over an island: farthest points first, then a few rounds of
// moving each seed to the middle of the cells nearest to it.
std::vector<int> domainSeeds(const CellGrid<int>& island, int which, int count, Random& rng) {
    std::vector<int> cells;
    for (int c = 0; c < kCellCount; ++c)
        if (island[std::size_t(c)] == which) cells.push_back(c);
    std::vector<int> seeds{cells[std::size_t(rng.below(int(cells.size())))]};
    {
        const CellGrid<int> d = searchIsland(island, which, seeds).dist;
        seeds[0] = *std::max_element(cells.begin(), cells.end(), [&](int a, int b) {
            return d[std::size_t(a)] < d[std::size_t(b)];
        });
    }
    while (int(seeds.size()) < count) {
        const CellGrid<int> d = searchIsland(island, which, seeds).dist;
        seeds.push_back(*std::max_element(cells.begin(), cells.end(), [&](int a, int b) {
            return d[std::size_t(a)] < d[std::size_t(b)];
        }));
    }
    for (int round = 0; round < 4; ++round) {
        // Nearest seed of every cell, by a joint search.
        const CellGrid<int> owner = searchIsland(island, which, seeds).owner;
        for (std::size_t s = 0; s < seeds.size(); ++s) {
            double sx = 0, sy = 0;
            int n = 0;
            for (int c : cells)
                if (owner[std::size_t(c)] == int(s)) {
                    sx += c % kGrid;
                    sy += c / kGrid;
                    ++n;
                }
            if (n == 0) continue;
            sx /= n;
            sy /= n;
            int best = seeds[s];
            double bestD = 1e9;
            for (int c : cells)
                if (owner[std::size_t(c)] == int(s)) {
                    const double d = std::hypot(c % kGrid - sx, c / kGrid - sy);
                    if (d < bestD) {
                        bestD = d;
                        best = c;
                    }
                }
            seeds[s] = best;
        }
    }
    return seeds;
}

// Grows the domains from their seeds with uneven step costs, so that the
// borders wander; every cell joins the domain whose front reaches it first,
// which keeps each domain in one piece.
void growDomains(MapPlan& plan, const CellGrid<int>& island, const std::vector<int>& seeds,
                 const std::vector<int>& seedIsland, std::uint32_t noiseSeed) {
    CellGrid<double> stepCost;
    for (int c = 0; c < kCellCount; ++c)
        stepCost[std::size_t(c)] = 1.0 + 1.1 * fractalNoise(c % kGrid, c / kGrid, 6.0, noiseSeed);
    CellGrid<double> cost;
    cost.fill(1e18);
    using Item = std::pair<double, int>;
    std::priority_queue<Item, std::vector<Item>, std::greater<>> queue;
    for (std::size_t s = 0; s < seeds.size(); ++s) {
        cost[std::size_t(seeds[s])] = 0;
        plan.domain[std::size_t(seeds[s])] = std::uint8_t(s + 1);
        queue.push({0.0, seeds[s]});
    }
    while (!queue.empty()) {
        const auto [c0, c] = queue.top();
        queue.pop();
        if (c0 > cost[std::size_t(c)]) continue;
        const int d = plan.domain[std::size_t(c)];
        for (const auto& o : kOrthogonal) {
            const int nx = c % kGrid + o[0], ny = c / kGrid + o[1];
            if (!onGrid(nx, ny)) continue;
            const int n = cellIndex(nx, ny);
            if (island[std::size_t(n)] != seedIsland[std::size_t(d - 1)]) continue;
            const double step = stepCost[std::size_t(n)];
            if (c0 + step < cost[std::size_t(n)]) {
                cost[std::size_t(n)] = c0 + step;
                plan.domain[std::size_t(n)] = std::uint8_t(d);
                queue.push({c0 + step, n});
            }
        }
    }
}

// Straightens the domain borders: a cell most of whose eight neighbours
// belong to one other domain joins it. Pieces of a domain cut off by that
// join the neighbour they share most of their edge with.
void smoothBorders(MapPlan& plan, const std::vector<int>& seeds) {
    for (int pass = 0; pass < 2; ++pass) {
        CellGrid<std::uint8_t> next = plan.domain;
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x) {
                const int c = cellIndex(x, y);
                const int d = plan.domain[std::size_t(c)];
                if (!d || std::find(seeds.begin(), seeds.end(), c) != seeds.end()) continue;
                std::array<int, 17> count{};
                for (const auto& o : kAround) {
                    const int nx = x + o[0], ny = y + o[1];
                    if (onGrid(nx, ny)) ++count[plan.domainAt(nx, ny)];
                }
                for (int e = 1; e <= 16; ++e)
                    if (e != d && count[std::size_t(e)] >= 5)
                        next[std::size_t(c)] = std::uint8_t(e);
            }
        plan.domain = next;
    }
    // Keep the piece of each domain that holds its seed.
    for (bool changed = true; changed;) {
        changed = false;
        CellGrid<int> piece;
        piece.fill(0);
        for (std::size_t s = 0; s < seeds.size(); ++s) {
            const int d = plan.domain[std::size_t(seeds[s])];
            std::deque<int> queue{seeds[s]};
            piece[std::size_t(seeds[s])] = 1;
            while (!queue.empty()) {
                const int c = queue.front();
                queue.pop_front();
                for (const auto& o : kOrthogonal) {
                    const int nx = c % kGrid + o[0], ny = c / kGrid + o[1];
                    if (!onGrid(nx, ny)) continue;
                    const int n = cellIndex(nx, ny);
                    if (plan.domain[std::size_t(n)] == d && !piece[std::size_t(n)]) {
                        piece[std::size_t(n)] = 1;
                        queue.push_back(n);
                    }
                }
            }
        }
        for (int c = 0; c < kCellCount; ++c) {
            if (!plan.domain[std::size_t(c)] || piece[std::size_t(c)]) continue;
            std::array<int, 17> count{};
            for (const auto& o : kOrthogonal) {
                const int nx = c % kGrid + o[0], ny = c / kGrid + o[1];
                if (onGrid(nx, ny) && piece[std::size_t(cellIndex(nx, ny))])
                    ++count[plan.domainAt(nx, ny)];
            }
            const auto best = std::max_element(count.begin() + 1, count.end());
            if (*best > 0) {
                plan.domain[std::size_t(c)] = std::uint8_t(best - count.begin());
                changed = true;
            }
        }
    }
}

}  // namespace

bool planTerrain(MapPlan& plan, Random& rng) {
    CellGrid<int> nearestCentre{};
    const CellGrid<double> v = elevation(plan.style, rng, nearestCentre);
    std::vector<double> sorted(v.begin(), v.end());
    std::sort(sorted.begin(), sorted.end());
    const double share = landShare(plan.style, rng);
    const double threshold = sorted[std::size_t((1.0 - share) * (kCellCount - 1))];
    LandGrid land{};
    for (int c = 0; c < kCellCount; ++c) land[std::size_t(c)] = v[std::size_t(c)] > threshold;
    smooth(land);
    smooth(land);
    if (plan.style == 1 || plan.style == 2) {
        // A sound of sea between the islands, so that they stay apart.
        LandGrid apart = land;
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x)
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if (onGrid(x + dx, y + dy) &&
                            nearestCentre[std::size_t(cellIndex(x + dx, y + dy))] !=
                                nearestCentre[std::size_t(cellIndex(x, y))])
                            apart[std::size_t(cellIndex(x, y))] = 0;
        land = apart;
    }
    joinCorners(land);
    fillPuddles(land);

    CellGrid<int> label;
    const int count = components(land, 1, label);
    std::vector<int> size(std::size_t(count + 1), 0);
    for (int l : label) ++size[std::size_t(l)];
    size[0] = 0;
    std::vector<int> order;
    for (int l = 1; l <= count; ++l)
        if (size[std::size_t(l)] >= kMajorLand) order.push_back(l);
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return size[std::size_t(a)] > size[std::size_t(b)]; });
    if (order.size() > std::size_t(kMaxIslands)) order.resize(kMaxIslands);
    if (order.empty()) return false;

    // Islands carrying domains, numbered 1.. in order of size.
    CellGrid<int> island{};
    int majorLand = 0;
    for (int c = 0; c < kCellCount; ++c)
        for (std::size_t k = 0; k < order.size(); ++k)
            if (label[std::size_t(c)] == order[k]) {
                island[std::size_t(c)] = int(k + 1);
                ++majorLand;
            }

    int domains = std::min(plan.wantedDomains, majorLand / kCellsPerDomain);
    domains = std::min(domains, 16);
    if (domains < 6 || domains < 2 * int(order.size())) return false;

    // Domains per island in proportion to its size, at least two each.
    std::vector<int> quota(order.size(), 2);
    for (int given = 2 * int(order.size()); given < domains; ++given) {
        std::size_t best = 0;
        double bestGap = -1e9;
        for (std::size_t k = 0; k < order.size(); ++k) {
            const double want = double(size[std::size_t(order[k])]) / majorLand * domains;
            if (want - quota[k] > bestGap) {
                bestGap = want - quota[k];
                best = k;
            }
        }
        ++quota[best];
    }
    std::vector<int> seeds, seedIsland;
    for (std::size_t k = 0; k < order.size(); ++k)
        for (int s : domainSeeds(island, int(k + 1), quota[k], rng)) {
            seeds.push_back(s);
            seedIsland.push_back(int(k + 1));
        }
    // Number the domains from the top of the map down.
    std::vector<std::size_t> idx(seeds.size());
    for (std::size_t i = 0; i < idx.size(); ++i) idx[i] = i;
    std::sort(idx.begin(), idx.end(), [&](std::size_t a, std::size_t b) {
        const int ka = seeds[a] % kGrid + seeds[a] / kGrid,
                  kb = seeds[b] % kGrid + seeds[b] / kGrid;
        return ka != kb ? ka < kb : seeds[a] < seeds[b];
    });
    std::vector<int> sortedSeeds, sortedIsland;
    for (std::size_t i : idx) {
        sortedSeeds.push_back(seeds[i]);
        sortedIsland.push_back(seedIsland[i]);
    }
    plan.domain.fill(0);
    growDomains(plan, island, sortedSeeds, sortedIsland, rng.next32());
    smoothBorders(plan, sortedSeeds);

    // Islets close to a domain join the nearest one; the others sink.
    {
        CellGrid<int> dist;
        dist.fill(-1);
        std::deque<int> queue;
        for (int c = 0; c < kCellCount; ++c)
            if (plan.domain[std::size_t(c)]) {
                dist[std::size_t(c)] = 0;
                queue.push_back(c);
            }
        CellGrid<std::uint8_t> nearest = plan.domain;
        while (!queue.empty()) {
            const int c = queue.front();
            queue.pop_front();
            for (const auto& o : kAround) {
                const int nx = c % kGrid + o[0], ny = c / kGrid + o[1];
                if (!onGrid(nx, ny)) continue;
                const int n = cellIndex(nx, ny);
                if (dist[std::size_t(n)] < 0) {
                    dist[std::size_t(n)] = dist[std::size_t(c)] + 1;
                    nearest[std::size_t(n)] = nearest[std::size_t(c)];
                    queue.push_back(n);
                }
            }
        }
        for (int c = 0; c < kCellCount; ++c) {
            if (!land[std::size_t(c)] || island[std::size_t(c)]) continue;
            const int l = label[std::size_t(c)];
            if (size[std::size_t(l)] >= 3 && dist[std::size_t(c)] <= kIsletReach)
                plan.domain[std::size_t(c)] = nearest[std::size_t(c)];
        }
    }

    plan.domains.assign(std::size_t(domains), DomainPlan{});
    std::vector<int> cells(std::size_t(domains + 1), 0);
    for (int c = 0; c < kCellCount; ++c) {
        plan.use[std::size_t(c)] = plan.domain[std::size_t(c)] ? Use::Free : Use::Sea;
        ++cells[plan.domain[std::size_t(c)]];
    }
    for (int d = 1; d <= domains; ++d) {
        if (cells[std::size_t(d)] < kSmallestDomain) return false;
        DomainPlan& dp = plan.domains[std::size_t(d - 1)];
        dp.number = d;
        dp.component = sortedIsland[std::size_t(d - 1)];
    }
    return true;
}

}  // namespace d7::samplegen::planning
