// Outlines of cell diamonds drawn over the map picture, to mark cells (the
// changes found by a map set comparison) without hiding their tiles.
#pragma once

#include <QColor>
#include <QPolygon>
#include <span>

#include "core/analysis/analysis_tables.h"

class QPainter;

namespace d7::render {

// Magenta: no tile of land, sea or snow comes near it.
inline constexpr QRgb kChangeOutlineColour = 0xFFFF00FF;

// The diamond of cell (x, y) in map-picture coordinates at zoom z: its top,
// right, bottom and left corners.
QPolygon cellDiamond(int x, int y, int z);

// Draws the outline of each cell's diamond, 2 z pixels wide, in map-picture
// coordinates (translate the painter to draw into a window's view).
void drawCellOutlines(QPainter& painter, std::span<const Point> cells, int z,
                      QColor colour = QColor::fromRgb(kChangeOutlineColour));

}  // namespace d7::render
