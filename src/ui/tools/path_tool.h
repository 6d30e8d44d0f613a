// "Pathfinding": the walking distance from the clicked cell to the mouse and
// the path an army would take, with how many of its cells are off the road.
#pragma once

#include "ui/tools/trace_tool.h"

namespace d7::ui {

class PathTool : public TraceTool {
  public:
    using TraceTool::TraceTool;

  protected:
    const CostMatrix& costs() const override;
    void trace(int x, int y) override;
    QString lengthText() const override;
};

}  // namespace d7::ui
