#include "render/cell_outlines.h"

#include <QPainter>
#include <QPen>

#include "core/edit/geometry.h"

namespace d7::render {

QPolygon cellDiamond(int x, int y, int z) {
    const PixelPoint box = cellToScreen(x, y, z);
    const int w = kTileWidth * z, h = kTileHeight * z;
    // The corners lie on the box's edges; the last row and column of the box
    // are its last pixels, so the right and bottom corners are one pixel in.
    return QPolygon({QPoint(box.x + w / 2, box.y), QPoint(box.x + w - 1, box.y + h / 2),
                     QPoint(box.x + w / 2, box.y + h - 1), QPoint(box.x, box.y + h / 2)});
}

void drawCellOutlines(QPainter& painter, std::span<const Point> cells, int z, QColor colour) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(colour);
    pen.setWidth(2 * z);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (const Point& c : cells) painter.drawPolygon(cellDiamond(c.x, c.y, z));
    painter.restore();
}

}  // namespace d7::render
