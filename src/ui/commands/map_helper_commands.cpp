// The "Map Helper" menu's commands on the whole current map. Each core
// operation ends with a full redraw of the map picture, which repaints the
// map window, the minimap and the domain list (Editor::repaintViews).
#include <QAction>

#include "core/edit/borders.h"
#include "core/edit/coast.h"
#include "core/edit/roads.h"
#include "core/edit/whole_map.h"
#include "ui/commands/command_guard.h"
#include "ui/commands/menu_commands.h"
#include "ui/dialogs/shift_distance_dialog.h"
#include "ui/editor.h"

namespace d7::ui {

namespace {

// Runs a command on the loaded map set only.
void onMap(Editor& ed, const std::function<void(EditorState&)>& command) {
    EditorContext& ctx = ed.context();
    if (!ctx.st.mapLoaded) return;
    runCommand(ctx.prompt, [&] { command(ctx.st); });
}

void shiftClick(Editor& ed, ShiftDirection direction) {
    if (!ed.state().mapLoaded) return;
    ShiftDistanceDialog dialog(&ed.mainForm());
    const std::optional<std::string> answer = dialog.askDistance();
    if (!answer) return;
    onMap(ed, [&](EditorState& st) {
        shiftMap(st, ed.context().prompt, readShiftDistance(*answer), direction);
    });
}

}  // namespace

const std::vector<const char*>& mapHelperCommandNames() {
    static const std::vector<const char*> names = {
        "M_RecalcRoads",  "M_CreateCliffs", "M_SetBordertiles", "M_FillBlackGrass",
        "M_FillBlackSea", "M_FillAllGrass", "M_FillAllSea",     "M_SetNomansland",
        "M_ShiftXPlus",   "M_ShiftXMinus",  "M_ShiftYPlus",     "M_ShiftYMinus"};
    return names;
}

void connectMapHelperCommands(Editor& ed) {
    MainMenu& menu = ed.mainForm().mainMenu();
    auto on = [&](const char* name, std::function<void()> handler) {
        QObject::connect(menu.action(QString::fromLatin1(name)), &QAction::triggered,
                         &ed.mainForm(), std::move(handler));
    };
    auto onMapCommand = [&](const char* name, void (*command)(EditorState&)) {
        on(name, [&ed, command] { onMap(ed, command); });
    };
    // The three re-tiling commands take no undo snapshot; the others do.
    onMapCommand("M_RecalcRoads", recalcRoads);
    onMapCommand("M_CreateCliffs", createCoast);
    onMapCommand("M_SetBordertiles", fixAllBorders);
    onMapCommand("M_SetNomansland", setLandWithoutDomain);
    on("M_FillBlackGrass",
       [&ed] { onMap(ed, [](EditorState& st) { fillBlack(st, FillKind::Grass); }); });
    on("M_FillBlackSea",
       [&ed] { onMap(ed, [](EditorState& st) { fillBlack(st, FillKind::Sea); }); });
    on("M_FillAllGrass",
       [&ed] { onMap(ed, [](EditorState& st) { fillMap(st, FillKind::Grass); }); });
    on("M_FillAllSea", [&ed] { onMap(ed, [](EditorState& st) { fillMap(st, FillKind::Sea); }); });
    on("M_ShiftXPlus", [&ed] { shiftClick(ed, ShiftDirection::XPlus); });
    on("M_ShiftXMinus", [&ed] { shiftClick(ed, ShiftDirection::XMinus); });
    on("M_ShiftYPlus", [&ed] { shiftClick(ed, ShiftDirection::YPlus); });
    on("M_ShiftYMinus", [&ed] { shiftClick(ed, ShiftDirection::YMinus); });
}

}  // namespace d7::ui
