// Where the map window's view lies on the map picture: the scroll offsets for
// a view origin cell, the corners of cells in the window, and the copy of the
// visible block of the shown picture into the window.
#pragma once

#include <QImage>
#include <QPolygonF>

#include "core/edit/geometry.h"
#include "core/edit/map_scale.h"

class QPainter;

namespace d7::render {

// The map-picture position shown at the window's top-left corner when cell
// (originX, originY) is the view origin and the paint area is w pixels wide.
constexpr int scrollX(int z, int originX, int originY, int w) {
    return shownScrollX(4 * z, originX, originY, w);
}
constexpr int scrollY(int z, int originX, int originY) {
    return shownScrollY(4 * z, originX, originY);
}

// The top corner of cell (x, y) in the window for that view.
constexpr PixelPoint windowCellTop(int z, int originX, int originY, int w, int x, int y) {
    return {w / 2 + z * (29 * ((x - originX) - (y - originY)) + 29),
            z * 15 * ((x - originX) + (y - originY))};
}

// Paints the w x h area at the painter's origin: black, then, when ready, the
// block of the shown picture that starts at the scroll offsets for size q.
// Whatever lies beyond the picture stays black.
void paintMapWindow(QPainter& painter, const QImage& shown, bool ready, int q, int originX,
                    int originY, int w, int h);

// The part of the map a w x h window at size q shows, as the window's four
// corners (top-left, top-right, bottom-right, bottom-left) in cell space.
QPolygonF viewOutlineInCells(int q, int originX, int originY, int w, int h);

}  // namespace d7::render
