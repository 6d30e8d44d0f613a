#include "core/edit/random_tiles.h"

#include "core/edit/cell_writer.h"
#include "core/edit/feature_codes.h"
#include "core/edit/geometry.h"
#include "core/edit/tile_groups.h"

namespace d7 {

// Each placement draws its random number only for a cell on the map, so the
// sequence of variants does not depend on writes that are ignored.

void placeRandomGrass(EditorState& st, int x, int y, int n, int domain) {
    if (!inMap(x, y)) return;
    setCell(st, n, x, y,
            {.flags = 0,
             .tileset = tileset::kBase,
             .tile = shortPick(st.rng, tileset::kBase, kFirstGrassTile),
             .domain = domain,
             .code = feature::kGrass});
}

void placeRandomSea(EditorState& st, int x, int y, int n) {
    if (!inMap(x, y)) return;
    setCell(st, n, x, y,
            {.flags = flags::kSea,
             .tileset = tileset::kBase,
             .tile = shortPick(st.rng, tileset::kBase, kFirstSeaTile),
             .domain = kNoDomain,
             .code = feature::kSea});
}

void placeCoastTile(EditorState& st, int x, int y, int first, int n) {
    if (!inMap(x, y)) return;
    setCell(st, n, x, y,
            {.flags = flags::kSea,
             .tileset = tileset::kBase,
             .tile = halfPick(st.rng, tileset::kBase, first),
             .domain = kNoDomain,
             .code = feature::kSea});
}

void placeRoadTile(EditorState& st, int x, int y, int first) {
    if (!inMap(x, y)) return;
    setCell(st, st.curMap, x, y,
            {.flags = flags::kRoad,
             .tileset = tileset::kRoad,
             .tile = halfPick(st.rng, tileset::kRoad, first),
             .domain = kKeepDomain,
             .code = feature::kRoad});
}

void placeForest(EditorState& st, int x, int y) {
    if (!inMap(x, y)) return;
    setCell(st, st.curMap, x, y,
            {.flags = flags::kUnpassable,
             .tileset = tileset::kRoad,
             .tile = halfPick(st.rng, tileset::kRoad, kForestGroup),
             .domain = kKeepDomain,
             .code = feature::kForest});
}

}  // namespace d7
