// Road pieces: which piece a road cell needs for its road neighbours, the
// re-tiling of one cell and of the whole map, and turning a traced path into
// road.
#pragma once

#include <span>

#include "core/model/editor_state.h"

namespace d7 {

// The road group a road cell needs for the road cells among its four
// neighbours (a neighbour off the map imposes nothing); -1 when the cell is no
// road cell or has no road neighbour on the map.
int roadTileFor(const WorkingPlanes& p, int x, int y);

// Re-tiles a road cell and then, once each, its road neighbours (x, y+1),
// (x, y-1), (x+1, y), (x-1, y); each re-tiled cell gets its domain border
// again. Nothing happens when the cell needs no piece.
void updateRoad(EditorState& st, int x, int y);

// Writes a cell whose working M0 already says road through as road: with the
// piece its road neighbours call for (re-tiling them as updateRoad does), or
// the straight piece when it has none, so that the flag never stays in the
// working plane alone.
void layRoad(EditorState& st, int x, int y);

// "Recalculate Road connections": updateRoad for every road cell, then the
// analysis pass and a redraw of the whole map. Takes no undo snapshot.
void recalcRoads(EditorState& st);

// "Set Road": turns PathPoints[0 .. PathLength-1] into road, taking the undo
// snapshot first and running the analysis pass last; nothing when PathLength
// is not above 0. Cells a road may not cover (anything but land, road and
// border, i.e. M0 above 3) are left as they are; a path cell without a road
// neighbour gets a straight piece.
void setRoadPath(EditorState& st);
// The same without the undo snapshot, for commands that take their own.
void layPathRoad(EditorState& st);
// Lays road on the cells as "Set Road" lays a path's cells (no undo
// snapshot), then runs the analysis pass.
void layRoadCells(EditorState& st, std::span<const Point> cells);

}  // namespace d7
