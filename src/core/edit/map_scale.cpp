#include "core/edit/map_scale.h"

#include <algorithm>
#include <cmath>

#include "core/edit/geometry.h"
#include "core/model/editor_state.h"

namespace d7 {

int mapSizeOf(const ViewState& view) {
    if (view.zoom == 2) return kDoubleSize;
    return view.shrink == 2 || view.shrink == 4 ? kFullSize / view.shrink : kFullSize;
}

void setMapSize(ViewState& view, int q) {
    if (!isMapSize(q)) return;
    view.zoom = pictureZoomOf(q);
    view.shrink = shrinkOf(q);
}

int steppedMapSize(int q, int step) {
    const auto at = std::find(kMapSizes.begin(), kMapSizes.end(), q);
    if (at == kMapSizes.end()) return kFullSize;
    const auto i = at - kMapSizes.begin() + (step > 0 ? 1 : step < 0 ? -1 : 0);
    return kMapSizes[std::size_t(std::clamp<long>(long(i), 0, long(kMapSizes.size()) - 1))];
}

Point shownPixelToCell(int px, int py, int q) {
    // The zoom-1 pixel is (4px / q, 4py / q); screenToCell's exact fraction
    // with both sides multiplied by q.
    const long long k = roundHalfEven(
        30LL * (4LL * px - static_cast<long long>(kMapOriginX) * q) + 58LL * 4 * py, 1740LL * q);
    const long long row = roundHalfEven(4LL * py, 15LL * q);
    return {std::int32_t(k - 1), std::int32_t(row - k)};
}

bool wholeMapFits(int q, int w, int h) {
    const int left = shownScrollX(q, 0, 0, w);
    return left <= 0 && left + w >= shownCoordinate(q, kMapPictureWidth) &&
           shownCoordinate(q, kMapPictureHeight) <= h;
}

int fitMapSize(int w, int h) {
    for (auto q = kMapSizes.rbegin(); q != kMapSizes.rend(); ++q)
        if (wholeMapFits(*q, w, h)) return *q;
    return kMapSizes.front();
}

CellSpacePoint shownPixelToCellSpace(double px, double py, int q) {
    const double x = px * 4 / q - (kMapOriginX + kTileWidth / 2), y = py * 4 / q;
    return {x / kTileWidth + y / kTileHeight, y / kTileHeight - x / kTileWidth};
}

Point originKeepingPoint(CellSpacePoint p, int wx, int wy, int w, int q) {
    // The point is at w/2 + q/4 (29 (b - b') + 29), q/4 15 (a - a') in the
    // window, with a = x + y and b = x - y of the point and of the origin
    // ('); solve for the origin's a' and b'.
    const double a = (p.x + p.y) - wy * 4.0 / (15.0 * q);
    const double b = (p.x - p.y) + 1 - (wx - w / 2) * 4.0 / (29.0 * q);
    const int x = int(std::lround((a + b) / 2)), y = int(std::lround((a - b) / 2));
    return {std::clamp(x, 0, kGrid - 1), std::clamp(y, 0, kGrid - 1)};
}

}  // namespace d7
