#include "core/edit/roads.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/analysis/analyse_map.h"
#include "core/edit/borders.h"
#include "core/edit/cell_writer.h"
#include "core/edit/geometry.h"
#include "core/edit/random_tiles.h"
#include "core/model/undo.h"

namespace d7 {

namespace {

// Whether a neighbour must be a road cell (1) or must not be one (0), in the
// order (x-1, y), (x, y-1), (x+1, y), (x, y+1).
struct RoadRule {
    int group;
    std::array<int, 4> road;
};

constexpr std::array<Offset, 4> kRuleNeighbours = {{{-1, 0}, {0, -1}, {1, 0}, {0, 1}}};

// Tried in this order; the first match wins. Together the entries cover every
// non-empty set of road neighbours.
constexpr RoadRule kRoadTable[] = {
    {0, {0, 1, 0, 1}},  {0, {0, 1, 0, 0}},  {0, {0, 0, 0, 1}},  {4, {1, 0, 1, 0}},
    {4, {0, 0, 1, 0}},  {4, {1, 0, 0, 0}},  {8, {0, 1, 1, 0}},  {12, {0, 0, 1, 1}},
    {16, {1, 0, 0, 1}}, {20, {1, 1, 0, 0}}, {24, {0, 1, 1, 1}}, {25, {1, 0, 1, 1}},
    {26, {1, 1, 0, 1}}, {27, {1, 1, 1, 0}}, {28, {1, 1, 1, 1}},
};

// The straight piece a lone road cell gets.
constexpr int kLoneRoadGroup = 0;

// Neighbours re-tiled after the cell itself, in this order.
constexpr std::array<Offset, 4> kUpdateOrder = {{{0, 1}, {0, -1}, {1, 0}, {-1, 0}}};

bool matches(const WorkingPlanes& p, int x, int y, const RoadRule& rule) {
    for (std::size_t k = 0; k < kRuleNeighbours.size(); ++k) {
        const int nx = x + kRuleNeighbours[k].dx, ny = y + kRuleNeighbours[k].dy;
        if (!inMap(nx, ny)) continue;
        if (int(isRoad(p, nx, ny)) != rule.road[k]) return false;
    }
    return true;
}

// A road piece of group t on the cell, then its domain border.
void tileRoad(EditorState& st, int x, int y, int group) {
    placeRoadTile(st, x, y, group);
    const int s = borderSides(st.planes, x, y);
    if (s > 0) addBorder(st, x, y, s);
}

}  // namespace

int roadTileFor(const WorkingPlanes& p, int x, int y) {
    if (!isRoad(p, x, y)) return -1;
    for (const RoadRule& rule : kRoadTable)
        if (matches(p, x, y, rule)) return rule.group;
    return -1;
}

void updateRoad(EditorState& st, int x, int y) {
    const int t = roadTileFor(st.planes, x, y);
    if (t < 0) return;
    tileRoad(st, x, y, t);
    for (Offset o : kUpdateOrder) {
        const int nx = x + o.dx, ny = y + o.dy;
        if (!inMap(nx, ny)) continue;
        const int nt = roadTileFor(st.planes, nx, ny);
        if (nt >= 0) tileRoad(st, nx, ny, nt);
    }
}

void layRoad(EditorState& st, int x, int y) {
    if (roadTileFor(st.planes, x, y) >= 0)
        updateRoad(st, x, y);
    else
        tileRoad(st, x, y, kLoneRoadGroup);
}

void recalcRoads(EditorState& st) {
    {
        SinkPause pause(st);
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x)
                if (isRoad(st.planes, x, y)) updateRoad(st, x, y);
    }
    AnalyseMap(st);
    if (st.sink) st.sink->mapChanged();
}

void setRoadPath(EditorState& st) {
    if (st.PathLength <= 0) return;
    pushUndo(st);
    layPathRoad(st);
}

void layPathRoad(EditorState& st) {
    if (st.PathLength <= 0) return;
    const int length = std::min(st.PathLength, kMaxPathPoints);
    layRoadCells(st, std::span<const Point>(st.PathPoints.data(), std::size_t(length)));
}

void layRoadCells(EditorState& st, std::span<const Point> cells) {
    // Buildings, mountains, forest, fields and sea stay what they are: only a
    // cell that a road may cover becomes road (a path's own cells always
    // are; its source is wherever the search started).
    std::vector<bool> paved(cells.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const Point c = cells[i];
        if (!inMap(c.x, c.y) || st.planes.M0.at(c.x, c.y) > (flags::kRoad | flags::kBorder))
            continue;
        st.planes.M0.at(c.x, c.y) = flags::kRoad;
        paved[i] = true;
    }
    for (std::size_t i = 0; i < cells.size(); ++i) {
        // The road flag was set in the working plane only: every paved cell
        // must be written through, also one that has no road neighbour.
        if (paved[i]) layRoad(st, cells[i].x, cells[i].y);
    }
    AnalyseMap(st);
}

}  // namespace d7
