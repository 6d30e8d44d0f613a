// The "Pathfinding" developer views under "Check": cost and distance tables
// printed onto the map picture, and the town road positions as a report.
#include <QAction>

#include "core/analysis/county_reports.h"
#include "core/analysis/developer_views.h"
#include "render/cell_text_views.h"
#include "ui/commands/report_commands.h"
#include "ui/editor.h"

namespace d7::ui {

namespace {

// Prints onto the map picture and shows the result in the map window.
template <typename Print>
void printOnMap(Editor& ed, Print print) {
    if (!ed.state().mapLoaded) return;
    print(ed.renderer(), ed.state());
    ed.mapForm().repaintMap();
}

void M_MoveMatrixClick(Editor& ed) {
    printOnMap(ed, [](render::MapRenderer& r, EditorState& st) {
        render::printCellTable(r, st, st.MoveMatrix);
    });
}

void M_DistMatrixClick(Editor& ed) {
    printOnMap(ed, [](render::MapRenderer& r, EditorState& st) {
        render::printCellTable(r, st, st.DistMatrix);
    });
}

void M_RoadMoveMatrixClick(Editor& ed) {
    printOnMap(ed, [](render::MapRenderer& r, EditorState& st) {
        render::printCellTable(r, st, st.RoadMoveMatrix);
    });
}

void M_RDistMClick(Editor& ed) {
    printOnMap(ed, [](render::MapRenderer& r, EditorState& st) {
        roadDistancesFromViewSource(st);
        render::printCellTable(r, st, st.DistMatrix);
    });
}

void M_ShrtPathClick(Editor& ed) {
    printOnMap(ed, [](render::MapRenderer& r, EditorState& st) {
        render::printCellMarks(r, st, viewSourceShortestPath(st));
    });
}

void M_TownAdjroadposClick(Editor& ed) {
    if (!ed.state().mapLoaded) return;
    ed.statForm().showReport(townAdjRoadPosReport(ed.state()), false);
}

const std::pair<const char*, void (*)(Editor&)> kViews[] = {
    {"M_MoveMatrix", M_MoveMatrixClick},
    {"M_DistMatrix", M_DistMatrixClick},
    {"M_RoadMoveMatrix", M_RoadMoveMatrixClick},
    {"M_RDistM", M_RDistMClick},
    {"M_ShrtPath", M_ShrtPathClick},
    {"M_TownAdjroadpos", M_TownAdjroadposClick},
};

}  // namespace

void connectPathfindingViews(Editor& ed) {
    for (const auto& [name, handler] : kViews)
        QObject::connect(ed.mainForm().mainMenu().action(QString::fromLatin1(name)),
                         &QAction::triggered, &ed.mainForm(),
                         [&ed, handler = handler] { handler(ed); });
}

void enablePathfindingViews(Editor& ed, bool mapLoaded) {
    for (const auto& view : kViews)
        ed.mainForm().mainMenu().action(QString::fromLatin1(view.first))->setEnabled(mapLoaded);
}

}  // namespace d7::ui
