#include "render/selection_overlay.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "render/map_window_view.h"

namespace d7::render {

namespace {

// Distance of a domain that is not shown.
constexpr int kFarAway = 5000;
constexpr int kNearTownCount = 3;
constexpr int kStartRadius = 3;
constexpr int kPathPointRadius = 2;

QPoint middle(QPoint a, QPoint b) {
    return {(a.x() + b.x()) / 2, (a.y() + b.y()) / 2};
}

void drawRing(QPainter& painter, QPoint centre, int radius) {
    painter.drawEllipse(QRect(centre - QPoint(radius, radius), centre + QPoint(radius, radius)));
}

struct Corners {
    int l, t, r, b;
};

Corners normalised(QPoint a, QPoint b) {
    return {std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::max(a.x(), b.x()),
            std::max(a.y(), b.y())};
}

}  // namespace

QPoint WindowView::at(int px, int py) const {
    const int q = quarters();
    return {shownCoordinate(q, px) - shownScrollX(q, originX, originY, width),
            shownCoordinate(q, py) - shownScrollY(q, originX, originY)};
}

QPolygon rectangleOutline(const WindowView& view, QPoint a, QPoint b) {
    const Corners c = normalised(a, b);
    const QPoint start = view.top(c.l, c.t);
    return QPolygon(
        {start, view.right(c.r, c.t), view.bottom(c.r, c.b), view.left(c.l, c.b), start});
}

std::array<SideLength, 4> rectangleSides(const WindowView& view, QPoint a, QPoint b) {
    const QPolygon outline = rectangleOutline(view, a, b);
    const Corners c = normalised(a, b);
    const int alongX = c.r - c.l + 1, alongY = c.b - c.t + 1;
    return {{{middle(outline[0], outline[1]), alongX},
             {middle(outline[1], outline[2]), alongY},
             {middle(outline[2], outline[3]), alongX},
             {middle(outline[3], outline[4]), alongY}}};
}

std::vector<QPoint> lineCells(QPoint a, QPoint b) {
    const int dx = b.x() - a.x(), dy = b.y() - a.y();
    const int steps = std::abs(dx) + std::abs(dy);
    // The 0.01 keeps the last point just short of b, as the rounding expects.
    const double span = steps + 0.01;
    std::vector<QPoint> cells;
    cells.reserve(std::size_t(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        const double f = i / span;
        cells.emplace_back(int(std::nearbyint(a.x() + dx * f)),
                           int(std::nearbyint(a.y() + dy * f)));
    }
    return cells;
}

QPolygon lineOutline(const WindowView& view, QPoint a, QPoint b) {
    const std::vector<QPoint> cells = lineCells(a, b);
    QPolygon outline;
    outline << view.left(cells.front().x(), cells.front().y());
    for (QPoint c : cells) outline << view.top(c.x(), c.y());
    outline << view.right(cells.back().x(), cells.back().y());
    for (auto c = cells.rbegin(); c != cells.rend(); ++c) outline << view.bottom(c->x(), c->y());
    outline << outline.front();
    return outline;
}

void drawRectangleSelection(QPainter& painter, const WindowView& view, QPoint a, QPoint b,
                            bool withLengths) {
    painter.drawPolyline(rectangleOutline(view, a, b));
    if (!withLengths) return;
    const QFontMetrics metrics(painter.font());
    for (const SideLength& side : rectangleSides(view, a, b))
        painter.drawText(side.middle + QPoint(0, metrics.ascent()), QString::number(side.cells));
}

void drawPathMarkers(QPainter& painter, const WindowView& view, QPoint start,
                     std::span<const Point> points, const QString& text) {
    drawRing(painter, view.centre(start.x(), start.y()), kStartRadius);
    if (points.empty() || int(points.size()) > kMaxMarkedPathPoints) return;
    const QPoint target = view.centre(points[0].x, points[0].y);
    const QFontMetrics metrics(painter.font());
    const QRect box = metrics.boundingRect(text);
    painter.drawText(target.x() - box.width() / 2, target.y() - box.height() / 2 + metrics.ascent(),
                     text);
    for (std::size_t i = 1; i < points.size(); ++i)
        drawRing(painter, view.centre(points[i].x, points[i].y), kPathPointRadius);
}

std::vector<NearTown> closestTowns(const AnalysisTables& tables, int x, int y) {
    std::array<NearTown, kNearTownCount> best;
    best.fill({0, {}, kFarAway});
    for (int d = 1; d < kCountyRecords; ++d) {
        const Acounty& c = tables.CountyTable[std::size_t(d)];
        // A domain without a town has no position to draw a line to.
        if (!c.used || !c.townPos.isSet()) continue;
        const NearTown t{d, c.townPos,
                         std::max(std::abs(c.townPos.x - x), std::abs(c.townPos.y - y))};
        // "<=": of two towns at the same distance the later one ranks first.
        for (std::size_t k = 0; k < best.size(); ++k) {
            if (t.distance > best[k].distance) continue;
            std::move_backward(best.begin() + std::ptrdiff_t(k), best.end() - 1, best.end());
            best[k] = t;
            break;
        }
    }
    std::vector<NearTown> shown;
    for (const NearTown& t : best)
        if (t.distance < kFarAway) shown.push_back(t);
    return shown;
}

void drawClosestTowns(QPainter& painter, const WindowView& view, int x, int y,
                      const std::vector<NearTown>& towns) {
    const QPoint from = view.top(x, y);
    const QFontMetrics metrics(painter.font());
    for (const NearTown& t : towns) {
        const QPoint to = view.top(t.town.x, t.town.y);
        painter.drawLine(from, to);
        painter.drawText(middle(from, to) + QPoint(0, metrics.ascent()),
                         QString::number(t.distance));
    }
}

}  // namespace d7::render
