#include "core/analysis/map_checks.h"

#include "core/analysis/analyse_map.h"
#include "core/analysis/fix_plans.h"
#include "core/analysis/pathfinding.h"
#include "core/edit/geometry.h"

namespace d7 {

namespace {

constexpr int kLastBaseTile = 21;  // base tile numbers a castle may stand on
constexpr int kVillagesPerDomain = 4;
constexpr int kMostFields = 20;
constexpr int kMineFrame = 30;

std::string num(int n) {
    return std::to_string(n);
}

// Collects lines; a finding also counts, and marks the current domain faulty.
struct ReportWriter {
    CheckReport report;
    bool faulty = false;

    void plain(std::string line) { report.lines.push_back(std::move(line)); }
    void finding(std::string line) {
        report.lines.push_back(std::move(line));
        ++report.findings;
    }
    void fault(std::string line) {
        finding(std::move(line));
        faulty = true;
    }
    // A repair for the line written last.
    void offer(const MapFix& fix) { report.fixes.push_back({report.lines.size() - 1, fix}); }
    void beginDomain(const EditorState& st, int d) {
        plain("Domain " + num(d) + " " + countyName(st, d));
        faulty = false;
    }
    void endDomain() {
        if (!faulty) plain("Ok.");
    }
};

bool isUsed(const EditorState& st, int d) {
    return st.CountyTable[std::size_t(d)].used;
}

// The searches for a road leave the latest search and path as they were:
// the road tool's path may be waiting for "Set Road".
void offerConnectingRoad(EditorState& st, Point block, int d, FixKind kind, ReportWriter& w) {
    const PathState kept = st;
    if (traceConnectingRoad(st, block)) w.offer({.kind = kind, .cell = block, .domain = d});
    static_cast<PathState&>(st) = kept;
}

void testCastle(EditorState& st, int d, const Acounty& c, ReportWriter& w) {
    if (c.castles != 1) {
        w.fault("Domain has " + num(c.castles) + " castles.");
        return;
    }
    const Point p = c.castlePos;
    if (blockDomainCount(st.planes, p.x, p.y) > 1) w.fault("Castle extends over multiple domains.");
    if (blockRoadCount(st.planes, p.x, p.y) == 0) {
        w.fault("Castle has no connecting road.");
        offerConnectingRoad(st, p, d, FixKind::ConnectCastle, w);
    }
    const bool placeable = castleWantsPlacing(st, p);
    for (Offset o : {Offset{0, 0}, Offset{1, 0}, Offset{0, 1}, Offset{1, 1}}) {
        const int cx = p.x + o.dx, cy = p.y + o.dy;
        // A castle on the last row or column has cells off the grid: nothing to test there.
        if (!inMap(cx, cy) || st.planes.M2.at(cx, cy) <= kLastBaseTile) continue;
        w.fault("Castle has invalid base tile at " + num(cx) + "," + num(cy) +
                ". Please place castle again to fix this.");
        if (placeable) w.offer({.kind = FixKind::PlaceCastleAgain, .cell = p, .domain = d});
    }
}

void testDomainContents(EditorState& st, int d, ReportWriter& w) {
    const Acounty& c = st.CountyTable[std::size_t(d)];
    testCastle(st, d, c, w);
    if (c.towns != 1) {
        w.fault("Domain has " + num(c.towns) + " towns.");
    } else if (blockRoadCount(st.planes, c.townPos.x, c.townPos.y) == 0) {
        w.fault("Town has no connecting road.");
        offerConnectingRoad(st, c.townPos, d, FixKind::ConnectTown, w);
    }
    if (c.villages != kVillagesPerDomain)
        w.fault("Domain has " + num(c.villages) + " village(s) (needs 4).");
    if (c.mines > 0 && c.quarries > 0) w.fault("Domain should only have either Mine or Quarry.");
    if (c.mines + c.lumbers + c.quarries < 2) w.fault("Domain has only one resource.");
    if (c.mines > 1) w.fault("Domain has more than 1 Mine.");
    if (c.lumbers > 1) w.fault("Domain has more than 1 Woodcutter.");
    if (c.quarries > 1) w.fault("Domain has more than 1 Quarry.");
    if (c.fields == 0) w.fault("Domain has no fields.");
    if (c.fields > kMostFields) w.fault("Domain has more than 20 fields.");
    if (c.greens == 0) w.fault("Domain needs at least one emtpy grassland (for blacksmith)");
    if (c.tradeSlot[0] <= 0 && c.tradeSlot[1] <= 0 && c.tradeSlot[2] <= 0)
        w.fault("No Trader set for Town");
}

void testCells(const EditorState& st, ReportWriter& w) {
    int black = 0;
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
            const int m0 = st.planes.M0.at(x, y);
            if (st.planes.M5.at(x, y) == kNoDomain && m0 != flags::kSea) {
                w.finding("Missing Domain definition at (" + num(x) + "," + num(y) + ")");
                if (const int d = majorityNeighbourDomain(st.planes, x, y))
                    w.offer({.kind = FixKind::NeighbourDomain, .cell = {x, y}, .domain = d});
            }
            if (isBlackTile(st.planes, x, y)) ++black;
        }
    }
    if (black > 0) {
        w.finding("Black tiles left: " + num(black));
        w.offer({.kind = FixKind::BlackToGrass});
        w.offer({.kind = FixKind::BlackToSea});
    }
}

