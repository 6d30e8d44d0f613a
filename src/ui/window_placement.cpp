#include "ui/window_placement.h"

#include <algorithm>

namespace d7::ui {

WindowPlacement placeEditorWindows(const QRect& available, const WindowSizes& sizes) {
    WindowPlacement p;
    const QPoint origin = available.topLeft();
    p.main = QRect(origin, sizes.main);
    const int mapLeft = p.main.right() + 1 + kWindowGap;
    const int roomRight = available.right() + 1 - mapLeft;  // width beside the main window
    const int mapHeight = std::min(sizes.map.height(), available.height());

    if (roomRight >= sizes.map.width() + kWindowGap + sizes.minimap.width()) {
        // Everything in one row.
        p.map = QRect(QPoint(mapLeft, origin.y()), QSize(sizes.map.width(), mapHeight));
        p.minimap = QRect(QPoint(p.map.right() + 1 + kWindowGap, origin.y()), sizes.minimap);
    } else if (sizes.main.height() + kWindowGap + sizes.minimap.height() <= available.height()) {
        // The minimap under the main window, the map as wide as the screen allows.
        p.map = QRect(QPoint(mapLeft, origin.y()),
                      QSize(std::clamp(roomRight, kMinMapWidth, sizes.map.width()), mapHeight));
        p.minimap = QRect(QPoint(origin.x(), p.main.bottom() + 1 + kWindowGap), sizes.minimap);
    } else {
        // A small screen: the map narrows so that the minimap fits beside it.
        const int width = std::clamp(roomRight - kWindowGap - sizes.minimap.width(), kMinMapWidth,
                                     sizes.map.width());
        p.map = QRect(QPoint(mapLeft, origin.y()), QSize(width, mapHeight));
        p.minimap =
            QRect(QPoint(available.right() + 1 - sizes.minimap.width(), origin.y()), sizes.minimap);
    }
    return p;
}

}  // namespace d7::ui
