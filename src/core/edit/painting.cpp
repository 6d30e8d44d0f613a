#include "core/edit/painting.h"

#include "core/analysis/analyse_map.h"
#include "core/edit/area_rect.h"
#include "core/edit/cell_writer.h"
#include "core/edit/feature_codes.h"
#include "core/edit/geometry.h"
#include "core/edit/objects.h"
#include "core/edit/roads.h"
#include "core/edit/tile_groups.h"
#include "core/model/undo.h"

namespace d7 {

namespace {

// Calls f(x, y) for every map cell a set mask cell covers, row by row.
template <typename F>
void forEachCovered(int x0, int y0, const BrushMask& mask, F f) {
    for (int j = 0; j < kBrushSide; ++j)
        for (int i = 0; i < kBrushSide; ++i)
            if (mask.at(i, j) && inMap(x0 + i, y0 + j)) f(x0 + i, y0 + j);
}

void paintCell(EditorState& st, int x, int y, BrushFill fill, int domain, bool overwriteSea) {
    switch (fill) {
        case BrushFill::Sea:
            placeFill(st, FillKind::Sea, x, y);
            break;
        case BrushFill::Grassland:
            placeFill(st, FillKind::Grass, x, y);
            break;
        case BrushFill::Forest:
            placeFill(st, FillKind::Forest, x, y);
            break;
        case BrushFill::Road:
            layRoad(st, x, y);
            break;
        case BrushFill::Field:
            setCell(st, st.curMap, x, y,
                    {.flags = flags::kField,
                     .tileset = tileset::kRoad,
                     .tile = kFieldTile,
                     .code = feature::kField});
            break;
        case BrushFill::DomainNoOverwrite:
            if (st.planes.M5.at(x, y) != kNoDomain) break;
            [[fallthrough]];
        case BrushFill::Domain:
            writeCellDomain(st, x, y, domain, st.curMap, overwriteSea);
            break;
    }
}

}  // namespace

bool paintCellDomain(EditorState& st, int x, int y, int domain) {
    if (!inMap(x, y) || !isDomainNumber(domain) || st.planes.M0.at(x, y) == flags::kSea)
        return false;
    pushUndo(st);
    setCellDomain(st, x, y, domain, st.curMap, false);
    return true;
}

bool applyBrush(EditorState& st, int x0, int y0, const BrushMask& mask, BrushFill fill, int domain,
                bool overwriteSea) {
    const bool domainFill = fill == BrushFill::Domain || fill == BrushFill::DomainNoOverwrite;
    if (domainFill && !isDomainNumber(domain)) return false;
    pushUndo(st);
    // No step reads what the analysis pass derives, so one pass at the end
    // gives what a pass after every cell would.
    if (!domainFill)
        forEachCovered(x0, y0, mask, [&](int x, int y) { clearObjectCells(st, x, y); });
    // Every covered cell is road before any is tiled, so that the pieces join.
    if (fill == BrushFill::Road)
        forEachCovered(x0, y0, mask, [&](int x, int y) { st.planes.M0.at(x, y) = flags::kRoad; });
    forEachCovered(x0, y0, mask,
                   [&](int x, int y) { paintCell(st, x, y, fill, domain, overwriteSea); });
    AnalyseMap(st);
    return true;
}

}  // namespace d7
