// The game's rules, checked on a built map (see map_builder.h).
#include <string>

#include "core/analysis/analyse_map.h"
#include "core/analysis/pathfinding.h"
#include "core/edit/geometry.h"
#include "core/model/map_access.h"
#include "samplegen/map_builder.h"

namespace d7::samplegen {

namespace {

constexpr int kLongestRoadTrip = 150;
constexpr int kLastGrassTile = 21;
constexpr int kMaxFields = 20;

std::string domainText(int d) {
    return "domain " + std::to_string(d) + ": ";
}

void checkDomain(EditorState& st, int d, std::vector<std::string>& out) {
    const Acounty& c = st.CountyTable[std::size_t(d)];
    const std::string at = domainText(d);
    auto fail = [&](const std::string& what) { out.push_back(at + what); };
    if (c.castles != 1) fail(std::to_string(c.castles) + " castles");
    if (c.towns != 1) fail(std::to_string(c.towns) + " towns");
    if (c.villages != 4) fail(std::to_string(c.villages) + " villages");
    if (c.mines > 0 && c.quarries > 0) fail("both a mine and a quarry");
    if (c.mines + c.lumbers + c.quarries < 2) fail("fewer than two resources");
    if (c.mines > 1 || c.lumbers > 1 || c.quarries > 1) fail("two resources of one kind");
    if (c.fields < 1 || c.fields > kMaxFields) fail(std::to_string(c.fields) + " fields");
    if (c.greens == 0) fail("no empty grassland");
    if (!c.smithPos.isSet()) fail("no place for the blacksmith");
    if (c.tradeSlot[0] == 0 && c.tradeSlot[1] == 0 && c.tradeSlot[2] == 0)
        fail("town serves no trader");
    if (c.castles == 1) {
        const Point p = c.castlePos;
        if (blockDomainCount(st.planes, p.x, p.y) != 1) fail("castle over several domains");
        if (blockRoadCount(st.planes, p.x, p.y) == 0) fail("castle without connecting road");
        for (int j = 0; j < 2; ++j)
            for (int i = 0; i < 2; ++i)
                if (st.planes.M2.at(p.x + i, p.y + j) > kLastGrassTile)
                    fail("castle on an invalid base tile");
        Point road;
        if (FindRoadNear(st, p.x, p.y, road) == 0) fail("castle without access to road");
    }
    if (c.towns == 1 && blockRoadCount(st.planes, c.townPos.x, c.townPos.y) == 0)
        fail("town without connecting road");
    if (!c.townRoadPos.isSet()) fail("town without access to road");
}

void checkRoadTrips(EditorState& st, int d, std::vector<std::string>& out) {
    const Acounty& c = st.CountyTable[std::size_t(d)];
    int neighbours = 0;
    // One search along the roads from the town serves the trips to every
    // neighbour (each trip is what RoadDistance with roadsOnly gives).
    if (c.townRoadPos.isSet())
        BuildDistances(st, st.MoveMatrix, c.townRoadPos.x, c.townRoadPos.y, true);
    for (int e = 1; e <= kMaxDomain; ++e) {
        const Acounty& o = st.CountyTable[std::size_t(e)];
        if (e == d || !o.used || !st.DomainAdjacency[std::size_t(d)][std::size_t(e)]) continue;
        ++neighbours;
        if (!c.townRoadPos.isSet() || !o.townRoadPos.isSet()) continue;
        const TraceResult trip = TracePath(st, o.townRoadPos.x, o.townRoadPos.y);
        if (trip.steps < 0 || trip.steps > kLongestRoadTrip || trip.offroad > 0)
            out.push_back(domainText(d) + "no road of at most 150 steps to domain " +
                          std::to_string(e) + " (" + std::to_string(trip.steps) + " steps, " +
                          std::to_string(trip.offroad) + " off the road)");
    }
    if (neighbours == 0) out.push_back(domainText(d) + "no neighbouring domain");
}

void checkCells(EditorState& st, std::vector<std::string>& out) {
    int black = 0, withoutDomain = 0, extMismatch = 0;
    const std::size_t record = extRecordOffset(st.curMap);
    const Bytes& stream = st.extStreams[std::size_t(fileOfMap(st.curMap))];
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) {
            const int m0 = st.planes.M0.at(x, y), m5 = st.planes.M5.at(x, y);
            if (m0 == 0 && st.planes.M2.at(x, y) <= 5) ++black;
            if (m5 == 0 && m0 != flags::kSea) ++withoutDomain;
            const std::size_t at = std::size_t(y) * kGrid + std::size_t(x);
            if (st.planes.Ext3.at(x, y) != m5 || stream[record + kExt3Offset + at] != m5 ||
                stream[record + kExt4Offset + at] != st.planes.Ext4.at(x, y))
                ++extMismatch;
        }
    if (black) out.push_back(std::to_string(black) + " black cells");
    if (withoutDomain) out.push_back(std::to_string(withoutDomain) + " land cells without domain");
    if (extMismatch)
        out.push_back(std::to_string(extMismatch) + " cells whose Ext record disagrees");
}

}  // namespace

std::vector<std::string> mapProblems(EditorState& st) {
    AnalyseMap(st);
    std::vector<std::string> out;
    int used = 0;
    for (int d = 1; d <= kMaxDomain; ++d) {
        if (!st.CountyTable[std::size_t(d)].used) continue;
        if (d != ++used) out.push_back("domain numbers have a gap before " + std::to_string(d));
        checkDomain(st, d, out);
    }
    for (int d = 1; d <= kMaxDomain; ++d)
        if (st.CountyTable[std::size_t(d)].used) checkRoadTrips(st, d, out);
    for (int k = 1; k <= kStartPositions; ++k)
        if (st.StartDomains[std::size_t(k)] < 1)
            out.push_back("no starting position " + std::to_string(k));
    for (int t = 1; t <= kTraders; ++t) {
        const TraderRouteRecord& r = st.TraderRoute[std::size_t(t)];
        if (r.startDomain <= 0) out.push_back("trader " + std::to_string(t) + " has no start");
        if (r.stopCount < 2)
            out.push_back("trader " + std::to_string(t) + " visits fewer than two towns");
    }
    checkCells(st, out);
    return out;
}

}  // namespace d7::samplegen
