#include "ui/tools/trace_tool.h"

#include <QPainter>
#include <algorithm>

#include "core/analysis/pathfinding.h"
#include "core/edit/geometry.h"
#include "ui/map_editing.h"
#include "ui/tools/select_tool.h"
#include "ui/windows/map_window.h"

namespace d7::ui {

void TraceTool::forgetPath() {
    ed_.map().clearSelection();
    pathLength_ = 0;
    pathCost_ = 0;
    path_.clear();
}

void TraceTool::traceTo(QPoint cell) {
    trace(cell.x(), cell.y());
    const EditorState& st = ed_.st();
    const auto points = std::ptrdiff_t(std::clamp(st.PathLength, 0, kMaxPathPoints));
    path_.assign(st.PathPoints.begin(), st.PathPoints.begin() + points);
}

void TraceTool::restorePath() const {
    EditorState& st = ed_.st();
    std::copy(path_.begin(), path_.end(), st.PathPoints.begin());
    st.PathLength = int(path_.size());
}

void TraceTool::deactivate() {
    // The path points are shared by every search: a path kept past a change
    // of edit type may no longer be the one this tool traced.
    forgetPath();
}

void TraceTool::mousePress(QPoint cell) {
    Tmapform& map = ed_.map();
    switch (map.selState()) {
        case 0:
            forgetPath();
            map.setSelection(cell, cell);
            map.setSelState(1);
            BuildDistances(ed_.st(), costs(), cell.x(), cell.y(), false);
            map.showOverlay();
            break;
        case 1:
            map.setSelState(2);
            break;
        default:
            forgetPath();
            break;
    }
}

void TraceTool::mouseMove(QPoint cell) {
    Tmapform& map = ed_.map();
    if (map.selState() != 1 || !isDragCell(cell) || map.selRect().end == cell) return;
    traceTo(cell);
    map.setSelectionEnd(cell.x(), cell.y());
}

void TraceTool::paintOverlay(QPainter& painter, const render::WindowView& view) const {
    if (ed_.map().selState() == 0) return;
    render::drawPathMarkers(painter, view, ed_.map().selRect().start, path_, lengthText());
}

}  // namespace d7::ui
