// Walking distances on the 64 x 64 grid and the paths that descend them.
//
// A search fills st.DistMatrix from one source cell: 0 = unreached, 1 = the
// source, otherwise 1 plus the costs of the cells entered on the cheapest
// walk. A step enters one of the eight neighbours and costs the cost matrix
// entry of the cell entered (0 = impassable); no diagonal step leaves a road
// cell (MoveMatrix entry 1), whatever matrix is searched. A trace walks down
// the field of the latest search into st.PathPoints / st.PathLength, so every
// trace must follow the search it belongs to. Nothing here allocates.
#pragma once

#include "core/analysis/analysis_tables.h"
#include "core/model/editor_state.h"

namespace d7 {

// Cost that every step onto a non-road cell gets with roadsOnly set.
inline constexpr int kOffRoadPenalty = 100;

// Fills st.DistMatrix with the exact cheapest costs from (sx, sy) over the
// step costs of matrix (st.MoveMatrix or st.RoadMoveMatrix). With roadsOnly,
// every cost above 1 counts as 100. A source off the grid reaches nothing.
void BuildDistances(EditorState& st, const CostMatrix& matrix, int sx, int sy, bool roadsOnly);

struct TraceResult {
    int steps;    // cells from the target to the source, -1 for no path
    int offroad;  // path cells (target included, source excluded) that are not road
};

// Walks from (tx, ty) down the distance field to the source, always to the
// lowest neighbour (from a road cell orthogonal neighbours first, lower
// direction on ties). PathPoints hold the target first and the cell next to
// the source last. A target that is the source or unreached gives 0 steps;
// a target off the grid, a search without a source on the grid, a dead end or
// a path of more than 800 cells gives -1.
TraceResult TracePath(EditorState& st, int tx, int ty);

// The road tool's walk: orthogonal steps only, sideways onto equal distances
// allowed. Without preferStraight it turns whenever turning is as good (a
// staircase); with it, it keeps its direction while that is as good. The
// source is stored as the last point; an unreached target stores nothing and
// gives 0. Returns the steps, or -1 for no path (off the grid, a search
// without a source on the grid, a dead end, or 800 steps and more).
int TraceRoad(EditorState& st, int tx, int ty, bool preferStraight);

// BuildDistances on st.MoveMatrix from `from`, then TracePath to `to`. An end
// point off the grid (such as a missing town road position) or a target the
// search never reached gives -1; `to` equal to `from` gives 0.
TraceResult RoadDistance(EditorState& st, Point from, Point to, bool roadsOnly);

// RoadDistance for walks from one town to each of its neighbours: the search
// is repeated only when the source or roadsOnly changes, so nothing else may
// search while one of these is in use.
class RoadDistances {
  public:
    explicit RoadDistances(EditorState& st) : st_(st) {}
    TraceResult operator()(Point from, Point to, bool roadsOnly);

  private:
    EditorState& st_;
    Point from_;
    bool roadsOnly_ = false;
    bool searched_ = false;
};

}  // namespace d7
