// The test view ("Test"): the vertex, domain or edge picture of the current
// map, one pixel per point, built at the size of the paint area, with the
// pointer position in the status bar.
#pragma once

#include <QImage>

#include "ui/editor_context.h"
#include "ui/windows/picture_window.h"

namespace d7::ui {

enum class TestPicture { Vertex, Domain, Edge };

class Tvertform : public PictureWindow {
    Q_OBJECT
  public:
    static constexpr int kPaintWidth = 256;
    static constexpr int kPaintHeight = 256;

    explicit Tvertform(EditorContext& ctx, QWidget* parent = nullptr);

    // Builds the picture at the size of the paint area and shows the window;
    // the picture stays until the next one is built.
    void showPicture(TestPicture kind);
    const QImage& picture() const { return picture_; }

  private:
    EditorContext& ctx_;
    QImage picture_;
};

}  // namespace d7::ui
