// The analysis pass: derives the per-domain facts, starting domains, trader
// stops and routes, domain adjacency and the two cost matrices from the
// planes of the current map.
#pragma once

#include "core/model/editor_state.h"

namespace d7 {

// Step costs of MoveMatrix.
inline constexpr std::uint8_t kCostImpassable = 0;
inline constexpr std::uint8_t kCostRoad = 1;
inline constexpr std::uint8_t kCostGrass = 3;
inline constexpr std::uint8_t kCostField = 6;
inline constexpr std::uint8_t kCostBuilding =
    100;  // towns, castles, resources, villages, blacksmiths

// Rebuilds every table of AnalysisTables from the working planes M0..M5, in
// a fixed order: remembered blacksmiths, resets, the cell scan, trader
// starts, stop counts, town road access, blacksmiths and their marks in
// MoveMatrix. Allocates nothing.
void AnalyseMap(EditorState& st);

// Rebuilds MoveMatrix and RoadMoveMatrix from the planes by the cell rules
// alone: unlike the pass, no blacksmith cell is marked in MoveMatrix.
void BuildCostMatrices(EditorState& st);

// The first road cell near a town whose main cell is (x, y): the squares of
// half-width r = 1, 2, 3 around the town's part-3 cell (x + 1, y + 1), clipped
// to the grid, each row by row and left to right. Returns r and sets found to
// the road cell, or returns 0 and sets found to (-1, -1).
int FindRoadNear(const EditorState& st, int x, int y, Point& found);

// M5 of the neighbour of (x, y) in direction dir (0..7 clockwise from
// (x, y - 1)); 0 off the grid or for another dir.
int NeighbourDomain(const EditorState& st, int x, int y, int dir);
// Plane p (0..5 = M0..M5) at that neighbour; 0 off the grid, for another dir
// or another plane.
int NeighbourPlane(const EditorState& st, int p, int x, int y, int dir);

}  // namespace d7
