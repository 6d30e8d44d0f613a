#include "core/analysis/report_registry.h"

#include "core/analysis/county_reports.h"

namespace d7 {

namespace {

template <ReportLines (*report)(const EditorState&)>
ReportLines reading(EditorState& st) {
    return report(st);
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
