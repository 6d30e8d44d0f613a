#include "core/analysis/county_reports.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "core/analysis/analyse_map.h"
#include "core/analysis/pathfinding.h"
#include "core/edit/geometry.h"

namespace d7 {

namespace {

constexpr int kNoRunLength = 1000;  // what a route without cells reports as its legs
constexpr int kLastExportedDomain = 15;

std::string num(int n) {
    return std::to_string(n);
}

std::string cellText(Point p) {
    return num(p.x) + "," + num(p.y);
}

bool isUsed(const EditorState& st, int d) {
    return st.CountyTable[std::size_t(d)].used;
}

bool adjacent(const EditorState& st, int d, int e) {
    return st.DomainAdjacency[std::size_t(d)][std::size_t(e)] == 1;
}

// M4 of a cell as a route slot; 0 for a cell off the grid (a town on the last
// row or column has slots there).
int slotAt(const EditorState& st, int x, int y) {
    return inMap(x, y) ? st.planes.M4.at(x, y) : 0;
}

std::string slotDigits(const std::array<std::int32_t, 3>& slots) {
    return num(slots[0]) + num(slots[1]) + num(slots[2]);
}

// Lengths of the runs of consecutive entries with the same label (the text
// before "=").
std::vector<int> labelRuns(const std::vector<std::string>& cells) {
    std::vector<int> runs;
    std::string_view previous;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::string_view entry = cells[i];
        const std::string_view label = entry.substr(0, entry.find('='));
        if (i == 0 || label != previous)
            runs.push_back(1);
        else
            ++runs.back();
        previous = label;
    }
    return runs;
}

}  // namespace

ReportLines countyBlock(const EditorState& st, int d) {
    static const Acounty kNothing{};
    const Acounty& c = d >= 0 && d < kCountyRecords ? st.CountyTable[std::size_t(d)] : kNothing;
    return {"County: " + num(d) + " " + countyName(st, d),
            "Castle: " + num(c.castles),
            "Town: " + num(c.towns),
            "Quarry: " + num(c.quarries),
            "Mine: " + num(c.mines),
            "Lumber: " + num(c.lumbers),
            "Village: " + num(c.villages),
            "Field: " + num(c.fields),
            "Green: " + num(c.greens)};
}

ReportLines countiesReport(EditorState& st) {
    AnalyseMap(st);
    ReportLines lines;
    for (int d = 0; d <= kMaxDomain; ++d) {
        const ReportLines block = countyBlock(st, d);
        lines.insert(lines.end(), block.begin(), block.end());
    }
    return lines;
}

ReportLines townvalsReport(const EditorState& st) {
    ReportLines lines;
    const WorkingPlanes& p = st.planes;
    for (int x = 0; x < kGrid; ++x) {
        for (int y = 0; y < kGrid; ++y) {
            if (p.M0.at(x, y) != flags::kTown || p.M3.at(x, y) != 0) continue;
            const int d = p.M5.at(x, y);
            lines.push_back(num(d) + ":" + countyName(st, d) + ": " + num(slotAt(st, x + 1, y)) +
                            num(slotAt(st, x, y + 1)) + num(slotAt(st, x + 1, y + 1)));
        }
    }
    return lines;
}

ReportLines tradersReport(EditorState& st) {
    AnalyseMap(st);
    ReportLines lines;
    for (int t = 1; t <= kTraders; ++t) {
        const TraderStopList& list = st.TraderStops[std::size_t(t)];
        lines.push_back("Trader " + num(t));
        lines.push_back("Stops: " + num(list.count));
        for (int i = 0; i < list.count && i < kMaxTraderStops; ++i) {
            const TraderStopEntry& e = list.entries[std::size_t(i)];
            lines.push_back(num(e.domain) + "(" + num(e.slot) + ")");
        }
    }
    return lines;
}

ReportLines townDistancesReport(const EditorState& st) {
    ReportLines lines;
    for (int d = 1; d <= kMaxDomain; ++d) {
        if (!isUsed(st, d)) continue;
        const Point a = st.CountyTable[std::size_t(d)].townPos;
        lines.push_back("Domain " + num(d) + "-" + countyName(st, d));
        for (int e = 1; e <= kMaxDomain; ++e) {
            if (e == d || !isUsed(st, e)) continue;
            const Point b = st.CountyTable[std::size_t(e)].townPos;
            const int distance = std::max(std::abs(a.x - b.x), std::abs(a.y - b.y));
            lines.push_back("-- " + num(e) + "-" + countyName(st, e) + ": " + num(distance));
        }
    }
    return lines;
}

ReportLines traderouteReport(EditorState& st) {
    AnalyseMap(st);
    ReportLines lines;
    for (int t = 1; t <= kTraders; ++t) {
        const TraderRouteRecord& route = st.TraderRoute[std::size_t(t)];
        const std::string index = " (index: " + num(route.startIndex) + ")";
        if (st.traderNames.size() < std::size_t(t)) {
            lines.push_back("Trader " + num(t));
            lines.push_back("Start: " + num(route.startDomain) + index);
        } else {
            lines.push_back(traderName(st, t));
            lines.push_back("Start: " + num(route.startDomain) + "-" +
                            countyName(st, route.startDomain) + index);
        }
        lines.push_back("Route");
        for (int i = 0; i < kMaxRouteStops; ++i) {
            const int d = route.stops[std::size_t(i)];
            if (d != 0) lines.push_back("[" + num(i) + "]  " + num(d) + "-" + countyName(st, d));
        }
    }
    return lines;
}

