// The map window: the map picture seen through a window whose top centre
// shows the view origin cell, scrolled with the keys, the minimap and the
// domain list; the cursor previews that follow the mouse; and the selection
// layer in front of the picture.
#pragma once

#include <QImage>
#include <QLabel>
#include <QPoint>
#include <QPointer>
#include <QPolygonF>
#include <QWidget>

#include "core/model/brush_mask.h"
#include "core/tiles/tile_palettes.h"
#include "render/cell_labels.h"
#include "render/selection_overlay.h"
#include "ui/editor_context.h"
#include "ui/windows/change_outlines.h"
#include "ui/windows/select_control.h"

namespace d7::ui {

class Tmapform;
class MapEditing;

// The paint box that shows the map picture: one block copy per paint.
class MapPaintBox : public QWidget {
    Q_OBJECT
  public:
    MapPaintBox(Tmapform& form, EditorContext& ctx, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    Tmapform& form_;
    EditorContext& ctx_;
};

// The corners of the area selection (start A, end B), in cells.
struct SelectionRect {
    QPoint start;
    QPoint end;
};

class Tmapform : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kClientWidth = 1160;
    static constexpr int kClientHeight = 900;

    explicit Tmapform(EditorContext& ctx, QWidget* parent = nullptr);

    int originX() const { return originX_; }
    int originY() const { return originY_; }
    int scrollX() const { return scrollX_; }
    int scrollY() const { return scrollY_; }
    int selState() const { return selState_; }
    void setSelState(int state) { selState_ = state; }
    const SelectionRect& selRect() const { return selRect_; }
    int overlaySize() const { return overlaySize_; }
    // The cell of the latest mouse-down, any button; may lie off the map.
    QPoint clickedCell() const { return clickedCell_; }

    // The editing the mouse events go to (none: the mouse only moves the previews).
    void setEditing(MapEditing* editing) { editing_ = editing; }

    QWidget* mapbox() const { return mapbox_; }
    QLabel* overimage() const { return overimage_; }
    QLabel* brushimage() const { return brushimage_; }
    // Created at the first showing; null before.
    Tselectcontrol* selectControl() const { return selectControl_; }
    const QImage& overlayBitmap() const { return overlayBitmap_; }

    // Makes cell (x, y) the view origin, lets the previews follow the mouse
    // pointer and repaints the picture.
    void scrollTo(int x, int y);
    // The pointer left the map: the previews that follow it wait out of
    // sight until it comes back.
    void pointerLeft();
    // The window's keys: the arrows and A, W, D, S move the origin one step
    // diagonally while it stays inside the map. Returns whether the key moved it.
    bool handleKey(int key);

    // Moves the end corner of the selection and repaints the selection layer.
    void setSelectionEnd(int x, int y);
    // Both corners at once (repaints the selection layer when they changed).
    void setSelection(QPoint start, QPoint end);
    // No selection: state 0 and the selection layer hidden.
    void clearSelection();
    // The "Domains" cursor: the filled domain tile of domain d at zoom z.
    void setDomainOverlay(int d, int z);
    // The "Maptiles" cursor: the chosen tile's block at zoom z; overlaySize
    // becomes the block's size.
    void setTileOverlay(const tiles::TileChoice& choice, int z);
    // The "Brushes" preview of the brush at zoom z, and the rectangle of
    // its set cells that decides where it may be shown.
    void setBrushPreview(const BrushMask& brush, int z);
    const BrushBounds& brushBounds() const { return brushBounds_; }
    const QImage& brushBitmap() const { return brushBitmap_; }

    // The selection layer: shown, hidden, asked to repaint. Its content is
    // whatever the editing draws for the chosen edit type.
    void showOverlay();
    void hideOverlay();
    void repaintOverlay();
    bool overlayShown() const { return overlayShown_; }
    // The view the selection layer draws in.
    render::WindowView windowView() const;
    // The size shown, in quarters of the 100 % picture (core/edit/map_scale.h).
    int mapSize() const;
    // The part of the map the window shows, in cell space (its four corners).
    QPolygonF viewOutline() const;
    // Scrolls cell (x, y) towards the middle of the window and outlines it
    // with the selection layer until the mouse next moves over the map.
    void markCell(int x, int y);
    // The marked cell, (-1, -1) when none.
    QPoint markedCell() const { return markedCell_; }

    // Outlines the cells (a comparison's changes on the current map) until
    // the map changes or another map is selected.
    void showChangedCells(std::vector<Point> cells);
    void clearChangedCells();
    ChangeOutlines& changeOutlines() { return changes_; }

    // The cell under a point of the paint box (may lie off the map).
    QPoint cellAt(QPoint boxPos) const;
    // Repaints the picture.
    void repaintMap();
    // The window refuses every request to close it (it has no close button,
    // but some window managers offer one anyway) until the editor ends.
    void allowClosing() { closingAllowed_ = true; }

  signals:
    // The mouse moved over cell (x, y) of the picture (possibly off the map).
    void cellHovered(int x, int y);
    // The picture was painted for the first time.
    void firstPainted();
    // The part of the map the window shows moved, grew or shrank.
    void viewChanged();
    // The paint box changed its size.
    void boxResized();
    // Ctrl+wheel over the map: one size larger (step 1) or smaller (-1)
    // about the point of the paint box.
    void zoomRequested(int step, QPoint boxPos);

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    friend class MapPaintBox;
    void recomputeScroll();
    // The map moved under the pointer: the previews go to the pointer's new
    // cell, or out of sight when the pointer is not over the map.
    void followPointer();
    void pointerMoved(QPoint boxPos);
    void pressed(QPoint boxPos, Qt::MouseButton button);
    void placeBrushPreview(QPoint cell);
    void showCursorImage(const QImage& image);
    void painted();
    void paintOverlay(QPainter& painter);
    void clearCellMark(QPoint globalPos);
    void dropCellMark();
    // Whether the selection layer has anything to show: the editing's marks,
    // changed cells or a marked cell. Hides it when not, else repaints it.
    bool layerNeeded();
    void hideLayerWhenIdle();

    EditorContext& ctx_;
    MapPaintBox* mapbox_;
    QLabel* overimage_;
    QLabel* brushimage_;
    QPointer<Tselectcontrol> selectControl_;
    ChangeOutlines changes_;
    QImage overlayBitmap_;
    QImage brushBitmap_;
    BrushBounds brushBounds_;

    int originX_ = 0;
    int originY_ = 0;
    int scrollX_ = 0;
    int scrollY_ = 0;
    int scrollSize_ = 0;
    int scrollWidth_ = 0;
    int scrollHeight_ = 0;
    int selState_ = 0;
    SelectionRect selRect_;
    int overlaySize_ = 1;
    QPoint clickedCell_{-1, -1};
    MapEditing* editing_ = nullptr;
    bool overlayShown_ = false;
    QPoint markedCell_{-1, -1};
    QPoint markPointer_;  // where the pointer was when the cell was marked
    bool shownOnce_ = false;
    bool paintedOnce_ = false;
    bool closingAllowed_ = false;
};

// An image whose pixels of the key colour (magenta unless told otherwise) are
// transparent, as the cursor previews show it.
QPixmap keyedPixmap(const QImage& image, QRgb key = render::kCursorTransparent);
// A cursor preview drawn at 100 % or 200 % as the window shows it: keyed, and
// at 50 % and 25 % shrunk smoothly by 2 or 4.
QPixmap shownPreview(const QImage& image, int shrink);

}  // namespace d7::ui
