// Border tiles: the road-tileset variants that show a domain edge on one or
// both upper sides of a cell ((x, y-1) and (x-1, y)), and the rules that add,
// remove and correct them.
#pragma once

#include "core/model/editor_state.h"

namespace d7 {

// No bordered variant exists (borderBase).
inline constexpr int kNoBorderTile = 255;

// Sides value s: 1 the edge towards (x, y-1), 2 the edge towards (x-1, y), 3 both.
// The domain edges on the cell's upper sides. Sea neighbours never make an
// edge, nor, for a forest cell, mountain neighbours.
int borderSides(const WorkingPlanes& p, int x, int y);

// Whether the cell can show a border: grassland, roads, forest, fields,
// castles and villages can; towns, resources, mountains, sea and black cells cannot.
bool canCarryBorder(const WorkingPlanes& p, int x, int y);

// First bordered tile (s = 1) for plain tile `tile`: family 0 for base-tileset
// land under grassland, villages and castles, family 1 for road-tileset tiles.
// kNoBorderTile when the tile has no bordered variant.
int borderBase(int family, int tile);

// Sides shown by a bordered road-tileset tile; 0 for any other tile.
int borderOf(int tile);

// Road-tileset group of the plain tile behind a bordered road, forest or field
// tile; -1 for any other tile.
int plainGroupOf(int tile);

// Gives the cell the bordered variant for sides s (1..3). Cells whose tile has
// no bordered variant, and cells that cannot carry a border, stay as they are.
void addBorder(EditorState& st, int x, int y, int s);

// Takes the border off the cell (a fresh plain variant of its tile). A
// bordered road tile without a plain group stays as it is.
void removeBorder(EditorState& st, int x, int y);

// Makes the cell's border match its domain edges.
void fixBorder(EditorState& st, int x, int y);

// "Set Bordertiles at Domain Edges": fixBorder for every cell, then the
// analysis pass and a redraw of the whole map. Takes no undo snapshot.
void fixAllBorders(EditorState& st);

}  // namespace d7
