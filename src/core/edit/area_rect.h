// The selection commands that change every cell of a rectangle: random fills,
// black, domains, removing roads and laying a straight road. Each takes the
// rectangle by any two opposite corners, ignores what lies off the map, takes
// the undo snapshot first and runs the analysis pass last.
#pragma once

#include "core/model/area_buffer.h"
#include "core/model/editor_state.h"

namespace d7 {

// What a fill puts on each cell: a random variant of open sea, grassland or forest.
enum class FillKind : int { Sea = 0, Grass = 1, Forest = 2 };

// A random variant of kind on one cell.
void placeFill(EditorState& st, FillKind kind, int x, int y);

// "Fill Selection": castles and towns under r are removed, then every cell
// gets a random variant of kind (sea loses its domain, land keeps it).
void fillRect(EditorState& st, FillKind kind, const CellRect& r);

// "Fill Selection", "Black": every cell becomes unset land; domains stay.
void blackRect(EditorState& st, const CellRect& r);

// "Domains": domain d (0, 1..16 or 32) on the land cells of r; without
// overwrite only on cells that have no domain yet. Sea is never changed; black
// cells become random grassland.
void setDomainRect(EditorState& st, int d, bool overwrite, const CellRect& r);

// "Remove Roads": every road cell of r becomes random grassland; the roads
// around keep their pieces.
void removeRoadsRect(EditorState& st, const CellRect& r);

// "Set Road" over a selection one cell wide or high: every cell becomes road
// with the piece its neighbours call for (a lone cell a straight piece), and
// the road cells along the line are joined to it. False, and nothing done,
// when r is wider and higher than one cell.
bool setRoadLine(EditorState& st, const CellRect& r);

}  // namespace d7
