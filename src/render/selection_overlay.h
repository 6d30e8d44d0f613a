// What the selection layer in front of the map window draws: the outline of
// a rectangle or line selection with its side lengths, the markers of a road
// or walking path, and the lines to the closest towns. Positions are window
// pixels for a view origin cell, as the map window shows the picture.
#pragma once

#include <QPoint>
#include <QPolygon>
#include <QString>
#include <array>
#include <span>
#include <vector>

#include "core/analysis/analysis_tables.h"

class QPainter;

namespace d7::render {

// The map window's view: zoom, view origin cell and the paint area's width,
// and the shrink of the zoom-1 picture at the sizes below 100 %.
struct WindowView {
    int z = 1;
    int originX = 0;
    int originY = 0;
    int width = 0;
    int shrink = 1;

    // The size shown, in quarters of the 100 % picture (core/edit/map_scale.h).
    int quarters() const { return 4 * z / shrink; }
    // A pixel of the zoom-1 picture, in the window.
    QPoint at(int px, int py) const;
    QPoint top(int x, int y) const { return at(29 * (x - y) + 1856, 15 * (x + y)); }
    QPoint right(int x, int y) const { return at(29 * (x - y) + 1885, 15 * (x + y) + 15); }
    QPoint bottom(int x, int y) const { return at(29 * (x - y) + 1856, 15 * (x + y) + 30); }
    QPoint left(int x, int y) const { return at(29 * (x - y) + 1827, 15 * (x + y) + 15); }
    QPoint centre(int x, int y) const { return at(29 * (x - y) + 1856, 15 * (x + y) + 15); }
};

// The closed outline of the rectangle spanned by corners a and b (any order):
// top corner of its top-left cell, right corner of the top-right cell, bottom
// corner of the bottom-right cell, left corner of the bottom-left cell, and
// back to the start.
QPolygon rectangleOutline(const WindowView& view, QPoint a, QPoint b);

// A side of a rectangle outline with the number of cells along it.
struct SideLength {
    QPoint middle;  // where the label's top-left corner goes
    int cells;
};
// The four sides in outline order: top-right, right-bottom, bottom-left, left-top.
std::array<SideLength, 4> rectangleSides(const WindowView& view, QPoint a, QPoint b);

// The cells of a line selection from a to b: |dx| + |dy| + 1 points spread
// evenly along it (rounded to the nearest cell, halves to even).
std::vector<QPoint> lineCells(QPoint a, QPoint b);
// Its outline: the left corner of the first cell, the top corners of all
// cells, the right corner of the last, the bottom corners backwards, closed.
QPolygon lineOutline(const WindowView& view, QPoint a, QPoint b);

// Draws a rectangle outline, with each side's length when withLengths.
void drawRectangleSelection(QPainter& painter, const WindowView& view, QPoint a, QPoint b,
                            bool withLengths);

// Paths with more points than this show only their start marker.
inline constexpr int kMaxMarkedPathPoints = 149;

// The start cell's ring (radius 3) and, for a path of 1 to 149 points, the
// text centred on point 0 (the traced-to cell) and a ring of radius 2 on
// every further point.
void drawPathMarkers(QPainter& painter, const WindowView& view, QPoint start,
                     std::span<const Point> points, const QString& text);

// One of the towns nearest to a cell.
struct NearTown {
    int domain;
    Point town;
    int distance;  // max(|dx|, |dy|)
};
// The up to three used domains (1 to 19) whose towns lie nearest to (x, y);
// on equal distances the domain found later comes first. Domains without a
// town position are left out.
std::vector<NearTown> closestTowns(const AnalysisTables& tables, int x, int y);
// A line from the top corner of (x, y) to the top corner of each town, its
// distance written at the middle of the line.
void drawClosestTowns(QPainter& painter, const WindowView& view, int x, int y,
                      const std::vector<NearTown>& towns);

}  // namespace d7::render
