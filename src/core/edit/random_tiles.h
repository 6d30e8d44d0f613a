// Cells that get a random variant of their tile group: grassland, sea, coast,
// road pieces and forest. All write part 0 and marker 0.
#pragma once

#include "core/edit/cell_writer.h"
#include "core/model/editor_state.h"

namespace d7 {

// Grassland 6..20 (short pick), flags 0, code 2, domain kept or, when given
// (a number that fits a byte), written with the same cell write.
void placeRandomGrass(EditorState& st, int x, int y, int n, int domain = kKeepDomain);
// Open sea 22..36 (short pick), flags 4, code 4, domain 0.
void placeRandomSea(EditorState& st, int x, int y, int n);
// A variant of base group first (half pick), flags 4, code 4, domain 0.
void placeCoastTile(EditorState& st, int x, int y, int first, int n);
// A variant of road group first (half pick) on the current map, flags 0x01,
// code 63, domain kept.
void placeRoadTile(EditorState& st, int x, int y, int first);
// Forest 30..37 (half pick) on the current map, flags 0x08, code 10, domain kept.
void placeForest(EditorState& st, int x, int y);

}  // namespace d7
