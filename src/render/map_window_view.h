// Where the map window's view lies on the map picture: the scroll offsets for
// a view origin cell, the corners of cells in the window, and the copy of the
// visible block of the picture into the window.
#pragma once

#include <QImage>

#include "core/edit/geometry.h"

class QPainter;

namespace d7::render {

// The map-picture position shown at the window's top-left corner when cell
// (originX, originY) is the view origin and the paint area is w pixels wide.
constexpr int scrollX(int z, int originX, int originY, int w) {
    return z * (29 * (originX - originY) + kMapOriginX) - w / 2;
}
constexpr int scrollY(int z, int originX, int originY) {
    return z * 15 * (originX + originY);
}

// The top corner of cell (x, y) in the window for that view.
constexpr PixelPoint windowCellTop(int z, int originX, int originY, int w, int x, int y) {
    return {w / 2 + z * (29 * ((x - originX) - (y - originY)) + 29),
            z * 15 * ((x - originX) + (y - originY))};
}

// Paints the w x h area at the painter's origin: black, then, when ready, the
// block of the picture that starts at the scroll offsets. Whatever lies beyond
// the picture stays black.
void paintMapWindow(QPainter& painter, const QImage& picture, bool ready, int z, int originX,
                    int originY, int w, int h);

}  // namespace d7::render
