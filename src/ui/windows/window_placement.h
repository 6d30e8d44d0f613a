// Where the windows go on the screen: the main window at the left, the map
// window beside it, and at the right a column with the minimap above the
// tile selector, none of them covering the map. Computed here rather than
// left to a window manager, so that the editor looks the same on a bare X
// server, and small screens still show the whole map window.
#pragma once

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

}  // namespace d7::ui
