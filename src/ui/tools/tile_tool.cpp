#include "ui/tools/tile_tool.h"

#include "core/edit/geometry.h"
#include "core/edit/placement.h"
#include "core/tiles/tile_palettes.h"
#include "ui/commands/command_guard.h"
#include "ui/map_editing.h"
#include "ui/windows/main_window.h"
#include "ui/windows/map_window.h"
#include "ui/windows/tile_select_window.h"

namespace d7::ui {

TileTool::TileTool(MapEditing& editing, Ttileselectform& selector)
    : MapTool(editing), selector_(selector) {}

bool TileTool::townChosen() const {
    const ViewState& v = ed_.st().view;
    return v.tileType == tiles::kBuildingPalette && v.selectedTile == tiles::kTownIndex;
}

bool TileTool::showsTowns() const {
    return townChosen() && ed_.main().cb_dist->isChecked();
}

void TileTool::activate() {
    // Choosing the tile again rebuilds the cursor at the current zoom.
    selector_.select(selector_.selectedIndex());
    selector_.show();
    choiceChanged();
}

void TileTool::deactivate() {
    selector_.hide();
}

void TileTool::choiceChanged() {
    if (ed_.st().view.editType != kMaptilesEdit) return;
    if (showsTowns())
        ed_.map().showOverlay();
    else
        ed_.map().hideOverlay();
}

void TileTool::mousePress(QPoint cell) {
    EditorState& st = ed_.st();
    const ViewState& v = st.view;
    runCommand(ed_.ctx().prompt, [&] {
        placeTile(st, ed_.ctx().prompt, cell.x(), cell.y(), v.selectedTile, ed_.map().overlaySize(),
                  TileKind(v.tileType));
    });
    ed_.finishEdit(false);
}

void TileTool::mouseMove(QPoint cell) {
    Tmapform& map = ed_.map();
    if (!townChosen() || map.selRect().start == cell) return;
    map.setSelection(cell, cell);
}

void TileTool::pointerLeft() {
    const QPoint nowhere(-1, -1);
    if (townChosen()) ed_.map().setSelection(nowhere, nowhere);
}

void TileTool::paintOverlay(QPainter& painter, const render::WindowView& view) const {
    const QPoint at = ed_.map().selRect().start;
    if (!showsTowns() || !inMap(at.x(), at.y())) return;
    render::drawClosestTowns(painter, view, at.x(), at.y(),
                             render::closestTowns(ed_.st(), at.x(), at.y()));
}

}  // namespace d7::ui
