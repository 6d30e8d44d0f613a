#include "core/analysis/developer_views.h"

#include "core/analysis/analyse_map.h"
#include "core/analysis/pathfinding.h"

namespace d7 {

namespace {
constexpr int kLongestShownPath = 149;
}

void roadDistancesFromViewSource(EditorState& st) {
    BuildDistances(st, st.RoadMoveMatrix, kViewSource.x, kViewSource.y, false);
}

std::vector<Point> viewSourceShortestPath(EditorState& st) {
    BuildCostMatrices(st);
    BuildDistances(st, st.MoveMatrix, kViewSource.x, kViewSource.y, false);
    const int steps = TracePath(st, kViewTarget.x, kViewTarget.y).steps;
    if (steps < 1 || steps > kLongestShownPath) return {};
    return {st.PathPoints.begin(), st.PathPoints.begin() + steps};
}

}  // namespace d7
