// The palette window (no caption): the 256 palette colours as a 16 x 16 grid
// of 10 x 10 swatches, built once at start-up and shown by "Show Palette".
#pragma once

#include <QImage>
#include <QWidget>

#include "ui/editor_context.h"

namespace d7::ui {

class Tpalform : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kSide = 160;

    explicit Tpalform(EditorContext& ctx, QWidget* parent = nullptr);

    // Builds the picture from the palette when a map, the palette and the
    // tilesets are loaded; otherwise the picture stays black.
    void build();
    // "Show Palette": shows the window and repaints the picture it has.
    void showPalette();
    const QImage& picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    EditorContext& ctx_;
    QImage picture_;
};

}  // namespace d7::ui
