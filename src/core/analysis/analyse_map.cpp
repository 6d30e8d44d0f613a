#include "core/analysis/analyse_map.h"

#include <algorithm>
#include <cstdlib>

#include "core/edit/geometry.h"

namespace d7 {

namespace {

// Resource kinds by M2 on a resource cell.
constexpr int kQuarryFrame = 0;
constexpr int kLumberFrame = 20;
constexpr int kMineFrame = 30;
constexpr int kNoSmithDistance = 64;  // larger than any distance on the grid
constexpr int kRoadSearchRadius = 3;

bool isDomain(int d) {
    return d >= 1 && d <= kMaxDomain;
}

// The cell tests of the pass. A town cell is exactly the Town flag on the
// town tileset, unlike the looser editing predicate.
bool castleCell(int m0, int m1) {
    return (m0 & flags::kBuilding) && (m1 & 0x0C) != 0x0C;
}
bool resourceCell(int m0, int m1) {
    return (m0 & flags::kBuilding) && (m1 & 0x0C) == 0x0C;
}
bool townCell(int m0, int m1) {
    return m0 == flags::kTown && m1 == tileset::kTown;
}
bool greenCell(int m0) {
    return m0 == 0 || m0 == flags::kBorder;
}

std::uint8_t moveCost(int m0, int m5) {
    if (m0 & (flags::kSea | flags::kUnpassable)) return kCostImpassable;
    if (m5 > kMaxDomain) return kCostImpassable;  // includes land without domain
    if (m0 & flags::kRoad) return kCostRoad;
    if (m0 & flags::kField) return kCostField;
    if (m0 & (flags::kTown | flags::kBuilding | flags::kVillage)) return kCostBuilding;
    return kCostGrass;
}

std::uint8_t roadToolCost(int m0) {
    return m0 <= (flags::kRoad | flags::kBorder) ? kCostGrass : kCostImpassable;
}

void resetCounty(Acounty& c) {
    c.castles = c.towns = c.quarries = c.mines = c.lumbers = 0;
    c.villages = c.fields = c.greens = 0;
    c.used = false;
    c.townPos = c.castlePos = c.townRoadPos = c.smithPos = Point{};
    c.tradeSlot = {0, 0, 0};
}

void appendRouteStop(TraderRouteRecord& route, int domain) {
    for (auto& s : route.stops) {
        if (s == 0) {
            s = domain;
            return;
        }
    }
}

void appendTraderStop(TraderStopList& list, int domain, int slot) {
    if (list.count >= kMaxTraderStops) return;
    list.entries[std::size_t(list.count++)] = {domain, slot};
}

// The per-domain tests of one cell of domain d.
void countCell(EditorState& st, int x, int y, int d) {
    const WorkingPlanes& p = st.planes;
    const int m0 = p.M0.at(x, y), m1 = p.M1.at(x, y), m2 = p.M2.at(x, y);
    const int m3 = p.M3.at(x, y), m4 = p.M4.at(x, y);
    Acounty& c = st.CountyTable[std::size_t(d)];
    c.used = true;
    if (castleCell(m0, m1) && m3 == 1 && m4 >= 1 && m4 <= kStartPositions)
        st.StartDomains[std::size_t(m4)] = d;
    if (castleCell(m0, m1) && m3 == 0) {
        ++c.castles;
        c.castlePos = {x, y};
    }
    if (m0 & flags::kVillage) ++c.villages;
    if (townCell(m0, m1)) {
        if (m3 == 0) {
            ++c.towns;
            c.townPos = {x, y};
        }
        if (m4 >= 1 && m4 <= kTraders) {
            appendRouteStop(st.TraderRoute[std::size_t(m4)], d);
            if (m3 >= 1 && m3 <= 3) {
                appendTraderStop(st.TraderStops[std::size_t(m4)], d, m3);
                c.tradeSlot[std::size_t(m3 - 1)] = m4;
            }
        }
    }
    if (resourceCell(m0, m1)) {
        if (m2 == kQuarryFrame) ++c.quarries;
        if (m2 == kLumberFrame) ++c.lumbers;
        if (m2 == kMineFrame) ++c.mines;
    }
    if (m0 & flags::kField) ++c.fields;
    if (greenCell(m0)) ++c.greens;
}

// Matrices, adjacency and the per-domain tests, y outer and x inner.
void scanCells(EditorState& st) {
    const WorkingPlanes& p = st.planes;
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
            const int m0 = p.M0.at(x, y), d = p.M5.at(x, y);
            st.MoveMatrix.at(x, y) = moveCost(m0, d);
            st.RoadMoveMatrix.at(x, y) = roadToolCost(m0);
            // Other values than 1..16 are domain 0, land without domain, or
            // what a damaged file holds: none of them counts towards a domain.
            if (!isDomain(d)) continue;
            auto& row = st.DomainAdjacency[std::size_t(d)];
            auto border = [&](int nx, int ny) {
                if (!inMap(nx, ny)) return;
                const int e = p.M5.at(nx, ny);
                if (isDomain(e) && e != d) row[std::size_t(e)] = 1;
            };
            border(x, y - 1);
            border(x + 1, y);
            border(x, y + 1);
            border(x - 1, y);
            countCell(st, x, y, d);
        }
    }
}

bool collidesWithStart(const EditorState& st, int domain) {
    for (int t = 1; t <= kTraders; ++t)
        if (st.TraderRoute[std::size_t(t)].startDomain == domain) return true;
    return false;
}

