#include "render/trader_overlay.h"

#include <QPainter>
#include <algorithm>
#include <limits>

#include "core/edit/geometry.h"
#include "core/tiles/overlay_colours.h"
#include "render/cell_labels.h"
#include "render/qt_colour.h"

namespace d7::render {

namespace {

constexpr int kRouteFontPoints = 8;
constexpr int kLineWidth = 2;
constexpr int kLegShiftPixels = 5;
constexpr int kNumberShiftPixels = 9;
constexpr QRgb kResetPen = 0xFFFFFBF0;

// Where the leg numbers of leg c go around a cell's centre (subtracted), so
// that the numbers of different legs through one cell do not cover each other.
constexpr Offset kNumberOffsets[] = {{0, 0},  {0, -1}, {1, -1},  {1, 0},  {1, 1},  {0, 1},
                                     {-1, 1}, {-1, 0}, {-1, -1}, {0, -2}, {2, -2}, {2, 0},
                                     {2, 2},  {0, 2},  {-2, 2},  {-2, 0}, {-2, -2}};

QColor traderColour(const EditorState& st, int index) {
    return qtColour(tiles::overlayColour(index, st.gfx.colourSets.trader));
}
QColor routeColour(const EditorState& st, int index) {
    return qtColour(tiles::overlayColour(index, st.gfx.colourSets.route));
}

void cellText(QPainter& painter, Point cell, int z, int dx, int dy, const QString& text,
              QColor colour) {
    const PixelPoint box = cellToScreen(cell.x, cell.y, z);
    drawBoxText(painter, box.x + dx, box.y + dy, z, text, colour, LabelStyle::Plain);
}

bool hasTown(const Acounty& c) {
    return c.used && c.towns == 1 && inMap(c.townPos.x, c.townPos.y);
}

// Steps 1 and 2: the slots' trader numbers on the town cells that carry
// them, or the one trader's number on the town's centre.
void drawTownNumbers(QPainter& painter, const EditorState& st, int z, int t) {
    static constexpr Offset kSlotCells[3] = {{1, 0}, {0, 1}, {1, 1}};
    for (int d = 1; d <= kMaxDomain; ++d) {
        const Acounty& c = st.CountyTable[std::size_t(d)];
        if (!hasTown(c)) continue;
        for (int i = 0; i < 3; ++i) {
            const int s = c.tradeSlot[std::size_t(i)];
            if (t == 0 && s != 0)
                cellText(painter, {c.townPos.x + kSlotCells[i].dx, c.townPos.y + kSlotCells[i].dy},
                         z, 0, 0, QString::number(s), traderColour(st, s));
        }
        const auto& held = c.tradeSlot;
        if (t > 0 && std::find(held.begin(), held.end(), t) != held.end())
            cellText(painter, c.townPos, z, 0, 15 * z, QString::number(t), traderColour(st, t));
    }
}

// Step 3: the stop index on each stop's town, and "S" beside the start.
void drawStops(QPainter& painter, const EditorState& st, int z, const TraderRouteRecord& route) {
    const int n = std::clamp(route.stopCount, 0, kMaxRouteStops);
    for (int k = 0; k < n; ++k) {
        const int d = route.stops[std::size_t(k)];
        if (d < 1 || d > kMaxDomain) continue;
        const Point town = st.CountyTable[std::size_t(d)].townPos;
        if (!inMap(town.x, town.y)) continue;
        cellText(painter, town, z, 0, 0, QString::number(k), routeColour(st, k + 1));
        if (d == route.startDomain)
            cellText(painter, {town.x + 1, town.y + 1}, z, 0, 0, QStringLiteral("S"),
                     routeColour(st, n + 1));
    }
}

// The colour number of a line: its leg, and for the lead-in one more than
// the leg of the route's last line.
int legColourIndex(const std::vector<RouteCell>& cells, std::size_t k) {
    if (cells[k].leg != RouteCell::kLeadIn) return cells[k].leg;
    const int last = cells.back().leg;
    return (last == RouteCell::kLeadIn ? 0 : last) + 1;
}

QPoint legPoint(Point cell, int z, int c) {
    const PixelPoint box = cellToScreen(cell.x, cell.y, z);
    return {box.x + 29 * z - kLegShiftPixels * legShift(c), box.y + 15 * z};
}

// Step 6: a run of steps in one direction is one straight segment; a segment
// also ends at the last cell of each leg, and the lead-in and the route are
// separate polylines.
void drawRouteLines(QPainter& painter, const EditorState& st, int z,
                    const std::vector<RouteCell>& cells) {
    const std::size_t m = cells.size();
    if (m < 2) return;
    constexpr int kNoName = std::numeric_limits<int>::min();
    Point anchor = cells[0].cell;
    int runDirection = stepDirection(cells[0].cell, cells[1].cell);
    for (std::size_t k = 0; k < m; ++k) {
        const bool last = k + 1 == m;
        const int next = last ? -1 : stepDirection(cells[k].cell, cells[k + 1].cell);
        const int nextName = last ? kNoName : cells[k + 1].leg;
        if (k > 0 && cells[k - 1].leg == RouteCell::kLeadIn && cells[k].leg != RouteCell::kLeadIn) {
            anchor = last ? cells[k].cell : cells[k + 1].cell;
            runDirection = next;
        }
        if (runDirection == next && cells[k].leg == nextName) continue;
        const int c = legColourIndex(cells, k);
        const Point to = cells[k].cell;
        // A cell no road reaches (a town without road access) draws nothing.
        if (inMap(anchor.x, anchor.y) && inMap(to.x, to.y)) {
            painter.setPen(QPen(routeColour(st, c + 1), kLineWidth));
            painter.drawLine(legPoint(anchor, z, c), legPoint(to, z, c));
        }
        anchor = to;
        runDirection = next;
    }
}

// Step 7: each cell's leg number, moved aside by its leg.
void drawRouteNumbers(QPainter& painter, const EditorState& st, int z,
                      const std::vector<RouteCell>& cells) {
    for (std::size_t k = 0; k < cells.size(); ++k) {
        const Point cell = cells[k].cell;
        if (!inMap(cell.x, cell.y)) continue;
        const int c = legColourIndex(cells, k);
        const Offset o = c >= 0 && c < int(std::size(kNumberOffsets))
                             ? kNumberOffsets[std::size_t(c)]
                             : Offset{0, 0};
        const QString name = cells[k].leg == RouteCell::kLeadIn ? QStringLiteral("S")
                                                                : QString::number(cells[k].leg);
        cellText(painter, cell, z, -kNumberShiftPixels * o.dx, -kNumberShiftPixels * o.dy, name,
                 routeColour(st, c + 1));
    }
}

}  // namespace

int stepDirection(Point from, Point to) {
    for (int dir = 0; dir < 8; ++dir)
        if (to.x - from.x == kDirections[std::size_t(dir)].dx &&
            to.y - from.y == kDirections[std::size_t(dir)].dy)
            return dir;
    return -1;
}

int legShift(int c) {
    const int half = (c + 1) / 2;
    return c % 2 == 0 ? half : -half;
}

void drawTraderOverlay(QPainter& painter, const EditorState& st, int z) {
    const int t = st.view.selectedTrader;
    if (t < 0 || t > kTraders) return;
    painter.setBrush(Qt::NoBrush);
    painter.setFont(labelFont(traderLabelPointSize(z)));
    drawTownNumbers(painter, st, z, t);
    if (t == 0) return;
    drawStops(painter, st, z, st.TraderRoute[std::size_t(t)]);

    painter.setFont(labelFont(kRouteFontPoints));
    const std::vector<RouteCell>& cells = st.RouteCells[std::size_t(t)];
    if (!cells.empty()) {
        if (st.view.routeDisplay == 0)
            drawRouteLines(painter, st, z, cells);
        else
            drawRouteNumbers(painter, st, z, cells);
    }
    painter.setPen(QPen(QColor::fromRgb(kResetPen), 1));
}

}  // namespace d7::render