// The line (if any) about the walk from c's town to the town of neighbour e.
// A walk too long along the roads is measured again off the roads as well.
void testRoadToNeighbour(EditorState& st, RoadDistances& walk, int d, int e, ReportWriter& w) {
    const Acounty& c = st.CountyTable[std::size_t(d)];
    const Point to = st.CountyTable[std::size_t(e)].townRoadPos;
    TraceResult trip = walk(c.townRoadPos, to, true);
    const bool far = trip.steps > kLongestTownRoad;
    if (far) w.faulty = true;
    if (trip.steps == -1 || far) trip = walk(c.townRoadPos, to, false);
    if (trip.steps == -1) {
        w.fault("No path to adjacent domain " + num(e) + " " + countyName(st, e));
        return;
    }
    std::string line;
    if (far) line = num(e) + ":  Road distance>150 steps";
    if (trip.offroad > 0) {
        if (!far) line = "No continuous road to domain " + num(e);
        line += " (Offroad: " + num(trip.offroad) + ").";
    }
    if (line.empty()) return;
    w.finding(std::move(line));
    // The path of the walk just traced is the one the line counts.
    std::vector<Point> cells;
    if (!far && planPaving(st, c.townRoadPos, cells))
        w.offer({.kind = FixKind::PaveOffroad, .domain = d, .other = e});
}

int adjacentUsedDomains(const EditorState& st, int d) {
    int n = 0;
    for (int e = 1; e <= kMaxDomain; ++e)
        if (e != d && isUsed(st, e) && st.DomainAdjacency[std::size_t(d)][std::size_t(e)] == 1) ++n;
    return n;
}

}  // namespace

CheckReport checkMapErrors(EditorState& st) {
    AnalyseMap(st);
    ReportWriter w;
    for (int k = 1; k <= kStartPositions; ++k)
        if (st.StartDomains[std::size_t(k)] < 1) w.finding("No Starting Position for " + num(k));
    w.plain("Domains:");
    for (int d = 1; d <= kMaxDomain; ++d) {
        if (!isUsed(st, d)) continue;
        w.beginDomain(st, d);
        testDomainContents(st, d, w);
        w.endDomain();
    }
    w.plain("General:");
    if (hasDomainNumberGap(st)) {
        w.finding(
            "There are gaps in the Domain numbering. (Keep empty domains at the end of the list.)");
        int used = 0;
        for (int d = 1; d <= kMaxDomain; ++d) used += isUsed(st, d) ? 1 : 0;
        w.offer({.kind = FixKind::RenumberDomains, .other = used});
    }
    testCells(st, w);
    return std::move(w.report);
}

CheckReport checkPathfinding(EditorState& st) {
    ReportWriter w;
    RoadDistances walk(st);
    for (int d = 1; d <= kMaxDomain; ++d) {
        if (!isUsed(st, d)) continue;
        const Acounty& c = st.CountyTable[std::size_t(d)];
        w.beginDomain(st, d);
        const int neighbours = adjacentUsedDomains(st, d);
        if (neighbours == 0) w.fault("No adjacent domains.");
        if (!c.townRoadPos.isSet()) {
            w.fault("Town has no access to road.");
        } else if (neighbours > 0) {
            for (int e = 1; e <= kMaxDomain; ++e) {
                const Acounty& o = st.CountyTable[std::size_t(e)];
                if (e == d || !o.used || st.DomainAdjacency[std::size_t(d)][std::size_t(e)] != 1 ||
                    !o.townRoadPos.isSet())
                    continue;
                testRoadToNeighbour(st, walk, d, e, w);
            }
        }
        Point road;
        if (c.castles > 0 && FindRoadNear(st, c.castlePos.x, c.castlePos.y, road) == 0)
            w.fault("Castle has no access to road.");
        w.endDomain();
    }
    return std::move(w.report);
}

CheckReport checkClipping(const EditorState& st) {
    ReportWriter w;
    w.plain("Building positions that might clip with cows: ");
    const WorkingPlanes& p = st.planes;
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
            const bool mine = isResource(p, x, y) && p.M2.at(x, y) == kMineFrame;
            if (!isVillage(p, x, y) && !mine) continue;
            // The game looks at neighbours from the third row and column on only.
            const bool fieldWest = x >= 2 && isField(p, x - 1, y);
            const bool fieldNorth = y >= 2 && isField(p, x, y - 1);
            if (fieldWest || fieldNorth) w.finding(num(x) + "," + num(y));
        }
    }
    if (w.report.findings == 0) w.plain("None.");
    return std::move(w.report);
}

CheckReport runMapCheck(EditorState& st, MapCheck check) {
    switch (check) {
        case MapCheck::Errors:
            return checkMapErrors(st);
        case MapCheck::Pathfinding:
            return checkPathfinding(st);
        case MapCheck::Submaps:
            return checkSubmaps(st);
        case MapCheck::Clipping:
            break;
    }
    return checkClipping(st);
}

bool mapCheckFromName(std::string_view name, MapCheck& check) {
    if (name == "errors")
        check = MapCheck::Errors;
    else if (name == "pathfinding")
        check = MapCheck::Pathfinding;
    else if (name == "clipping")
        check = MapCheck::Clipping;
    else if (name == "submaps")
        check = MapCheck::Submaps;
    else
        return false;
    return true;
}

}  // namespace d7
