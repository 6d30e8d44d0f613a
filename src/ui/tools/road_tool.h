// "Roadtool": a road-shaped path (orthogonal steps over the road costs) from
// the clicked cell to the mouse, which "Set Road" turns into road.
#pragma once

#include "ui/tools/trace_tool.h"

namespace d7::ui {

class RoadTool : public TraceTool {
  public:
    using TraceTool::TraceTool;

    // "Set Road" (button and popup): lays the traced road when there is one.
    void setRoad();
    // "Prefer straighter roads" changed: a fixed path is traced again.
    void retrace();

  protected:
    const CostMatrix& costs() const override;
    void trace(int x, int y) override;
    QString lengthText() const override;
};

}  // namespace d7::ui
