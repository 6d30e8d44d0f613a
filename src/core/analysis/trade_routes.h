// The cells each trader walks (st.RouteCells), rebuilt from the TraderRoute
// records of the analysis pass with road-preferring distances, and the
// trader names.
#pragma once

#include <string>

#include "core/model/editor_state.h"

namespace d7 {

// A leg longer than this on roads alone is walked off-road instead.
inline constexpr int kLongestRoadLeg = 150;

// Rebuilds trader t's RouteCells: the lead-in from the start stop to the next
// one (when the trader does not start at stop 0), the mark "0" at the start
// stop's town road, then one leg from each stop to the next, the last back to
// stop 0. Leaves the route empty and stale when the trader has no stops or
// its start stop is empty; otherwise clears the stale flag. A leg without a
// path adds no cells. Overwrites the latest search (DistMatrix, PathPoints).
void BuildRouteCells(EditorState& st, int t);

// BuildRouteCells when trader t (1..6) is marked stale.
void ensureRouteCells(EditorState& st, int t);
// BuildRouteCells for every trader marked stale, with one search per town
// road shared by all the legs that start there (the same cells as one
// trader at a time).
void ensureAllRouteCells(EditorState& st);

// Marks trader t's route for rebuilding; other numbers are ignored.
void markRouteStale(EditorState& st, int t);
void markAllRoutesStale(EditorState& st);

// "S=12,40" or "3=20,41".
std::string routeCellText(const RouteCell& c);

// Trader t's name from the language file, or "Trader t" when it has none
// (defined with the report texts, which make it safe to stand in one line).
std::string traderName(const EditorState& st, int t);

}  // namespace d7
