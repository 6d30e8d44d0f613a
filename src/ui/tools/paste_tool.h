// "Paste Special": the copied area, plain or as "Paste Options" turned or
// mirrored it, follows the mouse as an outline wherever it fits; a click
// pastes it there and joins its roads, coast and borders to the land around.
#pragma once

#include "core/model/area_buffer.h"
#include "ui/tools/map_tool.h"

namespace d7::ui {

class PasteTool : public MapTool {
  public:
    using MapTool::MapTool;

    void activate() override;
    void deactivate() override;
    void mousePress(QPoint cell) override;
    void mouseMove(QPoint cell) override;
    void pointerLeft() override;
    void restart() override { activate(); }
    void paintOverlay(QPainter& painter, const render::WindowView& view) const override;

    // "Paste Options" chose option i (0 "None", 1..5 the turns and mirrors).
    void chooseOption(int option);
    // The area a click pastes: the clipboard for "None", else the transformed
    // copy. Its valid flag tells whether there is one.
    const AreaBuffer& area() const;

  private:
    bool placed_ = false;  // the outline has been moved to a place where the area fits
};

}  // namespace d7::ui
