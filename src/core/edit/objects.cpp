#include "core/edit/objects.h"

#include "core/analysis/analyse_map.h"
#include "core/edit/cell_writer.h"
#include "core/edit/feature_codes.h"
#include "core/edit/geometry.h"
#include "core/edit/random_tiles.h"
#include "core/edit/tile_groups.h"

namespace d7 {

// Only cells that still belong to an object of the same kind are changed.
// In a map where the object is whole that is every cell of its block; where
// another object has since covered part of the block (a mountain placed over
// part of a mountain, a pasted area), the other object's cells stay intact.

void clearObjectCells(EditorState& st, int x, int y) {
    const WorkingPlanes& p = st.planes;
    if (isCastle(p, x, y)) {
        const Point o = objectOrigin(p, x, y, 2);
        for (int j = 0; j < 2; ++j)
            for (int i = 0; i < 2; ++i) {
                const int cx = o.x + i, cy = o.y + j;
                if (!isCastle(p, cx, cy)) continue;
                setCell(st, st.curMap, cx, cy,
                        {.flags = p.M0.at(cx, cy) & 0x7F,
                         .tileset = p.M1.at(cx, cy),
                         .tile = p.M2.at(cx, cy),
                         .part = 0,
                         .marker = 0,
                         .domain = kKeepDomain,
                         .code = feature::kGrass});
            }
    }
    if (isTown(p, x, y)) {
        const Point o = objectOrigin(p, x, y, 2);
        for (int j = 0; j < 2; ++j)
            for (int i = 0; i < 2; ++i)
                if (isTown(p, o.x + i, o.y + j)) placeRandomGrass(st, o.x + i, o.y + j, st.curMap);
    }
}

void clearObjectAt(EditorState& st, int x, int y) {
    clearObjectCells(st, x, y);
    AnalyseMap(st);
}

void resetObjectCells(EditorState& st, int n, int x, int y, int w) {
    if (!inMap(x, y) || w < 2 || w > 3) return;
    const Point o = objectOrigin(st.planes, x, y, w);
    for (int j = 0; j < w; ++j)
        for (int i = 0; i < w; ++i) {
            const int cx = o.x + i, cy = o.y + j;
            if (!isMountain(st.planes, cx, cy)) continue;
            setCell(st, n, cx, cy,
                    {.flags = 0,
                     .tileset = tileset::kBase,
                     .tile = kFirstGrassTile,
                     .part = 0,
                     .marker = 0,
                     .domain = kKeepDomain,
                     .code = feature::kGrass});
        }
}

void resetObjectArea(EditorState& st, int n, int x, int y, int w) {
    resetObjectCells(st, n, x, y, w);
    AnalyseMap(st);
}

}  // namespace d7
