#include "ui/map_editing.h"

#include <QShortcut>

#include "core/edit/geometry.h"
#include "core/model/undo.h"
#include "ui/domain_tool.h"
#include "ui/editing_controls.h"
#include "ui/main_window.h"
#include "ui/map_popup.h"
#include "ui/map_window.h"
#include "ui/minimap_window.h"
#include "ui/paste_tool.h"
#include "ui/path_tool.h"
#include "ui/road_tool.h"
#include "ui/select_tool.h"

namespace d7::ui {

MapEditing::MapEditing(EditorContext& ctx, Tmainform& main, Tmapform& map, Tminform& minimap)
    : ctx_(ctx), main_(main), map_(map), minimap_(minimap) {
    tools_[kDomainsEdit] = std::make_unique<DomainTool>(*this);
    tools_[kSelectEdit] = std::make_unique<SelectTool>(*this);
    tools_[kPasteEdit] = std::make_unique<PasteTool>(*this);
    tools_[kRoadEdit] = std::make_unique<RoadTool>(*this);
    tools_[kPathEdit] = std::make_unique<PathTool>(*this);
    popup_ = std::make_unique<MapPopup>(*this, &map);
    map_.setEditing(this);
    connectControls();
    updateCursor();
}

MapEditing::~MapEditing() {
    map_.setEditing(nullptr);
}

RoadTool& MapEditing::roadTool() {
    return static_cast<RoadTool&>(tool(kRoadEdit));
}

void MapEditing::connectControls() {
    connect(main_.rd_editt, &RadioGroup::clicked, this, &MapEditing::chooseEditType);
    connect(main_.bt_setroad, &QPushButton::clicked, this, [this] { roadTool().setRoad(); });
    connect(main_.cb_roadstretch, &QCheckBox::toggled, this, [this] { roadTool().retrace(); });
    connect(main_.cb_seldist, &QCheckBox::toggled, this, [this] { map_.repaintOverlay(); });
    connect(main_.rd_paste, &RadioGroup::clicked, this,
            [this](int option) { static_cast<PasteTool&>(tool(kPasteEdit)).chooseOption(option); });
    // Ctrl+Z is the desktop's way to take back the latest edit, in both
    // windows the user edits from.
    for (QWidget* window : {static_cast<QWidget*>(&main_), static_cast<QWidget*>(&map_)}) {
        auto* undoKey = new QShortcut(QKeySequence::Undo, window);
        connect(undoKey, &QShortcut::activated, this, &MapEditing::undo);
    }
}

void MapEditing::chooseEditType(int editType) {
    if (editType < 0 || editType >= kEditTypeCount) return;
    if (MapTool* t = active()) t->deactivate();
    map_.hideOverlay();
    map_.overimage()->hide();
    map_.brushimage()->hide();
    hideEditTypeControls(main_);
    st().transformed.clear();
    map_.clearSelection();

    st().view.editType = editType;
    main_.rd_editt->setItemIndex(editType);
    showEditTypeControls(main_, editType);
    if (MapTool* t = active()) t->activate();
    updateCursor();
}

MapTool* MapEditing::active() {
    return tools_[std::size_t(st().view.editType)].get();
}

void MapEditing::updateCursor() {
    const MapTool* t = active();
    map_.mapbox()->setCursor(t ? t->cursorShape() : Qt::ArrowCursor);
}

void MapEditing::mousePressed(QPoint cell) {
    if (MapTool* t = active(); t && st().mapLoaded) t->mousePress(cell);
}

void MapEditing::mouseMoved(QPoint cell) {
    if (MapTool* t = active(); t && st().mapLoaded) t->mouseMove(cell);
}

void MapEditing::openPopup(QPoint globalPos) {
    if (!st().mapLoaded) return;
    popup_->open(globalPos);
}

void MapEditing::paintOverlay(QPainter& painter, const render::WindowView& view) {
    if (MapTool* t = active()) t->paintOverlay(painter, view);
}

int MapEditing::selectedDomain() const {
    const int row = main_.ctybox->currentRow();
    return row >= 0 && row < kDomainListEntries ? listDomain(row) : -1;
}

bool MapEditing::showBlacksmiths() const {
    return main_.cb_smith->isChecked();
}

void MapEditing::finishEdit(bool wholeMap) {
    if (wholeMap) {
        // The full redraw draws the blacksmiths itself and repaints every view.
        ctx_.renderer.redrawMap();
        return;
    }
    if (showBlacksmiths()) ctx_.renderer.redrawBlacksmiths();
    map_.repaintMap();
    minimap_.refresh();
    main_.repaintDomainList();
}

void MapEditing::undo() {
    if (!st().undoValid) return;
    undoLastEdit(st());
    finishEdit(true);
}

}  // namespace d7::ui
