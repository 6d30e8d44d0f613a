// "Select/Area": the first click fixes one corner of a rectangle, the
// rectangle follows the mouse, the second click fixes it and the third
// forgets it. The map's popup menu works on the fixed rectangle.
#pragma once

#include "ui/tools/map_tool.h"

namespace d7::ui {

class SelectTool : public MapTool {
  public:
    using MapTool::MapTool;

    void mousePress(QPoint cell) override;
    void mouseMove(QPoint cell) override;
    void paintOverlay(QPainter& painter, const render::WindowView& view) const override;
    Qt::CursorShape cursorShape() const override { return Qt::CrossCursor; }
};

// A corner the mouse may drag to: row and column 63 are out of reach (only
// the first click may take them).
bool isDragCell(QPoint cell);

}  // namespace d7::ui
