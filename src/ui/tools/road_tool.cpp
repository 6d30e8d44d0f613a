#include "ui/tools/road_tool.h"

#include "core/analysis/pathfinding.h"
#include "core/edit/roads.h"
#include "ui/map_editing.h"
#include "ui/windows/main_window.h"
#include "ui/windows/map_window.h"

namespace d7::ui {

const CostMatrix& RoadTool::costs() const {
    return ed_.st().RoadMoveMatrix;
}

void RoadTool::trace(int x, int y) {
    pathLength_ = TraceRoad(ed_.st(), x, y, ed_.main().cb_roadstretch->isChecked());
}

QString RoadTool::lengthText() const {
    return QString::number(pathLength_);
}

void RoadTool::setRoad() {
    // Without a start cell (another map was selected, the zoom changed)
    // there is no path of this map to lay.
    if (pathLength_ <= 0 || ed_.map().selState() == 0) return;
    restorePath();
    setRoadPath(ed_.st());
    ed_.finishEdit(false);
}

void RoadTool::retrace() {
    Tmapform& map = ed_.map();
    if (ed_.st().view.editType != kRoadEdit || map.selState() != 2) return;
    traceTo(map.selRect().end);
    map.repaintOverlay();
}

}  // namespace d7::ui
