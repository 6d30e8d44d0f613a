// "Brushes": a click paints the brush's cells around the clicked cell with
// the chosen "Brushfill"; the brush's outline follows the mouse.
#pragma once

#include "ui/tools/map_tool.h"

namespace d7::ui {

class BrushTool : public MapTool {
  public:
    using MapTool::MapTool;

    void activate() override;
    void mousePress(QPoint cell) override;
};

}  // namespace d7::ui
