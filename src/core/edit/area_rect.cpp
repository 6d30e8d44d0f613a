#include "core/edit/area_rect.h"

#include "core/analysis/analyse_map.h"
#include "core/edit/cell_writer.h"
#include "core/edit/geometry.h"
#include "core/edit/objects.h"
#include "core/edit/random_tiles.h"
#include "core/edit/roads.h"
#include "core/model/undo.h"

namespace d7 {

namespace {

// Calls f(x, y) for the cells of r on the map, rows top to bottom, each row
// left to right.
template <typename F>
void forEachCell(const CellRect& r, F f) {
    for (int y = r.top; y <= r.bottom; ++y)
        for (int x = r.left; x <= r.right; ++x) f(x, y);
}

// The neighbour of a line cell re-tiled for the line: only a road cell has a piece.
void joinRoad(EditorState& st, int x, int y) {
    if (!inMap(x, y)) return;
    const int t = roadTileFor(st.planes, x, y);
    if (t >= 0) placeRoadTile(st, x, y, t);
}

// The straight piece a line cell without road neighbours gets (a line of one cell).
constexpr int kLoneRoadGroup = 0;

}  // namespace

void placeFill(EditorState& st, FillKind kind, int x, int y) {
    switch (kind) {
        case FillKind::Sea:
            placeRandomSea(st, x, y, st.curMap);
            break;
        case FillKind::Grass:
            placeRandomGrass(st, x, y, st.curMap);
            break;
        case FillKind::Forest:
            placeForest(st, x, y);
            break;
    }
}

void fillRect(EditorState& st, FillKind kind, const CellRect& rect) {
    const CellRect r = rect.onMap();
    if (r.empty()) return;
    pushUndo(st);
    forEachCell(r, [&](int x, int y) { clearObjectCells(st, x, y); });
    forEachCell(r, [&](int x, int y) { placeFill(st, kind, x, y); });
    AnalyseMap(st);
}

void blackRect(EditorState& st, const CellRect& rect) {
    const CellRect r = rect.onMap();
    if (r.empty()) return;
    pushUndo(st);
    forEachCell(r, [&](int x, int y) {
        setCell(st, st.curMap, x, y, {.flags = 0, .tileset = 0, .tile = 0, .code = 0});
    });
    AnalyseMap(st);
}

void setDomainRect(EditorState& st, int d, bool overwrite, const CellRect& rect) {
    const CellRect r = rect.onMap();
    if (r.empty() || !isDomainNumber(d)) return;
    pushUndo(st);
    forEachCell(r, [&](int x, int y) {
        if (overwrite || st.planes.M5.at(x, y) == kNoDomain)
            writeCellDomain(st, x, y, d, st.curMap, false);
    });
    AnalyseMap(st);
}

void removeRoadsRect(EditorState& st, const CellRect& rect) {
    const CellRect r = rect.onMap();
    if (r.empty()) return;
    pushUndo(st);
    forEachCell(r, [&](int x, int y) {
        if (isRoad(st.planes, x, y)) placeRandomGrass(st, x, y, st.curMap);
    });
    AnalyseMap(st);
}

bool setRoadLine(EditorState& st, const CellRect& rect) {
    const CellRect r = rect.onMap();
    if (r.empty() || (r.width() > 1 && r.height() > 1)) return false;
    pushUndo(st);
    forEachCell(r, [&](int x, int y) { clearObjectCells(st, x, y); });
    // The road flag goes into the working plane first so that every cell of
    // the line sees the others as road; each cell is then written through.
    forEachCell(r, [&](int x, int y) { st.planes.M0.at(x, y) = flags::kRoad; });
    const bool across = r.width() > r.height();
    forEachCell(r, [&](int x, int y) {
        const int t = roadTileFor(st.planes, x, y);
        placeRoadTile(st, x, y, t >= 0 ? t : kLoneRoadGroup);
        if (across) {
            joinRoad(st, x, y - 1);
            joinRoad(st, x, y + 1);
            if (x == r.left) joinRoad(st, x - 1, y);
            if (x == r.right) joinRoad(st, x + 1, y);
        } else {
            joinRoad(st, x - 1, y);
            joinRoad(st, x + 1, y);
            if (y == r.top) joinRoad(st, x, y - 1);
            if (y == r.bottom) joinRoad(st, x, y + 1);
        }
    });
    AnalyseMap(st);
    return true;
}

}  // namespace d7
