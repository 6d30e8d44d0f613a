// Numbers written centred in a cell's tile box: domain numbers, trader
// numbers, and the domain tile the "Domains" cursor shows.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

#include "core/tiles/graphics.h"

class QPainter;

namespace d7::render {

// Plain: the text in the colour on a transparent background. Filled: a
// rectangle of the colour behind black text.
enum class LabelStyle { Plain, Filled };

// Point sizes of the map's text at zoom z.
constexpr int domainLabelPointSize(int z) {
    return 2 * z + 6;
}
constexpr int traderLabelPointSize(int z) {
    return 2 * z + 12;
}

// The application's default font family at the size. Labels are drawn
// without antialiasing so that every pixel of a digit has the label's colour.
QFont labelFont(int pointSize);

// Resolution given to every picture text is drawn on, so that a point size
// gives the same pixel size everywhere.
inline constexpr int kPictureDotsPerMeter = 3780;  // 96 dpi

// " n ": the text of a cell label, with one space before and after the number.
QString spacedNumber(int n);

// Writes text centred in the tile box whose top-left corner is (boxX, boxY)
// at zoom z, with the painter's font: left = boxX + (58z - text width) / 2,
// top = boxY + (30z - text height) / 2, both truncated toward zero.
void drawBoxText(QPainter& painter, int boxX, int boxY, int z, const QString& text, QColor colour,
                 LabelStyle style);

// The domain tile of the "Domains" cursor: a 58z x 30z image of magenta
// (#FF00FF, its transparent colour) with the filled label of the domain
// number at (0, 0) in its domain colour. Domain 0 gives plain magenta.
QImage makeDomainCursorImage(int domain, int z, const tiles::ColourSets& sets);

// The magenta the cursor images use as their transparent colour.
inline constexpr QRgb kCursorTransparent = 0xFFFF00FF;

}  // namespace d7::render
