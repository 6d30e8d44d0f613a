#include "core/analysis/report_registry.h"

#include "core/analysis/county_reports.h"
#include "core/analysis/trade_routes.h"

namespace d7 {

namespace {

template <ReportLines (*report)(const EditorState&)>
ReportLines reading(EditorState& st) {
    return report(st);
}

// "Traders" of the statistics: every stale route is built first.
ReportLines traderStatistics(EditorState& st) {
    ensureAllRouteCells(st);
    std::vector<std::vector<std::string>> cells(st.RouteCells.size());
    for (std::size_t t = 1; t < st.RouteCells.size(); ++t)
        for (const RouteCell& c : st.RouteCells[t]) cells[t].push_back(routeCellText(c));
    return traderStatisticsReport(st, cells);
}

constexpr NamedReport kReports[] = {
    {"counties", countiesReport},
    {"townvals", reading<townvalsReport>},
    {"traders", tradersReport},
    {"town-distances", reading<townDistancesReport>},
    {"traderoute", traderouteReport},
    {"adj-doms", reading<adjDomsReport>},
    {"roadside", reading<roadsideReport>},
    {"blacksmiths", reading<blacksmithsReport>},
    {"trader-stats", traderStatistics},
    {"t2t-adjacent", townToTownAdjacentReport},
    {"townadjroadpos", reading<townAdjRoadPosReport>},
    {"mapstats", reading<mapStatsLines>},
};

}  // namespace

std::span<const NamedReport> namedReports() {
    return kReports;
}

ReportMaker findNamedReport(std::string_view name) {
    for (const NamedReport& r : kReports)
        if (name == r.name) return r.make;
    return nullptr;
}

}  // namespace d7
