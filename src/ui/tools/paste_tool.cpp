#include "ui/tools/paste_tool.h"

#include <QPainter>

#include "core/edit/area_copy.h"
#include "core/edit/geometry.h"
#include "ui/map_editing.h"
#include "ui/windows/main_window.h"
#include "ui/windows/map_window.h"

namespace d7::ui {

const AreaBuffer& PasteTool::area() const {
    EditorState& st = ed_.st();
    return ed_.main().rd_paste->itemIndex() > 0 ? st.transformed : st.clipboard;
}

void PasteTool::activate() {
    placed_ = false;
    if (area().valid) ed_.map().showOverlay();
}

void PasteTool::deactivate() {
    placed_ = false;
}

void PasteTool::chooseOption(int option) {
    EditorState& st = ed_.st();
    if (option > 0 && st.clipboard.valid) transformArea(st, AreaTransform(option));
    if (st.view.editType != kPasteEdit) return;
    placed_ = false;
    if (area().valid)
        ed_.map().showOverlay();
    else
        ed_.map().hideOverlay();
}

void PasteTool::mousePress(QPoint cell) {
    const AreaBuffer& a = area();
    if (!a.valid) return;
    pasteSpecial(ed_.st(), cell.x(), cell.y(), a);
    ed_.finishEdit(false);
}

void PasteTool::mouseMove(QPoint cell) {
    const AreaBuffer& a = area();
    Tmapform& map = ed_.map();
    if (!inMap(cell.x(), cell.y()) || (placed_ && map.selRect().start == cell)) return;
    if (!areaFits(a, cell.x(), cell.y())) return;
    placed_ = true;
    map.setSelection(cell, cell + QPoint(a.width - 1, a.height - 1));
}

void PasteTool::pointerLeft() {
    if (!placed_) return;
    placed_ = false;
    ed_.map().repaintOverlay();
}

void PasteTool::paintOverlay(QPainter& painter, const render::WindowView& view) const {
    if (!placed_ || !area().valid) return;
    const SelectionRect& r = ed_.map().selRect();
    render::drawRectangleSelection(painter, view, r.start, r.end, false);
}

}  // namespace d7::ui
