// The statistics and lists of the current map: county summaries, towns,
// traders, distances, neighbours, road positions and blacksmiths, as report
// lines. Reports that name "runs the analysis pass" run it first; the others
// read the latest pass.
#pragma once

#include <span>

#include "core/analysis/report_text.h"

namespace d7 {

// The nine summary lines of domain d ("County: ", "Castle: ", ... "Green: ").
// Any number is safe: one outside the table reads as a domain with nothing.
ReportLines countyBlock(const EditorState& st, int d);

// "Counties" (runs the analysis pass): the block of every domain 0 to 16.
ReportLines countiesReport(EditorState& st);
// "Townvals": each town main cell with its three route slots.
ReportLines townvalsReport(const EditorState& st);
// "Traders" of the lists (runs the analysis pass): each trader's stops.
ReportLines tradersReport(EditorState& st);
// "Town distances": the straight distances between the towns of used domains.
ReportLines townDistancesReport(const EditorState& st);
// "Traderoute" (runs the analysis pass): each trader's start and stops.
ReportLines traderouteReport(EditorState& st);
// "Adj Doms": each used domain and its neighbours.
ReportLines adjDomsReport(const EditorState& st);
// "Roadside": each used domain's town road position.
ReportLines roadsideReport(const EditorState& st);
// "Blacksmiths": each used domain's blacksmith.
ReportLines blacksmithsReport(const EditorState& st);
// "Town-to-Town distances (adjacent)": road walks between neighbouring towns.
// Overwrites the distance field and path of the latest search.
ReportLines townToTownAdjacentReport(EditorState& st);
// "TownAdjroadpos": the road cell found near each used domain's town.
ReportLines townAdjRoadPosReport(const EditorState& st);
// The lines of "Export Mapstats": "Nr;Name;Route;QML;Fields", then one line
// per used domain 1 to 15.
ReportLines mapStatsLines(const EditorState& st);
// "Domain Info" (runs the analysis pass): the block of cell (x, y)'s domain;
// nothing for a cell off the grid.
ReportLines domainInfoReport(EditorState& st, int x, int y);

// "Traders" of the statistics: per trader its name, stop count and the
// lengths of its whole route and of its shortest and longest legs.
// routeCells[t] holds trader t's route cells ("label=x,y", in travel order;
// index 0 unused, missing traders read as empty).
ReportLines traderStatisticsReport(const EditorState& st,
                                   std::span<const std::vector<std::string>> routeCells);

}  // namespace d7
