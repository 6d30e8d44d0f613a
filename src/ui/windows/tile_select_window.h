// The tile selector: one of the four tile palettes, with a yellow frame
// around the chosen tile, mountain or building. A click, or the arrow keys,
// choose what the "Maptiles" edit type puts on the map; the main window's
// "Tileset" group and quick-selection buttons choose through it too.
#pragma once

#include <QLabel>
#include <QScrollArea>
#include <QWidget>

#include "render/tile_pictures.h"
#include "ui/editor_context.h"

namespace d7::ui {

class Ttileselectform;

// The palette picture; clicks and keys go to the selector.
class TilePaletteBox : public QWidget {
    Q_OBJECT
  public:
    TilePaletteBox(Ttileselectform& form, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    Ttileselectform& form_;
};

class Ttileselectform : public QWidget {
    Q_OBJECT
  public:
    explicit Ttileselectform(EditorContext& ctx, QWidget* parent = nullptr);

    // Builds the four palette pictures at tile scale s (black when not Ready).
    void buildPalettes(int s);
    // Shows palette type 0..3, sized to its picture, with the frame hidden.
    void showPalette(int type);
    // Chooses an index of the shown palette: the selection, its frame, the
    // caption, and tileSelected. False (nothing changes) for an index the
    // palette does not have.
    bool select(int index);
    // A click at (px, py) on the palette picture.
    void clickAt(int px, int py);
    // "Tileset Size": the scale, the pictures, the shown palette, and the
    // choice again when the edit type is "Maptiles".
    void setTileScale(int s);

    int paletteType() const { return ctx_.st.view.tileType; }
    int selectedIndex() const { return ctx_.st.view.selectedTile; }
    int scale() const { return scale_; }
    const QImage& paletteImage(int type) const { return palettes_[std::size_t(type)]; }
    TilePaletteBox* paletteBox() const { return box_; }
    QLabel* frameImage() const { return frameImage_; }

  signals:
    // A tile was chosen (however): the map window's cursor and the main
    // window's "Show Closest Towns" follow it.
    void tileSelected(int type, int index);
    // The user clicked the palette (before anything is chosen).
    void paletteClicked();

  private:
    friend class TilePaletteBox;
    void fitToPalette();

    EditorContext& ctx_;
    QScrollArea* scroll_;
    TilePaletteBox* box_;
    QLabel* frameImage_;
    render::TilePalettes palettes_;
    int scale_ = 1;
};

}  // namespace d7::ui
