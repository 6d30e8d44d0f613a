#include "ui/tools/tile_tool.h"

#include <array>

#include "core/edit/geometry.h"
#include "core/edit/placement.h"
#include "core/tiles/tile_palettes.h"
#include "ui/commands/command_guard.h"
#include "ui/map_editing.h"
#include "ui/windows/main_window.h"
#include "ui/windows/map_window.h"
#include "ui/windows/tile_select_window.h"

namespace d7::ui {

namespace {

constexpr int kTraderView = 2;

// The towns' main cells, to see afterwards whether a placement moved one.
std::array<Point, kMaxDomain + 1> townCells(const EditorState& st) {
    std::array<Point, kMaxDomain + 1> cells{};
    for (int d = 1; d <= kMaxDomain; ++d)
        if (st.CountyTable[std::size_t(d)].towns > 0)
            cells[std::size_t(d)] = st.CountyTable[std::size_t(d)].townPos;
    return cells;
}

bool anyTownGone(const EditorState& st, const std::array<Point, kMaxDomain + 1>& before) {
    for (const Point& p : before)
        if (p.isSet() && inMap(p.x, p.y) && !isTown(st.planes, p.x, p.y)) return true;
    return false;
}

}  // namespace

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
    const bool castle =
        v.tileType == tiles::kBuildingPalette && v.selectedTile == tiles::kCastleIndex;
    const auto towns = townCells(st);
    runCommand(ed_.ctx().prompt, [&] {
        placeTile(st, ed_.ctx().prompt, cell.x(), cell.y(), v.selectedTile, ed_.map().overlaySize(),
                  TileKind(v.tileType));
    });
    // A placed castle looks different once the whole map is drawn; a town
    // may have changed what the trader view shows. A town that gave up its
    // place leaves its roofs drawn over the cells behind it, which only the
    // whole picture paints again.
    const bool traderView = v.viewMode == kTraderView && townChosen() && v.selectedTrader > 0 &&
                            st.routeStale[std::size_t(v.selectedTrader)];
    ed_.finishEdit(castle || traderView || anyTownGone(st, towns));
}

void TileTool::mouseMove(QPoint cell) {
    Tmapform& map = ed_.map();
    if (!townChosen() || map.selRect().start == cell) return;
    map.setSelection(cell, cell);
}

void TileTool::paintOverlay(QPainter& painter, const render::WindowView& view) const {
    const QPoint at = ed_.map().selRect().start;
    if (!showsTowns() || !inMap(at.x(), at.y())) return;
    render::drawClosestTowns(painter, view, at.x(), at.y(),
                             render::closestTowns(ed_.st(), at.x(), at.y()));
}

}  // namespace d7::ui
