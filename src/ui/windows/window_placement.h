// Where the windows go on the screen: the main window at the left, the map
// window beside it, and at the right a column with the minimap above the
// tile selector, none of them covering the map. Computed here rather than
// left to a window manager, so that the editor looks the same on a bare X
// server, and small screens still show the whole map window.
#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace d7::ui {

struct WindowSizes {
    QSize main;  // outer sizes, frame included
    QSize map;
    QSize minimap;
    QSize tiles;
};

struct WindowPlacement {
    QRect main;  // outer rectangles, frame included
    QRect map;
    QRect minimap;
    QRect tiles;
};

inline constexpr int kWindowGap = 4;
inline constexpr int kMinMapWidth = 320;

WindowPlacement placeEditorWindows(const QRect& available, const WindowSizes& sizes);

// Where a window opened later (a report, the traderoutes, the tile viewer)
// goes, given its outer size: beside the map window rather than over it, at
// the right of the column, below the main window or below the map, whichever
// covers the least of the map window (then of the main window, then of the
// column); at the column's place when nothing else is free.
QPoint placeBeside(const QRect& available, const WindowPlacement& p, QSize size);

// Whether a window at rect can still be reached: the strip along its top,
// where a window manager puts the title bar, lies on one of the screens
// (available areas) far enough to be grabbed.
bool reachableOnScreens(const QRect& rect, const QList<QRect>& screens);

}  // namespace d7::ui