// Each trader starts at the first of its stops at indices 0, 2, 4, ... that
// no trader starts at yet; once an empty stop is met the candidate index
// falls back to 3. Six candidates at most; the last one tried stands.
void chooseTraderStarts(EditorState& st) {
    for (int t = 1; t <= kTraders; ++t) {
        TraderRouteRecord& route = st.TraderRoute[std::size_t(t)];
        int i = 0, chosen = 0, tries = 1;
        int c = route.stops[0];
        while (collidesWithStart(st, c) && tries <= 5) {
            i += 2;  // at most 10, or 3 after a fall-back: always inside the 16 stops
            c = route.stops[std::size_t(i)];
            chosen = i;
            if (c <= 0) i = 1;
            ++tries;
        }
        route.startDomain = c;
        route.startIndex = chosen;
    }
}

void countStops(EditorState& st) {
    for (int t = 1; t <= kTraders; ++t) {
        TraderRouteRecord& route = st.TraderRoute[std::size_t(t)];
        route.stopCount = 0;
        while (route.stopCount < kMaxRouteStops && route.stops[std::size_t(route.stopCount)] != 0)
            ++route.stopCount;
    }
}

void findTownRoads(EditorState& st) {
    for (int d = 1; d <= kMaxDomain; ++d) {
        Acounty& c = st.CountyTable[std::size_t(d)];
        if (c.used && c.towns > 0) FindRoadNear(st, c.townPos.x, c.townPos.y, c.townRoadPos);
    }
}

// A blacksmith goes on a plain cell (M0 exactly 0) beside a plain field of
// its domain, as close as possible to the town's part-3 cell; the first such
// cell in scan order wins ties.
void placeBlacksmiths(EditorState& st) {
    const WorkingPlanes& p = st.planes;
    std::array<int, kMaxDomain + 1> best;
    best.fill(kNoSmithDistance);
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
            const int d = p.M5.at(x, y);
            if (!isDomain(d) || p.M0.at(x, y) != 0) continue;
            Acounty& c = st.CountyTable[std::size_t(d)];
            if (!c.used) continue;
            auto plainField = [&](int nx, int ny) {
                return inMap(nx, ny) && p.M5.at(nx, ny) == d && p.M0.at(nx, ny) == flags::kField;
            };
            if (!plainField(x, y - 1) && !plainField(x + 1, y) && !plainField(x, y + 1) &&
                !plainField(x - 1, y))
                continue;
            const int dist =
                std::max(std::abs(x - (c.townPos.x + 1)), std::abs(y - (c.townPos.y + 1)));
            if (dist < best[std::size_t(d)]) {
                best[std::size_t(d)] = dist;
                c.smithPos = {x, y};
            }
        }
    }
}

}  // namespace

void AnalyseMap(EditorState& st) {
    for (int d = 1; d <= kMaxDomain; ++d)
        st.OldSmithPos[std::size_t(d)] = st.CountyTable[std::size_t(d)].smithPos;
    for (Acounty& c : st.CountyTable) resetCounty(c);
    for (auto& list : st.TraderStops) list = TraderStopList{};
    for (auto& row : st.DomainAdjacency) row.fill(0);
    for (auto& route : st.TraderRoute) route = TraderRouteRecord{};
    st.StartDomains.fill(-1);

    scanCells(st);
    chooseTraderStarts(st);
    countStops(st);
    findTownRoads(st);
    placeBlacksmiths(st);

    for (int d = 1; d <= kMaxDomain; ++d) {
        const Point smith = st.CountyTable[std::size_t(d)].smithPos;
        if (smith.x != -1) st.MoveMatrix.at(smith.x, smith.y) = kCostBuilding;
    }
}

int FindRoadNear(const EditorState& st, int x, int y, Point& found) {
    found = Point{};
    // Beyond this the squares cannot touch the grid (and x + 1 cannot overflow).
    if (x < -kRoadSearchRadius - 1 || x > kGrid + kRoadSearchRadius || y < -kRoadSearchRadius - 1 ||
        y > kGrid + kRoadSearchRadius)
        return 0;
    const int cx = x + 1, cy = y + 1;
    for (int r = 1; r <= kRoadSearchRadius; ++r) {
        const int x0 = std::max(cx - r, 0), x1 = std::min(cx + r, kGrid - 1);
        const int y0 = std::max(cy - r, 0), y1 = std::min(cy + r, kGrid - 1);
        for (int yy = y0; yy <= y1; ++yy) {
            for (int xx = x0; xx <= x1; ++xx) {
                if (st.planes.M0.at(xx, yy) & flags::kRoad) {
                    found = {xx, yy};
                    return r;
                }
            }
        }
    }
    return 0;
}

int NeighbourPlane(const EditorState& st, int p, int x, int y, int dir) {
    if (p < 0 || p > 5 || dir < 0 || dir > 7) return 0;
    if (x < -1 || x > kGrid || y < -1 || y > kGrid) return 0;  // no neighbour on the grid
    const int nx = x + kDirections[std::size_t(dir)].dx, ny = y + kDirections[std::size_t(dir)].dy;
    if (!inMap(nx, ny)) return 0;
    return st.planes.cellPlane(p).at(nx, ny);
}

int NeighbourDomain(const EditorState& st, int x, int y, int dir) {
    return NeighbourPlane(st, 5, x, y, dir);
}

}  // namespace d7
