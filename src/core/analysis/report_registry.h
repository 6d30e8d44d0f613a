// The list reports by the names the command line knows them by, so that the
// command line and the windows run the same report for the same name.
#pragma once

#include <span>
#include <string_view>

#include "core/analysis/report_text.h"

namespace d7 {

using ReportMaker = ReportLines (*)(EditorState&);

struct NamedReport {
    const char* name;  // "counties", "townvals", ...
    ReportMaker make;
};

// counties, townvals, traders, town-distances, traderoute, adj-doms,
// roadside, blacksmiths, t2t-adjacent, townadjroadpos, mapstats.
std::span<const NamedReport> namedReports();

// The report of that name, or null.
ReportMaker findNamedReport(std::string_view name);

}  // namespace d7
