#include "ui/windows/window_placement.h"

#include <algorithm>

namespace d7::ui {

WindowPlacement placeEditorWindows(const QRect& available, const WindowSizes& sizes) {
    WindowPlacement p;
    const QPoint origin = available.topLeft();
    p.main = QRect(origin, sizes.main);
    const int mapLeft = p.main.right() + 1 + kWindowGap;
    const int roomRight = available.right() + 1 - mapLeft;  // width beside the main window
    const int mapHeight = std::min(sizes.map.height(), available.height());
    const int column = std::max(sizes.minimap.width(), sizes.tiles.width());

    // The map as wide as it is, or as the column at its right leaves room for.
    const int mapWidth =
        std::clamp(roomRight - kWindowGap - column, kMinMapWidth, sizes.map.width());
    p.map = QRect(QPoint(mapLeft, origin.y()), QSize(mapWidth, mapHeight));

    // The column starts beside the map, but never beyond the screen's right
    // edge (a screen too small for all would have it cover the map's edge).
    const int columnLeft = std::min(p.map.right() + 1 + kWindowGap, available.right() + 1 - column);
    p.minimap = QRect(QPoint(columnLeft, origin.y()), sizes.minimap);
    const int tilesTop = p.minimap.bottom() + 1 + kWindowGap;
    // A tall palette scrolls inside the selector rather than leave the screen.
    const int tilesHeight =
        std::clamp(available.bottom() + 1 - tilesTop, 1, std::max(sizes.tiles.height(), 1));
    p.tiles = QRect(QPoint(columnLeft, tilesTop), QSize(sizes.tiles.width(), tilesHeight));
    return p;
}

}  // namespace d7::ui
