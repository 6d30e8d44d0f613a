// The sizes the map window shows the map at, and the projection between the
// window and the cells at each of them. A size is counted in quarters of the
// 100 % picture: 1 (25 %), 2 (50 %), 4 (100 %) and 8 (200 %). The two larger
// sizes are the map picture itself at zoom 1 and 2; the two smaller ones are
// the zoom-1 picture shrunk by 4 or 2.
//
// "Shown picture" coordinates are pixels of the picture as the window shows
// it, q / 4 times those of the zoom-1 picture: at q = 4z they are exactly the
// zoom-z picture's.
#pragma once

#include <array>

#include "core/analysis/analysis_tables.h"

namespace d7 {

struct ViewState;

inline constexpr int kQuarterSize = 1;
inline constexpr int kHalfSize = 2;
inline constexpr int kFullSize = 4;
inline constexpr int kDoubleSize = 8;
inline constexpr std::array<int, 4> kMapSizes = {kQuarterSize, kHalfSize, kFullSize, kDoubleSize};

constexpr bool isMapSize(int q) {
    return q == kQuarterSize || q == kHalfSize || q == kFullSize || q == kDoubleSize;
}
// The zoom of the map picture a size is drawn from (1 or 2).
constexpr int pictureZoomOf(int q) {
    return q > kFullSize ? 2 : 1;
}
// How many picture pixels make one shown pixel each way (1, 2 or 4).
constexpr int shrinkOf(int q) {
    return q < kFullSize ? kFullSize / q : 1;
}

// The size the view settings ask for, and setting it (zoom and shrink together).
int mapSizeOf(const ViewState& view);
void setMapSize(ViewState& view, int q);

// The next larger (step > 0) or smaller (step < 0) size; q itself at either end.
int steppedMapSize(int q, int step);

// floor(a / b) for b > 0.
constexpr int floorDiv(long long a, int b) {
    return int(a >= 0 ? a / b : -((-a + b - 1) / b));
}

// The shown-picture position at the window's top-left corner when cell
// (originX, originY) is the view origin (its box's left edge at the top
// centre of a window w pixels wide).
constexpr int shownScrollX(int q, int originX, int originY, int w) {
    return floorDiv(static_cast<long long>(q) * (29 * (originX - originY) + 1827), 4) - w / 2;
}
constexpr int shownScrollY(int q, int originX, int originY) {
    return floorDiv(static_cast<long long>(q) * 15 * (originX + originY), 4);
}

// A point of the zoom-1 picture in the shown picture (rounded down).
constexpr int shownCoordinate(int q, int picturePixel) {
    return floorDiv(static_cast<long long>(q) * picturePixel, 4);
}

// The cell under a pixel of the shown picture (nearest, halves to even), as
// screenToCell finds it at zoom z for q = 4z. May lie off the map.
Point shownPixelToCell(int px, int py, int q);

// Whether the whole map picture lies in a w x h window at size q with the
// view origin at cell (0, 0).
bool wholeMapFits(int q, int w, int h);
// The largest size at which the whole map fits (the smallest when none does).
int fitMapSize(int w, int h);

// A point in cell space: cell (x, y) covers [x, x + 1) x [y, y + 1), its top
// corner at (x, y) and its centre at (x + 0.5, y + 0.5).
struct CellSpacePoint {
    double x;
    double y;
};
// The cell-space point shown at a pixel of the shown picture.
CellSpacePoint shownPixelToCellSpace(double px, double py, int q);

// The view origin that keeps cell-space point p at window point (wx, wy) as
// nearly as whole cells allow after the window (w pixels wide) changes to
// size q; clamped to the map.
Point originKeepingPoint(CellSpacePoint p, int wx, int wy, int w, int q);

}  // namespace d7
