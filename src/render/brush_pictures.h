// The pictures of the 5 x 5 brush: the map window's preview of the cells it
// covers, the main window's brush icon and the brush editor's field.
#pragma once

#include <QImage>

#include "core/model/brush_mask.h"

namespace d7::render {

// The outline colour of the brush preview's diamonds (cream, as the selection).
inline constexpr QRgb kBrushOutline = 0xFFFFFBF0;
inline constexpr int kBrushPreviewWidth = 290;
inline constexpr int kBrushPreviewHeight = 150;

// 290z x 150z pixels of magenta (transparent) with the diamond outline of
// every set cell (x, y) whose top corner is (145z + 29z(x - y), 15z(x + y)):
// cell (0, 0) at the top centre, cell (4, 4) at the bottom.
QImage makeBrushPreviewImage(const BrushMask& mask, int z);

// White with a black square of side `cell` for every set cell (x, y) at
// (cell * x, cell * y); with grid lines between the cells when asked.
QImage makeBrushGridImage(const BrushMask& mask, int cell, bool gridLines);

// The brush icon of the main window (15-pixel cells) and the brush editor's
// field (30-pixel cells with grid lines).
inline constexpr int kBrushIconCell = 15;
inline constexpr int kBrushFieldCell = 30;

}  // namespace d7::render
