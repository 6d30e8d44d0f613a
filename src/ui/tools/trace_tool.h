// What "Roadtool" and "Pathfinding" share: the first click fixes the start
// cell and measures every cell's distance from it, moving the mouse traces
// the path to the cell under it, the second click keeps that path and the
// third forgets it. The two differ in the costs they measure with and in
// how they walk back.
#pragma once

#include <QString>
#include <vector>

#include "core/model/editor_state.h"
#include "ui/tools/map_tool.h"

namespace d7::ui {

class TraceTool : public MapTool {
  public:
    using MapTool::MapTool;

    void deactivate() override;
    // The path was traced on another picture, and the shared distances it
    // was traced from may be some other search's by now.
    void restart() override { forgetPath(); }
    void mousePress(QPoint cell) override;
    void mouseMove(QPoint cell) override;
    void paintOverlay(QPainter& painter, const render::WindowView& view) const override;
    Qt::CursorShape cursorShape() const override { return Qt::CrossCursor; }

    // The latest trace: its steps (-1 for no path, 0 for none yet) and, for
    // walking paths, how many of its cells are off the road.
    int pathLength() const { return pathLength_; }
    int pathCost() const { return pathCost_; }

  protected:
    // The costs the distances are measured with.
    virtual const CostMatrix& costs() const = 0;
    // Traces the path from the start to (x, y) into the path points and
    // sets the path length and cost.
    virtual void trace(int x, int y) = 0;
    // The text at the path's end.
    virtual QString lengthText() const = 0;
    // Traces the path to the cell and keeps its cells.
    void traceTo(QPoint cell);
    // Puts the kept path back into the shared path points, which any other
    // search (a trade route, a check) may have overwritten since.
    void restorePath() const;

    int pathLength_ = 0;
    int pathCost_ = 0;

  private:
    void forgetPath();

    // The cells of the latest trace, which only this tool draws.
    std::vector<Point> path_;
};

}  // namespace d7::ui
