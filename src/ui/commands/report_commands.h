// The commands that write reports into the statistics window ("Check",
// "Lists", "Statistics", "Export Mapstats", the map popup's "Domain Info"),
// the "Pathfinding" developer views, and the jump from a report line to what
// it names on the map.
#pragma once

#include <QString>

namespace d7::ui {

class Editor;

void connectReportCommands(Editor& ed);
void connectPathfindingViews(Editor& ed);

// The report commands and views work on a loaded map set only.
void enableReportCommands(Editor& ed, bool mapLoaded);
void enablePathfindingViews(Editor& ed, bool mapLoaded);

// "Domain Info" for the map cell (x, y): runs the analysis pass and shows the
// summary of the cell's domain in the statistics window.
void showDomainInfo(Editor& ed, int x, int y);

// A domain line centres the map window on the domain as the domain list's
// double click does; a cell line scrolls to the cell and marks it. Other
// lines do nothing.
void jumpToReportLine(Editor& ed, const QString& line);

}  // namespace d7::ui
