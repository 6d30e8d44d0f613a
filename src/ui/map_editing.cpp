#include "ui/map_editing.h"

#include "core/edit/geometry.h"
#include "ui/tools/brush_tool.h"
#include "ui/tools/domain_tool.h"
#include "ui/tools/editing_controls.h"
#include "ui/tools/map_popup.h"
#include "ui/tools/paste_tool.h"
#include "ui/tools/path_tool.h"
#include "ui/tools/road_tool.h"
#include "ui/tools/select_tool.h"
#include "ui/tools/tile_tool.h"
#include "ui/windows/main_window.h"
#include "ui/windows/map_window.h"
#include "ui/windows/minimap_window.h"
#include "ui/windows/tile_select_window.h"
#include "ui/windows/tile_view_window.h"

namespace d7::ui {

MapEditing::MapEditing(EditorContext& ctx, const EditingWindows& windows) : ctx_(ctx), w_(windows) {
    tools_[kMaptilesEdit] = std::make_unique<TileTool>(*this, w_.tileSelector);
    tools_[kDomainsEdit] = std::make_unique<DomainTool>(*this);
    tools_[kSelectEdit] = std::make_unique<SelectTool>(*this);
    tools_[kBrushesEdit] = std::make_unique<BrushTool>(*this);
    tools_[kPasteEdit] = std::make_unique<PasteTool>(*this);
    tools_[kRoadEdit] = std::make_unique<RoadTool>(*this);
    tools_[kPathEdit] = std::make_unique<PathTool>(*this);
    popup_ = std::make_unique<MapPopup>(*this, &w_.map);
    w_.map.setEditing(this);
    connectControls();
    w_.map.mapbox()->setCursor(current().cursorShape());
}

MapEditing::~MapEditing() {
    w_.map.setEditing(nullptr);
}

RoadTool& MapEditing::roadTool() {
    return static_cast<RoadTool&>(tool(kRoadEdit));
}

TileTool& MapEditing::tileTool() {
    return static_cast<TileTool&>(tool(kMaptilesEdit));
}

void MapEditing::connectControls() {
    connect(w_.main.rd_editt, &RadioGroup::clicked, this, &MapEditing::chooseEditType);
    connect(w_.main.bt_setroad, &QPushButton::clicked, this, [this] { roadTool().setRoad(); });
    connect(w_.main.cb_roadstretch, &QCheckBox::toggled, this, [this] { roadTool().retrace(); });
    connect(w_.main.cb_seldist, &QCheckBox::toggled, this, [this] { w_.map.repaintOverlay(); });
    connect(w_.main.cb_dist, &QCheckBox::toggled, this, [this] { tileTool().choiceChanged(); });
    connect(&w_.tileSelector, &Ttileselectform::tileSelected, this,
            [this] { tileTool().choiceChanged(); });
    // A path or selection made on one map means nothing on another, and an
    // outline hidden with the old map's selection shows again.
    connect(&w_.main, &Tmainform::mapRefreshed, this, &MapEditing::restartTool);
    connect(w_.main.rd_paste, &RadioGroup::clicked, this,
            [this](int option) { static_cast<PasteTool&>(tool(kPasteEdit)).chooseOption(option); });
}

void MapEditing::chooseEditType(int editType) {
    if (editType < 0 || editType >= kEditTypeCount) return;
    current().deactivate();
    w_.map.hideOverlay();
    w_.map.overimage()->hide();
    w_.map.brushimage()->hide();
    hideEditTypeControls(w_.main);
    st().transformed.clear();
    w_.map.clearSelection();

    st().view.editType = editType;
    w_.main.rd_editt->setItemIndex(editType);
    showEditTypeControls(w_.main, editType);
    current().activate();
    w_.map.mapbox()->setCursor(current().cursorShape());
}

bool MapEditing::dragPaints() const {
    const int type = ctx_.st.view.editType;
    return type == kBrushesEdit || type == kDomainsEdit;
}

void MapEditing::mousePressed(QPoint cell) {
    if (!st().mapLoaded) return;
    current().mousePress(cell);
    if (dragPaints())
        dragCell_ = cell;
    else
        emit stepFinished();
}

void MapEditing::mouseMoved(QPoint cell) {
    if (!st().mapLoaded) return;
    current().mouseMove(cell);
    if (dragCell_.x() < 0 || cell == dragCell_ || !inMap(cell.x(), cell.y()) || !dragPaints())
        return;
    dragCell_ = cell;
    current().mousePress(cell);
}

void MapEditing::mouseReleased() {
    if (dragCell_.x() < 0) return;
    dragCell_ = QPoint(-1, -1);
    emit stepFinished();
}

void MapEditing::openPopup(QPoint globalPos) {
    if (!st().mapLoaded) return;
    popup_->open(globalPos);
}

void MapEditing::pointerLeft() {
    current().pointerLeft();
}

void MapEditing::pictureRedrawn() {
    const QPoint view(st().view.viewMode, st().view.selectedTrader);
    if (view == shownView_) return;
    shownView_ = view;
    restartTool();
}

void MapEditing::restartTool() {
    w_.map.clearSelection();
    current().restart();
}

void MapEditing::paintOverlay(QPainter& painter, const render::WindowView& view) {
    current().paintOverlay(painter, view);
}

int MapEditing::selectedDomain() const {
    const int row = w_.main.ctybox->currentRow();
    return row >= 0 && row < kDomainListEntries ? listDomain(row) : -1;
}

bool MapEditing::showBlacksmiths() const {
    return w_.main.cb_smith->isChecked();
}

void MapEditing::finishEdit(bool wholeMap) {
    if (wholeMap) {
        // The full redraw draws the blacksmiths itself and repaints every view.
        ctx_.renderer.redrawMap();
        return;
    }
    // The changed cells' areas are drawn again, blacksmiths that moved with
    // them, when the window paints.
    w_.map.repaintMap();
    w_.minimap.refresh();
    w_.main.repaintDomainList();
}

void MapEditing::inspectClickedCell() {
    const QPoint c = w_.map.clickedCell();
    if (!inMap(c.x(), c.y())) return;
    w_.tileViewer.show();
    w_.tileViewer.raise();
    w_.tileViewer.showCell(c.x(), c.y());
}

void MapEditing::undo() {
    emit undoRequested();
}

}  // namespace d7::ui
