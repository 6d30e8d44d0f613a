#include "render/map_window_view.h"

#include <QPainter>

namespace d7::render {

void paintMapWindow(QPainter& painter, const QImage& shown, bool ready, int q, int originX,
                    int originY, int w, int h) {
    painter.fillRect(0, 0, w, h, Qt::black);
    if (!ready || w <= 0 || h <= 0) return;
    const int sx = shownScrollX(q, originX, originY, w);
    const int sy = shownScrollY(q, originX, originY);
    const QRect visible = QRect(sx, sy, w, h).intersected(shown.rect());
    if (visible.isEmpty()) return;
    painter.drawImage(QPoint(visible.x() - sx, visible.y() - sy), shown, visible);
}

QPolygonF viewOutlineInCells(int q, int originX, int originY, int w, int h) {
    const double sx = shownScrollX(q, originX, originY, w), sy = shownScrollY(q, originX, originY);
    QPolygonF outline;
    for (const QPointF corner : {QPointF(0, 0), QPointF(w, 0), QPointF(w, h), QPointF(0, h)}) {
        const CellSpacePoint c = shownPixelToCellSpace(sx + corner.x(), sy + corner.y(), q);
        outline << QPointF(c.x, c.y);
    }
    return outline;
}

}  // namespace d7::render
