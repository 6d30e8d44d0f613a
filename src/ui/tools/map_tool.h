// One edit type's handling of the mouse over the map window. The map window
// only forwards its events to the tool of the chosen edit type; each tool
// keeps whatever state its clicks build up and draws its own marks on the
// selection layer.
#pragma once

#include <QPoint>
#include <Qt>

#include "render/selection_overlay.h"

class QPainter;

namespace d7::ui {

class MapEditing;

// The items of "Edittype", in order.
enum EditType : int {
    kMaptilesEdit = 0,
    kDomainsEdit = 1,
    kSelectEdit = 2,
    kBrushesEdit = 3,
    kPasteEdit = 4,
    kRoadEdit = 5,
    kPathEdit = 6,
};
inline constexpr int kEditTypeCount = 7;

class MapTool {
  public:
    explicit MapTool(MapEditing& editing) : ed_(editing) {}
    virtual ~MapTool() = default;
    MapTool(const MapTool&) = delete;
    MapTool& operator=(const MapTool&) = delete;

    // The edit type was chosen; the controls and previews of the previous
    // one are already reset.
    virtual void activate() {}
    // Another edit type is about to be chosen.
    virtual void deactivate() {}
    // A left click on cell (x, y) of the map (always on the map).
    virtual void mousePress(QPoint cell) = 0;
    // The mouse is over cell (x, y), which may lie off the map.
    virtual void mouseMove(QPoint) {}
    // The pointer left the map window, or the map moved away under it:
    // whatever follows the pointer goes out of sight until the next move.
    virtual void pointerLeft() {}
    // The view, the map or the map set changed: marks made on the old
    // picture are dropped, and the tool's previews shown again as when it
    // was chosen (the selection is already cleared).
    virtual void restart() {}
    // Draws the tool's marks on the selection layer.
    virtual void paintOverlay(QPainter&, const render::WindowView&) const {}
    // The pointer over the map: a cross where the user picks cells, the
    // plain pointer where a preview image follows the mouse.
    virtual Qt::CursorShape cursorShape() const { return Qt::ArrowCursor; }

  protected:
    MapEditing& ed_;
};

}  // namespace d7::ui
