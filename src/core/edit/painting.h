// Painting the map cell by cell as the map window's mouse does: a domain on
// one cell, and the 5 x 5 brush.
#pragma once

#include "core/model/brush_mask.h"
#include "core/model/editor_state.h"

namespace d7 {

// The "Domains" click: gives cell (x, y) of the current map domain d (0,
// 1..16 or 32) with an undo snapshot first and the analysis pass last. Sea
// cells, cells off the map and other domain numbers are refused: nothing is
// written and false is returned.
bool paintCellDomain(EditorState& st, int x, int y, int domain);

// What the brush puts on the cells it covers ("Brushfill").
enum class BrushFill : int {
    Sea = 0,
    Grassland = 1,
    Forest = 2,
    Road = 3,
    Field = 4,
    Domain = 5,             // domain d on every covered land cell
    DomainNoOverwrite = 6,  // domain d only where a cell has none (M5 = 0)
};

// The brush with mask cell (i, j) on map cell (x0 + i, y0 + j); set cells
// off the map take no part. Undo snapshot first; castles and towns under the
// brush are removed first unless it fills domains; then every covered cell,
// row by row, gets the fill; the analysis pass runs last. A domain fill gives
// sea cells the domain (as grassland) only with overwriteSea, and is refused
// (false, nothing written) for a domain that is not 0, 1..16 or 32. A road
// cell without road neighbours gets the straight piece.
bool applyBrush(EditorState& st, int x0, int y0, const BrushMask& mask, BrushFill fill,
                int domain = 0, bool overwriteSea = false);

}  // namespace d7
