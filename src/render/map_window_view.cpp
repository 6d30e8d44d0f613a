#include "render/map_window_view.h"

#include <QPainter>

namespace d7::render {

void paintMapWindow(QPainter& painter, const QImage& picture, bool ready, int z, int originX,
                    int originY, int w, int h) {
    painter.fillRect(0, 0, w, h, Qt::black);
    if (!ready || w <= 0 || h <= 0) return;
    const int sx = scrollX(z, originX, originY, w);
    const int sy = scrollY(z, originX, originY);
    const QRect visible = QRect(sx, sy, w, h).intersected(picture.rect());
    if (visible.isEmpty()) return;
    painter.drawImage(QPoint(visible.x() - sx, visible.y() - sy), picture, visible);
}

}  // namespace d7::render
