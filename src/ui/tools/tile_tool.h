// "Maptiles": a click places the tile, mountain or building chosen in the
// tile selector, its picture following the mouse. With the town chosen and
// "Show Closest Towns" checked, lines to the three nearest towns follow the
// mouse too.
#pragma once

#include "ui/tools/map_tool.h"

namespace d7::ui {

class Ttileselectform;

class TileTool : public MapTool {
  public:
    TileTool(MapEditing& editing, Ttileselectform& selector);

    void activate() override;
    void deactivate() override;
    void mousePress(QPoint cell) override;
    void mouseMove(QPoint cell) override;
    void pointerLeft() override;
    void restart() override { choiceChanged(); }
    void paintOverlay(QPainter& painter, const render::WindowView& view) const override;

    // A tile was chosen in the selector, or "Show Closest Towns" changed.
    void choiceChanged();

  private:
    bool townChosen() const;
    bool showsTowns() const;

    Ttileselectform& selector_;
};

}  // namespace d7::ui
