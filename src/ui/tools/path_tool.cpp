#include "ui/tools/path_tool.h"

#include "core/analysis/pathfinding.h"
#include "ui/map_editing.h"

namespace d7::ui {

const CostMatrix& PathTool::costs() const {
    return ed_.st().MoveMatrix;
}

void PathTool::trace(int x, int y) {
    const TraceResult r = TracePath(ed_.st(), x, y);
    pathLength_ = r.steps;
    pathCost_ = r.offroad;
}

QString PathTool::lengthText() const {
    return QStringLiteral("%1/%2").arg(pathLength_).arg(pathCost_);
}

}  // namespace d7::ui
