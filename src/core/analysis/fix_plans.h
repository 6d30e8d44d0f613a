// What the repairs of the map checks work out before they change anything:
// the domain a cell should take, the road that connects a building, the
// cells that make a walk continuous road. The checks ask them to decide
// whether a finding has a fix; the fixes ask them again when applied.
#pragma once

#include <vector>

#include "core/model/editor_state.h"

namespace d7 {

// An unpainted black tile: a plain cell (M0 0) whose tile number is 5 or less.
bool isBlackTile(const WorkingPlanes& p, int x, int y);

// The domain (1..16) that most of the eight neighbours of (x, y) carry; 0
// when no neighbour has a domain or two domains are carried equally often.
int majorityNeighbourDomain(const WorkingPlanes& p, int x, int y);

// Whether the castle whose main cell is `castle` can be placed again where
// it stands: its block lies on the map within one domain 1..16, and one of
// its cells has a tile number a castle may not stand on.
bool castleWantsPlacing(const EditorState& st, Point castle);

// The road tool's cheapest road from a cell around the 2 x 2 block at
// `block` (one a road may cover) to the nearest road cell, traced into
// st.PathPoints (the road cell first, the cell by the block last). False,
// and nothing traced, when no road cell can be reached.
bool traceConnectingRoad(EditorState& st, Point block);

// The cells to pave so that the walk traced into st.PathPoints (as
// TracePath leaves it) from the road cell `source` becomes continuous road:
// its cells that are not road and, where it steps diagonally, one corner
// cell. False when one of them is no cell a road may cover.
bool planPaving(const EditorState& st, Point source, std::vector<Point>& cells);

// Whether a used domain number follows an unused one in 1..16.
bool hasDomainNumberGap(const EditorState& st);

}  // namespace d7
