// The outside-map painter ("vpaintform"): the current map's outside-lands
// plane, 4 x 4 pixels per point, where a left click turns sea into land and
// open outside into coast-side land, and a right click turns them back.
#pragma once

#include "ui/editor_context.h"
#include "ui/windows/picture_window.h"

namespace d7::ui {

class Tvpaintform : public PictureWindow {
    Q_OBJECT
  public:
    static constexpr int kPointPixels = 4;

    explicit Tvpaintform(EditorContext& ctx, QWidget* parent = nullptr);

  private:
    void paintPoints(QPainter& painter);
    void clickAt(int px, int py, Qt::MouseButton button);

    EditorContext& ctx_;
};

}  // namespace d7::ui
