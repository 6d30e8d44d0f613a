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

namespace {

// The rectangle moved (not resized) so that as much of it as fits lies in area.
QRect movedInto(QRect r, const QRect& area) {
    if (r.right() > area.right()) r.moveRight(area.right());
    if (r.bottom() > area.bottom()) r.moveBottom(area.bottom());
    if (r.left() < area.left()) r.moveLeft(area.left());
    if (r.top() < area.top()) r.moveTop(area.top());
    return r;
}

qint64 overlap(const QRect& a, const QRect& b) {
    const QRect i = a.intersected(b);
    return i.isEmpty() ? 0 : qint64(i.width()) * i.height();
}

}  // namespace

QPoint placeBeside(const QRect& available, const WindowPlacement& p, QSize size) {
    const QRect column = p.minimap.united(p.tiles);
    const int rightmost = std::max(p.map.right(), column.right());
    const QPoint candidates[] = {
        {rightmost + 1 + kWindowGap, available.top()},            // right of everything
        {p.main.left(), p.main.bottom() + 1 + kWindowGap},        // below the main window
        {p.map.left(), p.map.bottom() + 1 + kWindowGap},          // below the map window
        {available.right() + 1 - size.width(), available.top()},  // over the column
    };
    QPoint best;
    qint64 bestCost = -1;
    for (const QPoint& at : candidates) {
        const QRect r = movedInto(QRect(at, size), available);
        // The map window matters most, then the main window's lists, then the column.
        const qint64 cost = overlap(r, p.map) * 64 + overlap(r, p.main) * 8 +
                            overlap(r, p.minimap) + overlap(r, p.tiles);
        if (bestCost < 0 || cost < bestCost) {
            bestCost = cost;
            best = r.topLeft();
        }
    }
    return best;
}

bool reachableOnScreens(const QRect& rect, const QList<QRect>& screens) {
    constexpr int kTitleHeight = 20;
    constexpr int kGrabWidth = 64;
    const QRect strip(rect.topLeft(), QSize(rect.width(), kTitleHeight));
    const int need = std::min(kGrabWidth, rect.width());
    for (const QRect& screen : screens) {
        const QRect on = strip.intersected(screen);
        if (on.width() >= need && on.height() >= kTitleHeight / 2) return true;
    }
    return false;
}

}  // namespace d7::ui
