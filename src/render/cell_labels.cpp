#include "render/cell_labels.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include "core/tiles/overlay_colours.h"

namespace d7::render {

QFont labelFont(int pointSize) {
    QFont font = QGuiApplication::font();
    font.setPointSize(pointSize);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QString spacedNumber(int n) {
    return QStringLiteral(" %1 ").arg(n);
}

void drawBoxText(QPainter& painter, int boxX, int boxY, int z, const QString& text, QColor colour,
                 LabelStyle style) {
    const QFontMetrics metrics = painter.fontMetrics();
    const int width = metrics.horizontalAdvance(text);
    const int height = metrics.height();
    const int left = boxX + (58 * z - width) / 2;
    const int top = boxY + (30 * z - height) / 2;
    if (style == LabelStyle::Filled) {
        painter.fillRect(left, top, width, height, colour);
        painter.setPen(Qt::black);
    } else {
        painter.setPen(colour);
    }
    painter.drawText(left, top + metrics.ascent(), text);
}

QImage makeDomainCursorImage(int domain, int z, const tiles::ColourSets& sets) {
    QImage image(58 * z, 30 * z, QImage::Format_RGB32);
    image.setDotsPerMeterX(kPictureDotsPerMeter);
    image.setDotsPerMeterY(kPictureDotsPerMeter);
    image.fill(QColor::fromRgb(kCursorTransparent));
    if (domain == 0) return image;
    QPainter painter(&image);
    painter.setFont(labelFont(domainLabelPointSize(z)));
    drawBoxText(painter, 0, 0, z, spacedNumber(domain),
                QColor::fromRgb(tiles::overlayColour(domain, sets.domain)), LabelStyle::Filled);
    return image;
}

}  // namespace d7::render
