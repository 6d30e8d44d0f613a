#include "core/analysis/analyse_map.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "core/edit/geometry.h"

namespace d7 {

namespace {

// Resource kinds by M2 on a resource cell.
constexpr int kQuarryFrame = 0;
constexpr int kLumberFrame = 20;
constexpr int kMineFrame = 30;
constexpr int kNoSmithDistance = 64;  // a blacksmith must stand nearer than this
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

constexpr std::uint8_t moveCost(int m0, int m5) {
    if (m0 & (flags::kSea | flags::kUnpassable)) return kCostImpassable;
    if (m5 > kMaxDomain) return kCostImpassable;  // includes land without domain
    if (m0 & flags::kRoad) return kCostRoad;
    if (m0 & flags::kField) return kCostField;
    if (m0 & (flags::kTown | flags::kBuilding | flags::kVillage)) return kCostBuilding;
    return kCostGrass;
}

constexpr std::uint8_t roadToolCost(int m0) {
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

// The per-domain tests of a town, castle or resource cell of domain d.
void countBuildingCell(EditorState& st, int x, int y, int d) {
    const WorkingPlanes& p = st.planes;
    const int m0 = p.M0.at(x, y), m1 = p.M1.at(x, y), m2 = p.M2.at(x, y);
    const int m3 = p.M3.at(x, y), m4 = p.M4.at(x, y);
    Acounty& c = st.CountyTable[std::size_t(d)];
    if (castleCell(m0, m1) && m3 == 1 && m4 >= 1 && m4 <= kStartPositions)
        st.StartDomains[std::size_t(m4)] = d;
    if (castleCell(m0, m1) && m3 == 0) {
        ++c.castles;
        c.castlePos = {x, y};
    }
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
}

// MoveMatrix cost by M0 for a cell whose domain number is 16 or less.
constexpr std::array<std::uint8_t, 256> kMoveCostByFlags = [] {
    std::array<std::uint8_t, 256> table{};
    for (int m0 = 0; m0 < 256; ++m0) table[std::size_t(m0)] = moveCost(m0, 0);
    return table;
}();

void buildMatrices(EditorState& st) {
    const auto& m0 = st.planes.M0.bytes;
    const auto& m5 = st.planes.M5.bytes;
    for (std::size_t i = 0; i < std::size_t(kCellCount); ++i) {
        st.MoveMatrix.values[i] = m5[i] > kMaxDomain ? kCostImpassable : kMoveCostByFlags[m0[i]];
        st.RoadMoveMatrix.values[i] = roadToolCost(m0[i]);
    }
}

void markAdjacent(EditorState& st, int d, int e) {
    if (d == e || !isDomain(d) || !isDomain(e)) return;
    st.DomainAdjacency[std::size_t(d)][std::size_t(e)] = 1;
    st.DomainAdjacency[std::size_t(e)][std::size_t(d)] = 1;
}

// Orthogonal contact is symmetric, so looking down from every cell here and
// right at the end of every run (countCells), marking both directions, finds
// every pair that looking all four ways finds. Rows are compared eight cells
// at a time; only words that differ are looked at cell by cell.
void markVerticalAdjacency(EditorState& st) {
    const auto& m5 = st.planes.M5.bytes;
    for (int y = 0; y + 1 < kGrid; ++y) {
        const std::uint8_t* upper = m5.data() + y * kGrid;
        const std::uint8_t* lower = upper + kGrid;
        for (int x = 0; x < kGrid; x += 8) {
            std::uint64_t a, b;
            std::memcpy(&a, upper + x, 8);
            std::memcpy(&b, lower + x, 8);
            if (a == b) continue;
            for (int k = x; k < x + 8; ++k) markAdjacent(st, upper[k], lower[k]);
        }
    }
}

// Cells of domains 1..16 with M0 exactly a field: where blacksmiths can stand beside.
struct FieldCells {
    std::array<std::int16_t, kCellCount> cells;
    int count = 0;
};

// The per-domain tests, y outer and x inner, so that later cells overwrite
// positions and starting domains and stops are appended in scan order. The
// counts of a run of cells of one domain are summed locally and added once.
// Also marks horizontal adjacency and collects the plain field cells.
void countCells(EditorState& st, FieldCells& fields) {
    const auto& m0 = st.planes.M0.bytes;
    const auto& m5 = st.planes.M5.bytes;
    fields.count = 0;
    for (int y = 0; y < kGrid; ++y) {
        const int row = y * kGrid;
        int x = 0;
        while (x < kGrid) {
            const int d = m5[std::size_t(row + x)];
            int end = x + 1;
            while (end < kGrid && m5[std::size_t(row + end)] == d) ++end;
            if (end < kGrid) markAdjacent(st, d, m5[std::size_t(row + end)]);
            // Other values than 1..16 are domain 0, land without domain, or
            // what a damaged file holds: none of them counts towards a domain.
            if (isDomain(d)) {
                int villages = 0, fieldCount = 0, greens = 0;
                for (int cx = x; cx < end; ++cx) {
                    const int flagsOfCell = m0[std::size_t(row + cx)];
                    villages += (flagsOfCell & flags::kVillage) != 0;
                    fieldCount += (flagsOfCell & flags::kField) != 0;
                    greens += greenCell(flagsOfCell);
                    // Written for every cell, kept only for a field: no branch.
                    fields.cells[std::size_t(fields.count)] = std::int16_t(row + cx);
                    fields.count += flagsOfCell == flags::kField;
                    if (flagsOfCell & (flags::kTown | flags::kBuilding))
                        countBuildingCell(st, cx, y, d);
                }
                Acounty& c = st.CountyTable[std::size_t(d)];
                c.used = true;
                c.villages += villages;
                c.fields += fieldCount;
                c.greens += greens;
            }
            x = end;
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
// cell in scan order wins ties. That is the smallest (distance, y, x) over all
// candidates, so the candidates can be found from the fields in any order.
void placeBlacksmiths(EditorState& st, const FieldCells& fields) {
    const auto& m0 = st.planes.M0.bytes;
    const auto& m5 = st.planes.M5.bytes;
    std::array<int, kMaxDomain + 1> bestKey;
    bestKey.fill(INT_MAX);
    for (int k = 0; k < fields.count; ++k) {
        const int f = fields.cells[std::size_t(k)];
        const int fx = f % kGrid, fy = f / kGrid, d = m5[std::size_t(f)];
        Acounty& c = st.CountyTable[std::size_t(d)];
        for (int dir = 0; dir < 8; dir += 2) {
            const int x = fx + kDirections[std::size_t(dir)].dx;
            const int y = fy + kDirections[std::size_t(dir)].dy;
            if (!inMap(x, y)) continue;
            const std::size_t i = std::size_t(y * kGrid + x);
            if (m0[i] != 0 || m5[i] != d) continue;
            const int dist =
                std::max(std::abs(x - (c.townPos.x + 1)), std::abs(y - (c.townPos.y + 1)));
            const int key = dist * kCellCount + int(i);
            if (dist < kNoSmithDistance && key < bestKey[std::size_t(d)]) {
                bestKey[std::size_t(d)] = key;
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

    FieldCells fields;  // on the stack: the pass allocates nothing
    buildMatrices(st);
    countCells(st, fields);
    markVerticalAdjacency(st);
    chooseTraderStarts(st);
    countStops(st);
    findTownRoads(st);
    placeBlacksmiths(st, fields);

    for (int d = 1; d <= kMaxDomain; ++d) {
        const Point smith = st.CountyTable[std::size_t(d)].smithPos;
        if (smith.x != -1) st.MoveMatrix.at(smith.x, smith.y) = kCostBuilding;
    }
}

void BuildCostMatrices(EditorState& st) {
    buildMatrices(st);
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
