#include "render/brush_pictures.h"

#include <QPainter>
#include <QPolygon>

namespace d7::render {

QImage makeBrushPreviewImage(const BrushMask& mask, int z) {
    QImage image(kBrushPreviewWidth * z, kBrushPreviewHeight * z, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(0xFFFF00FF));
    QPainter painter(&image);
    painter.setPen(QColor::fromRgb(kBrushOutline));
    for (int y = 0; y < kBrushSide; ++y)
        for (int x = 0; x < kBrushSide; ++x) {
            if (!mask.at(x, y)) continue;
            const QPoint top(145 * z + 29 * z * (x - y), 15 * z * (x + y));
            const QPoint left = top + QPoint(-29 * z, 15 * z);
            const QPoint right = top + QPoint(29 * z, 15 * z);
            const QPoint bottom = top + QPoint(0, 30 * z);
            painter.drawPolyline(QPolygon({left, top, right, bottom, left}));
        }
    return image;
}

QImage makeBrushGridImage(const BrushMask& mask, int cell, bool gridLines) {
    const int side = kBrushSide * cell;
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    if (gridLines) {
        painter.setPen(Qt::black);
        for (int i = 1; i < kBrushSide; ++i) {
            painter.drawLine(i * cell, 0, i * cell, side - 1);
            painter.drawLine(0, i * cell, side - 1, i * cell);
        }
    }
    for (int x = 0; x < kBrushSide; ++x)
        for (int y = 0; y < kBrushSide; ++y)
            if (mask.at(x, y)) painter.fillRect(x * cell, y * cell, cell, cell, Qt::black);
    return image;
}

}  // namespace d7::render
