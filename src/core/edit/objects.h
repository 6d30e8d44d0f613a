// Taking multi-cell objects off the map: castles and towns (2 x 2) and
// mountains (2 x 2 or 3 x 3), from any of their cells.
#pragma once

#include "core/model/editor_state.h"

namespace d7 {

// Removes the castle or town that covers the cell, then runs the analysis
// pass. A castle loses its flag on its four cells, which keep their own tiles
// (code 2, part and marker 0); a town's four cells become random grassland.
// Mountains, resources and villages are not touched.
void clearObjectAt(EditorState& st, int x, int y);

// The same without the analysis pass, for commands that change more cells
// and run the pass once when they are done.
void clearObjectCells(EditorState& st, int x, int y);

// Turns the w x w mountain that covers the cell, found from the cell's part
// number, into plain grassland (tile 6, code 2, domain kept), then runs the
// analysis pass.
void resetObjectArea(EditorState& st, int n, int x, int y, int w);

// The same without the analysis pass.
void resetObjectCells(EditorState& st, int n, int x, int y, int w);

}  // namespace d7
