// The searches behind the hidden "Pathfinding" views, which print cost and
// distance tables onto the map picture to show how walks are measured.
#pragma once

#include <vector>

#include "core/model/editor_state.h"

namespace d7 {

// The fixed cells the views measure from and to.
inline constexpr Point kViewSource{4, 12};
inline constexpr Point kViewTarget{13, 28};

// "RDistM": fills DistMatrix with the distances on RoadMoveMatrix from kViewSource.
void roadDistancesFromViewSource(EditorState& st);

// "ShrtPath": rebuilds the cost matrices by the cell rules alone, searches
// MoveMatrix from kViewSource and traces to kViewTarget. The path cells when
// the walk has 1 to 149 steps, else none.
std::vector<Point> viewSourceShortestPath(EditorState& st);

}  // namespace d7
