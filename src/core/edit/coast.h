// Coast (cliff) tiles: the variant of a sea cell that shapes the sea along
// the land around it, for one cell and for the whole map ("Create Cliffs").
#pragma once

#include "core/model/editor_state.h"

namespace d7 {

// The base tile group for a sea cell (M0 = 4) from the sea and land among its
// eight neighbours; -1 for any other cell or when no pattern matches. A
// neighbour off the map is read from the nearest cell of the centre's own row
// or column.
int coastTileFor(const WorkingPlanes& p, int x, int y);

// Gives a sea cell of the current map a random variant of its coast group.
void coastCell(EditorState& st, int x, int y);

// "Create Cliffs": coastCell for every sea cell, open sea included (a fresh
// variant 22..37), then the analysis pass and a redraw of the whole map.
// Takes no undo snapshot.
void createCoast(EditorState& st);

}  // namespace d7
