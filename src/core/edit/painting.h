// Painting the map cell by cell as the map window's mouse does: a domain on
// one cell.
#pragma once

#include "core/model/editor_state.h"

namespace d7 {

// The "Domains" click: gives cell (x, y) of the current map domain d (0,
// 1..16 or 32) with an undo snapshot first and the analysis pass last. Sea
// cells, cells off the map and other domain numbers are refused: nothing is
// written and false is returned.
bool paintCellDomain(EditorState& st, int x, int y, int domain);

}  // namespace d7
