#include "core/edit/area_copy.h"

#include "core/analysis/analyse_map.h"
#include "core/edit/borders.h"
#include "core/edit/cell_writer.h"
#include "core/edit/coast.h"
#include "core/edit/feature_codes.h"
#include "core/edit/geometry.h"
#include "core/edit/objects.h"
#include "core/edit/roads.h"
#include "core/edit/tile_groups.h"
#include "core/model/undo.h"

namespace d7 {

namespace {

// The cell predicates of geometry.h, read from an area's planes.
bool castleIn(const AreaBuffer& a, int x, int y) {
    return (a.M0.at(x, y) & flags::kBuilding) && (a.M1.at(x, y) & 0x0C) != 0x0C;
}
bool townIn(const AreaBuffer& a, int x, int y) {
    return a.M0.at(x, y) & flags::kTown;
}

// Whether the castle or town piece with this part number lies in a column or
// row of r that leaves the rest of its 2 x 2 block outside r.
bool cutByRect(const CellRect& r, int x, int y, int part) {
    auto is = [part](int a, int b) { return part == a || part == b; };
    return (x == r.left && is(1, 3)) || (x == r.right && is(0, 2)) || (y == r.top && is(2, 3)) ||
           (y == r.bottom && is(0, 1));
}

// Where cell (x, y) of a 64 x 64 plane goes.
Point transformedCell(AreaTransform op, int x, int y) {
    switch (op) {
        case AreaTransform::Rotate90:
            return {kGrid - 1 - y, x};
        case AreaTransform::Rotate180:
            return {kGrid - 1 - x, kGrid - 1 - y};
        case AreaTransform::Rotate270:
            return {y, kGrid - 1 - x};
        case AreaTransform::MirrorX:
            return {x, kGrid - 1 - y};
        case AreaTransform::MirrorY:
            return {kGrid - 1 - x, y};
    }
    return {x, y};
}

bool swapsSides(AreaTransform op) {
    return op == AreaTransform::Rotate90 || op == AreaTransform::Rotate270;
}

// The part number a piece of a w x w block gets when the block is turned: the
// same mapping as for cells, on a grid of side w.
int transformedPart(AreaTransform op, int part, int w) {
    const int i = part % w, j = part / w, last = w - 1;
    int ni = i, nj = j;
    switch (op) {
        case AreaTransform::Rotate90:
            ni = last - j, nj = i;
            break;
        case AreaTransform::Rotate180:
            ni = last - i, nj = last - j;
            break;
        case AreaTransform::Rotate270:
            ni = j, nj = last - i;
            break;
        case AreaTransform::MirrorX:
            nj = last - j;
            break;
        case AreaTransform::MirrorY:
            ni = last - i;
            break;
    }
    return ni + w * nj;
}

// Gives a castle, town or mountain piece of the transformed buffer the part
// and tile of its new place in its block. A part number outside its block
// (any byte can stand in a shared map) leaves the piece as it is.
void turnPiece(AreaBuffer& a, AreaTransform op, int x, int y) {
    const bool castle = castleIn(a, x, y), town = townIn(a, x, y);
    const bool mountain = a.M1.at(x, y) == tileset::kMountain;
    if (!castle && !town && !mountain) return;
    const int tile = a.M2.at(x, y);
    const int w = mountain && !castle && !town && tile >= 16 ? 3 : 2;
    const int part = a.M3.at(x, y);
    if (part >= w * w) return;
    const int np = transformedPart(op, part, w);
    a.M3.at(x, y) = std::uint8_t(np);
    if (castle) return;
    if (town) {
        a.M2.at(x, y) = std::uint8_t(kTownPartTiles[std::size_t(np)]);
        return;
    }
    const int type = tile / 4;
    a.M2.at(x, y) = std::uint8_t(type <= 3 ? 4 * type + kMountain2x2PartTiles[std::size_t(np)]
                                           : kMountain3x3Tiles[std::size_t(np)]);
}

// The marker a pasted cell carries: none, except the number a town cell's
// code still holds. Codes up to 25 hold none (a piece that is both town and
// castle carries 15).
int pastedMarker(const AreaBuffer& a, int x, int y) {
    const int code = a.Ext4.at(x, y);
    return townIn(a, x, y) && code > feature::kMarkerBase ? code - feature::kMarkerBase : 0;
}

// The cells the area covers at (x, y), clipped to the map.
CellRect target(const AreaBuffer& a, int x, int y) {
    return CellRect{x, y, x + a.width - 1, y + a.height - 1}.onMap();
}

void writeArea(EditorState& st, int x, int y, const AreaBuffer& a) {
    const CellRect t = target(a, x, y);
    if (t.empty()) return;
    for (int ty = t.top; ty <= t.bottom; ++ty)
        for (int tx = t.left; tx <= t.right; ++tx) clearObjectCells(st, tx, ty);
    for (int ty = t.top; ty <= t.bottom; ++ty)
        for (int tx = t.left; tx <= t.right; ++tx) {
            const int sx = a.rect.left + tx - x, sy = a.rect.top + ty - y;
            if (!inMap(sx, sy)) continue;
            setCell(st, st.curMap, tx, ty,
                    {.flags = a.M0.at(sx, sy),
                     .tileset = a.M1.at(sx, sy),
                     .tile = a.M2.at(sx, sy),
                     .part = a.M3.at(sx, sy),
                     .marker = pastedMarker(a, sx, sy),
                     .domain = kKeepDomain,
                     .code = a.Ext4.at(sx, sy)});
        }
}

void finishPaste(EditorState& st) {
    AnalyseMap(st);
    if (st.sink) st.sink->mapChanged();
}

}  // namespace

void copyArea(EditorState& st, const CellRect& rect) {
    AreaBuffer& a = st.clipboard;
    a.clear();
    const CellRect r = rect.onMap();
    if (r.empty()) return;
    a.rect = r;
    a.valid = true;
    a.width = r.width();
    a.height = r.height();
    const WorkingPlanes& p = st.planes;
    for (int y = r.top; y <= r.bottom; ++y)
        for (int x = r.left; x <= r.right; ++x) {
            const bool castle = isCastle(p, x, y), town = isTown(p, x, y);
            const bool cut = (castle || town) && cutByRect(r, x, y, p.M3.at(x, y));
            int m0 = p.M0.at(x, y), m1 = p.M1.at(x, y), m2 = p.M2.at(x, y), m3 = p.M3.at(x, y);
            int code = p.Ext4.at(x, y);
            if (cut && town) {
                m0 = m1 = m3 = 0;
                m2 = shortPick(st.rng, tileset::kBase, kFirstGrassTile);
                code = feature::kGrass;
            } else if (cut) {
                // The cell keeps its own tileset: a castle piece with a border
                // stands on a bordered grass tile of the road tileset.
                m0 &= ~flags::kBuilding;
                m3 = 0;
                code = feature::kGrass;
            } else if (castle) {
                code = feature::kCastle;
            } else if (town) {
                code = feature::kTown;
            }
            a.M0.at(x, y) = std::uint8_t(m0);
            a.M1.at(x, y) = std::uint8_t(m1);
            a.M2.at(x, y) = std::uint8_t(m2);
            a.M3.at(x, y) = std::uint8_t(m3);
            a.Ext4.at(x, y) = std::uint8_t(code);
        }
}

void transformArea(EditorState& st, AreaTransform op) {
    AreaBuffer& t = st.transformed;
    const AreaBuffer& c = st.clipboard;
    t.clear();
    if (!c.valid) return;
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) {
            const Point to = transformedCell(op, x, y);
            t.M0.at(to.x, to.y) = c.M0.at(x, y);
            t.M1.at(to.x, to.y) = c.M1.at(x, y);
            t.M2.at(to.x, to.y) = c.M2.at(x, y);
            t.M3.at(to.x, to.y) = c.M3.at(x, y);
            t.Ext4.at(to.x, to.y) = c.Ext4.at(x, y);
        }
    const Point a = transformedCell(op, c.rect.left, c.rect.top);
    const Point b = transformedCell(op, c.rect.right, c.rect.bottom);
    t.rect = CellRect::spanning(a.x, a.y, b.x, b.y);
    t.valid = true;
    t.width = swapsSides(op) ? c.height : c.width;
    t.height = swapsSides(op) ? c.width : c.height;
    for (int y = t.rect.top; y <= t.rect.bottom; ++y)
        for (int x = t.rect.left; x <= t.rect.right; ++x) turnPiece(t, op, x, y);
}

bool pasteAreaFits(const AreaBuffer& a, int x, int y) {
    return a.valid && inMap(x, y) && x + a.width < kGrid && y + a.height < kGrid;
}

bool areaFits(const AreaBuffer& a, int x, int y) {
    return a.valid && inMap(x, y) && x + a.width <= kGrid && y + a.height <= kGrid;
}

void pasteArea(EditorState& st, int x, int y, const AreaBuffer& area) {
    if (!area.valid) return;
    pushUndo(st);
    {
        SinkPause pause(st);
        writeArea(st, x, y, area);
    }
    finishPaste(st);
}

void pasteSpecial(EditorState& st, int x, int y, const AreaBuffer& area) {
    if (!area.valid) return;
    pushUndo(st);
    {
        SinkPause pause(st);
        writeArea(st, x, y, area);
        // None of these reads what the analysis pass derives, so one pass at
        // the end gives what a pass after every step would.
        const CellRect t = target(area, x, y);
        for (int ty = t.top; ty <= t.bottom; ++ty)
            for (int tx = t.left; tx <= t.right; ++tx) {
                updateRoad(st, tx, ty);
                coastCell(st, tx, ty);
                fixBorder(st, tx, ty);
            }
    }
    finishPaste(st);
}

}  // namespace d7