ReportLines adjDomsReport(const EditorState& st) {
    ReportLines lines;
    for (int d = 1; d <= kMaxDomain; ++d) {
        if (!isUsed(st, d)) continue;
        lines.push_back(num(d) + " - " + countyName(st, d));
        for (int e = 1; e <= kMaxDomain; ++e)
            if (adjacent(st, d, e)) lines.push_back(num(e));
    }
    return lines;
}

ReportLines roadsideReport(const EditorState& st) {
    ReportLines lines;
    for (int d = 1; d <= kMaxDomain; ++d)
        if (isUsed(st, d))
            lines.push_back(num(d) + " - " + countyName(st, d) + ": " +
                            cellText(st.CountyTable[std::size_t(d)].townRoadPos));
    return lines;
}

ReportLines blacksmithsReport(const EditorState& st) {
    ReportLines lines;
    for (int d = 1; d <= kMaxDomain; ++d) {
        const Point smith = st.CountyTable[std::size_t(d)].smithPos;
        if (isUsed(st, d) && smith.x != -1)
            lines.push_back(num(d) + " " + countyName(st, d) + "- X: " + num(smith.x) +
                            " Y: " + num(smith.y));
    }
    return lines;
}

ReportLines townToTownAdjacentReport(EditorState& st) {
    ReportLines lines;
    RoadDistances walk(st);
    for (int d = 1; d <= kMaxDomain; ++d) {
        if (!isUsed(st, d)) continue;
        const Point from = st.CountyTable[std::size_t(d)].townRoadPos;
        lines.push_back("Domain " + num(d) + " " + countyName(st, d));
        bool anyNeighbour = false;
        for (int e = 1; e <= kMaxDomain; ++e)
            anyNeighbour = anyNeighbour || (e != d && isUsed(st, e) && adjacent(st, d, e));
        if (!anyNeighbour) lines.push_back("No adjacent domains.");
        if (!from.isSet()) {
            lines.push_back("Town has no access to road.");
            continue;
        }
        for (int e = 1; e <= kMaxDomain; ++e) {
            const Point to = st.CountyTable[std::size_t(e)].townRoadPos;
            if (e == d || !isUsed(st, e) || !adjacent(st, d, e) || !to.isSet()) continue;
            // A walk longer than 150 steps is shown as it is; only a missing
            // road walk is measured again off the roads.
            TraceResult trip = walk(from, to, true);
            if (trip.steps == -1) trip = walk(from, to, false);
            if (trip.steps == -1) {
                lines.push_back("No path to adjacent domain " + num(e) + " " + countyName(st, e));
                continue;
            }
            std::string line = num(e) + ": " + num(trip.steps);
            if (trip.offroad > 0) line += " (Offroad: " + num(trip.offroad) + ").";
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

ReportLines townAdjRoadPosReport(const EditorState& st) {
    ReportLines lines;
    for (int d = 1; d <= kMaxDomain; ++d) {
        const Acounty& c = st.CountyTable[std::size_t(d)];
        // A domain without a town has no road beside it to list.
        if (!c.used || !c.townPos.isSet()) continue;
        Point road;
        if (FindRoadNear(st, c.townPos.x, c.townPos.y, road) > 0)
            lines.push_back(num(d) + " " + countyName(st, d) + " - X: " + num(road.x) +
                            " Y: " + num(road.y));
    }
    return lines;
}

ReportLines mapStatsLines(const EditorState& st) {
    ReportLines lines{"Nr;Name;Route;QML;Fields"};
    for (int d = 1; d <= kLastExportedDomain; ++d) {
        const Acounty& c = st.CountyTable[std::size_t(d)];
        if (!c.used) continue;
        lines.push_back(num(d) + ";" + countyName(st, d) + ";" + slotDigits(c.tradeSlot) + ";" +
                        num(c.quarries) + num(c.mines) + num(c.lumbers) + ";" + num(c.fields));
    }
    return lines;
}

ReportLines domainInfoReport(EditorState& st, int x, int y) {
    if (!inMap(x, y)) return {};
    AnalyseMap(st);
    return countyBlock(st, st.planes.M5.at(x, y));
}

ReportLines traderStatisticsReport(const EditorState& st,
                                   std::span<const std::vector<std::string>> routeCells) {
    static const std::vector<std::string> kNoCells;
    ReportLines lines;
    for (int t = 1; t <= kTraders; ++t) {
        const auto& cells =
            std::size_t(t) < routeCells.size() ? routeCells[std::size_t(t)] : kNoCells;
        const std::vector<int> runs = labelRuns(cells);
        const int shortest =
            runs.empty() ? kNoRunLength : *std::min_element(runs.begin(), runs.end());
        const int longest =
            runs.empty() ? kNoRunLength : *std::max_element(runs.begin(), runs.end());
        lines.push_back(traderName(st, t));
        lines.push_back("  Nr of stops: " + num(st.TraderRoute[std::size_t(t)].stopCount));
        lines.push_back("  Full Route: " + num(int(cells.size())));
        lines.push_back("  Shortest Route: " + num(shortest));
        lines.push_back("  Longest Route: " + num(longest));
    }
    return lines;
}

}  // namespace d7
