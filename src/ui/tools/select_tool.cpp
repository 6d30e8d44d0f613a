#include "ui/tools/select_tool.h"

#include <QPainter>

#include "core/edit/geometry.h"
#include "ui/map_editing.h"
#include "ui/windows/main_window.h"
#include "ui/windows/map_window.h"

namespace d7::ui {

namespace {
constexpr int kLineSelection = 1;
}  // namespace

bool isDragCell(QPoint cell) {
    return cell.x() >= 0 && cell.x() < kGrid - 1 && cell.y() >= 0 && cell.y() < kGrid - 1;
}

void SelectTool::mousePress(QPoint cell) {
    Tmapform& map = ed_.map();
    switch (map.selState()) {
        case 0:
            map.setSelection(cell, cell);
            map.setSelState(1);
            map.showOverlay();
            break;
        case 1:
            // The second click ends the drag where the mouse is; a click on
            // the last row or column keeps the corner the drag reached.
            if (isDragCell(cell)) map.setSelectionEnd(cell.x(), cell.y());
            map.setSelState(2);
            break;
        default:
            map.clearSelection();
            break;
    }
}

void SelectTool::mouseMove(QPoint cell) {
    Tmapform& map = ed_.map();
    if (map.selState() == 1 && isDragCell(cell)) map.setSelectionEnd(cell.x(), cell.y());
}

void SelectTool::paintOverlay(QPainter& painter, const render::WindowView& view) const {
    const Tmapform& map = ed_.map();
    if (map.selState() == 0) return;
    const SelectionRect& r = map.selRect();
    if (ed_.st().view.selectType == kLineSelection)
        painter.drawPolyline(render::lineOutline(view, r.start, r.end));
    else
        render::drawRectangleSelection(painter, view, r.start, r.end,
                                       ed_.main().cb_seldist->isChecked());
}

}  // namespace d7::ui
