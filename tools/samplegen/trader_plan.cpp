// Starting positions on five castles far apart, and the six traders' routes:
// chains of neighbouring towns on one island that together serve every town.
#include <algorithm>

#include "samplegen/plan_grid.h"

namespace d7::samplegen::planning {

namespace {

constexpr int kTraders = 6;
constexpr int kStarts = 5;

void chooseStarts(MapPlan& plan, Random& rng) {
    for (DomainPlan& dp : plan.domains) dp.startPosition = 0;
    std::vector<int> chosen{rng.below(plan.domainCount())};
    while (int(chosen.size()) < kStarts) {
        int best = -1, bestGap = -1;
        for (int i = 0; i < plan.domainCount(); ++i) {
            if (std::find(chosen.begin(), chosen.end(), i) != chosen.end()) continue;
            int gap = 1 << 20;
            for (int c : chosen)
                gap = std::min(gap, chebyshev(plan.domains[std::size_t(i)].castle,
                                              plan.domains[std::size_t(c)].castle));
            if (gap > bestGap) {
                bestGap = gap;
                best = i;
            }
        }
        chosen.push_back(best);
    }
    for (int k = 0; k < kStarts; ++k)
        plan.domains[std::size_t(chosen[std::size_t(k)])].startPosition = k + 1;
}

int usedSlots(const DomainPlan& dp) {
    return int(
        std::count_if(dp.traderSlots.begin(), dp.traderSlots.end(), [](int t) { return t != 0; }));
}

bool serves(const DomainPlan& dp, int t) {
    return std::find(dp.traderSlots.begin(), dp.traderSlots.end(), t) != dp.traderSlots.end();
}

void addStop(DomainPlan& dp, int t) {
    for (int& s : dp.traderSlots)
        if (s == 0) {
            s = t;
            return;
        }
}

// One attempt at routes: every island gets traders in proportion to its
// domains; each trader wanders from a town not yet served through
// neighbouring towns, stopping at those with a free slot.
void assignRoutes(MapPlan& plan, const std::vector<std::vector<bool>>& adj, Random& rng) {
    for (DomainPlan& dp : plan.domains) dp.traderSlots = {0, 0, 0};
    int islands = 0;
    for (const DomainPlan& dp : plan.domains) islands = std::max(islands, dp.component);
    std::vector<std::vector<int>> members(std::size_t(islands + 1));
    for (const DomainPlan& dp : plan.domains)
        members[std::size_t(dp.component)].push_back(dp.number);
    // Traders per island: one each, the rest by size; an island of n towns
    // takes more than n - 1 only when the others are full.
    std::vector<int> traders(std::size_t(islands + 1), 0);
    for (int i = 1; i <= islands; ++i) traders[std::size_t(i)] = 1;
    for (int given = islands; given < kTraders; ++given) {
        int best = 1;
        double bestShare = -1;
        for (int i = 1; i <= islands; ++i) {
            const int n = int(members[std::size_t(i)].size());
            double share = double(n) / traders[std::size_t(i)];
            if (traders[std::size_t(i)] >= n - 1) share -= 100;
            if (share > bestShare) {
                bestShare = share;
                best = i;
            }
        }
        ++traders[std::size_t(best)];
    }
    int t = 1;
    for (int i = 1; i <= islands; ++i) {
        const std::vector<int>& doms = members[std::size_t(i)];
        const int n = int(doms.size());
        for (int k = 0; k < traders[std::size_t(i)]; ++k, ++t) {
            const int length = std::clamp(3 + rng.below(3), 2, std::min(n, 6));
            std::vector<int> unserved, open;
            for (int d : doms) {
                const int used = usedSlots(plan.domains[std::size_t(d - 1)]);
                if (used == 0) unserved.push_back(d);
                if (used < 3) open.push_back(d);
            }
            if (open.empty()) break;
            int at = unserved.empty() ? open[std::size_t(rng.below(int(open.size())))]
                                      : unserved[std::size_t(rng.below(int(unserved.size())))];
            addStop(plan.domains[std::size_t(at - 1)], t);
            int stops = 1;
            for (int step = 0; step < 4 * length && stops < length; ++step) {
                std::vector<int> next, fresh;
                for (int e : doms) {
                    if (!adj[std::size_t(at)][std::size_t(e)]) continue;
                    next.push_back(e);
                    const DomainPlan& ep = plan.domains[std::size_t(e - 1)];
                    if (!serves(ep, t) && usedSlots(ep) == 0) fresh.push_back(e);
                }
                if (next.empty()) break;
                at = fresh.empty() ? next[std::size_t(rng.below(int(next.size())))]
                                   : fresh[std::size_t(rng.below(int(fresh.size())))];
                DomainPlan& here = plan.domains[std::size_t(at - 1)];
                if (!serves(here, t) && usedSlots(here) < 3) {
                    addStop(here, t);
                    ++stops;
                }
            }
        }
    }
    // Towns still without a trader join one that serves a neighbour.
    for (DomainPlan& dp : plan.domains) {
        if (usedSlots(dp) > 0) continue;
        for (int tr = 1; tr <= kTraders && usedSlots(dp) == 0; ++tr)
            for (const DomainPlan& other : plan.domains)
                if (other.component == dp.component && serves(other, tr) &&
                    adj[std::size_t(dp.number)][std::size_t(other.number)]) {
                    addStop(dp, tr);
                    break;
                }
    }
}

bool acceptable(const MapPlan& plan, bool distinctStarts) {
    for (const DomainPlan& dp : plan.domains)
        if (usedSlots(dp) == 0) return false;
    std::array<int, 7> stops{};
    for (const DomainPlan& dp : plan.domains)
        for (int tr : dp.traderSlots)
            if (tr) ++stops[std::size_t(tr)];
    for (int tr = 1; tr <= kTraders; ++tr)
        if (stops[std::size_t(tr)] < 2) return false;
    const auto starts = traderStarts(plan);
    for (int tr = 1; tr <= kTraders; ++tr) {
        if (starts[std::size_t(tr)] == 0) return false;
        if (distinctStarts)
            for (int u = 1; u < tr; ++u)
                if (starts[std::size_t(u)] == starts[std::size_t(tr)]) return false;
    }
    return true;
}

}  // namespace

std::array<int, 7> traderStarts(const MapPlan& plan) {
    // Town slot cells in the order the analysis pass meets them (y, then x).
    struct Slot {
        Cell cell;
        int domain, trader;
    };
    std::vector<Slot> slots;
    for (const DomainPlan& dp : plan.domains) {
        const Cell o = dp.town;
        const Cell cells[3] = {{o.x + 1, o.y}, {o.x, o.y + 1}, {o.x + 1, o.y + 1}};
        for (int s = 0; s < 3; ++s)
            if (dp.traderSlots[std::size_t(s)])
                slots.push_back({cells[s], dp.number, dp.traderSlots[std::size_t(s)]});
    }
    std::sort(slots.begin(), slots.end(), [](const Slot& a, const Slot& b) {
        return a.cell.y != b.cell.y ? a.cell.y < b.cell.y : a.cell.x < b.cell.x;
    });
    std::array<std::array<int, 16>, 7> stops{};
    std::array<int, 7> count{};
    for (const Slot& s : slots)
        if (count[std::size_t(s.trader)] < 16)
            stops[std::size_t(s.trader)][std::size_t(count[std::size_t(s.trader)]++)] = s.domain;
    std::array<int, 7> start{};
    for (int t = 1; t <= kTraders; ++t) {
        const auto& st = stops[std::size_t(t)];
        auto taken = [&](int c) {
            for (int u = 1; u <= kTraders; ++u)
                if (start[std::size_t(u)] == c) return true;
            return false;
        };
        int i = 0, c = st[0], tries = 1;
        while (taken(c) && tries <= 5) {
            i += 2;
            c = i < 16 ? st[std::size_t(i)] : 0;
            if (c <= 0) i = 1;
            ++tries;
        }
        start[std::size_t(t)] = c;
    }
    return start;
}

bool planTraders(MapPlan& plan, Random& rng) {
    chooseStarts(plan, rng);
    const auto adj = domainNeighbours(plan);
    // Distinct starts are preferred but not needed: the game lets two
    // traders start in one town.
    for (int attempt = 0; attempt < 1500; ++attempt) {
        assignRoutes(plan, adj, rng);
        if (acceptable(plan, attempt < 500)) return true;
    }
    return false;
}

}  // namespace d7::samplegen::planning
