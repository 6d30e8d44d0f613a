#include "core/analysis/pathfinding.h"

#include <bit>

#include "core/edit/geometry.h"

namespace d7 {

namespace {

constexpr int kOrthogonal[4] = {0, 2, 4, 6};
constexpr int kDiagonal[4] = {1, 3, 5, 7};
constexpr int kAllDirections[8] = {0, 1, 2, 3, 4, 5, 6, 7};
constexpr int kNoDirection = -1;

constexpr int cellIndex(int x, int y) {
    return y * kGrid + x;
}

bool isRoadCell(const EditorState& st, int x, int y) {
    return st.MoveMatrix.at(x, y) == 1;
}

// Distance of the neighbour of (x, y) in direction dir, 0 when it is off the grid.
int neighbourDist(const EditorState& st, int x, int y, int dir) {
    const int nx = x + kDirections[std::size_t(dir)].dx, ny = y + kDirections[std::size_t(dir)].dy;
    return inMap(nx, ny) ? st.DistMatrix.at(nx, ny) : 0;
}

// --- The bucket queue of a search (storage in PathState). ---

void queueReset(SearchQueue& q) {
    q.head.fill(SearchQueue::kNone);
    q.bucketOf.fill(SearchQueue::kNone);
    q.occupied.fill(0);
    q.cursor = 0;
    q.pending = 0;
}

void queueInsert(SearchQueue& q, int cell, int dist) {
    const int b = dist & (SearchQueue::kBuckets - 1);
    const std::int16_t first = q.head[std::size_t(b)];
    q.next[std::size_t(cell)] = first;
    q.prev[std::size_t(cell)] = SearchQueue::kNone;
    if (first != SearchQueue::kNone) q.prev[std::size_t(first)] = std::int16_t(cell);
    q.head[std::size_t(b)] = std::int16_t(cell);
    q.bucketOf[std::size_t(cell)] = std::int16_t(b);
    q.occupied[std::size_t(b >> 6)] |= std::uint64_t(1) << (b & 63);
    ++q.pending;
}

void queueRemove(SearchQueue& q, int cell) {
    const int b = q.bucketOf[std::size_t(cell)];
    const std::int16_t before = q.prev[std::size_t(cell)], after = q.next[std::size_t(cell)];
    if (before != SearchQueue::kNone)
        q.next[std::size_t(before)] = after;
    else
        q.head[std::size_t(b)] = after;
    if (after != SearchQueue::kNone) q.prev[std::size_t(after)] = before;
    if (q.head[std::size_t(b)] == SearchQueue::kNone)
        q.occupied[std::size_t(b >> 6)] &= ~(std::uint64_t(1) << (b & 63));
    q.bucketOf[std::size_t(cell)] = SearchQueue::kNone;
    --q.pending;
}

// Takes out a pending cell of the smallest distance. Pending distances lie in
// [current, current + 255], so the first occupied bucket at or after the
// cursor, going round once, holds the smallest. Requires q.pending > 0.
int queueTakeNearest(SearchQueue& q) {
    int word = q.cursor >> 6;
    std::uint64_t bits = q.occupied[std::size_t(word)] & (~std::uint64_t(0) << (q.cursor & 63));
    for (int i = 0; i < 5 && bits == 0; ++i) {
        word = (word + 1) & 3;
        bits = q.occupied[std::size_t(word)];
    }
    const int b = word * 64 + std::countr_zero(bits);
    q.cursor = b;
    const int cell = q.head[std::size_t(b)];
    queueRemove(q, cell);
    return cell;
}

}  // namespace

void BuildDistances(EditorState& st, const CostMatrix& matrix, int sx, int sy, bool roadsOnly) {
    auto& dist = st.DistMatrix.values;
    dist.fill(0);
    st.searchSource = -1;
    if (!inMap(sx, sy)) return;

    // Cells are expanded in order of distance, so each is expanded once and
    // its distance is final then; the result is the exact cheapest cost.
    SearchQueue& q = st.searchQueue;
    queueReset(q);
    const int source = cellIndex(sx, sy);
    st.searchSource = source;
    dist[std::size_t(source)] = 1;
    queueInsert(q, source, 1);

    auto relax = [&](int base, int nx, int ny) {
        if (!inMap(nx, ny)) return;
        const int n = cellIndex(nx, ny);
        int k = matrix.values[std::size_t(n)];
        if (k == 0) return;
        if (roadsOnly && k > 1) k = kOffRoadPenalty;
        const int nd = base + k;
        std::int32_t& dn = dist[std::size_t(n)];
        if (dn != 0 && dn <= nd) return;
        if (q.bucketOf[std::size_t(n)] != SearchQueue::kNone) queueRemove(q, n);
        dn = nd;
        queueInsert(q, n, nd);
    };

    while (q.pending > 0) {
        const int c = queueTakeNearest(q);
        const int x = c % kGrid, y = c / kGrid;
        const int base = dist[std::size_t(c)];
        for (int dir : kOrthogonal)
            relax(base, x + kDirections[std::size_t(dir)].dx, y + kDirections[std::size_t(dir)].dy);
        if (!isRoadCell(st, x, y))
            for (int dir : kDiagonal)
                relax(base, x + kDirections[std::size_t(dir)].dx,
                      y + kDirections[std::size_t(dir)].dy);
    }
}

TraceResult TracePath(EditorState& st, int tx, int ty) {
    st.PathPoints.fill(Point{});
    st.PathLength = 0;
    if (!inMap(tx, ty) || st.searchSource < 0) return {-1, 0};

    int x = tx, y = ty, d = st.DistMatrix.at(x, y);
    int n = 0, offroad = 0;
    if (d <= 1) return {0, 0};

    // The lowest reached neighbour strictly below the current distance among
    // the given directions; lower directions win ties.
    auto lowest = [&](const int* dirs, int count) {
        int best = d, bestDir = kNoDirection;
        for (int i = 0; i < count; ++i) {
            const int nd = neighbourDist(st, x, y, dirs[i]);
            if (nd > 0 && nd < best) {
                best = nd;
                bestDir = dirs[i];
            }
        }
        return bestDir;
    };
    while (d > 1) {
        if (n >= kMaxPathPoints) return {-1, 0};
        st.PathPoints[std::size_t(n)] = {x, y};
        int dir;
        if (isRoadCell(st, x, y)) {
            dir = lowest(kOrthogonal, 4);
            if (dir == kNoDirection) dir = lowest(kAllDirections, 8);
        } else {
            ++offroad;
            dir = lowest(kAllDirections, 8);
        }
        if (dir == kNoDirection) return {-1, 0};
        x += kDirections[std::size_t(dir)].dx;
        y += kDirections[std::size_t(dir)].dy;
        d = st.DistMatrix.at(x, y);
        ++n;
    }
    st.PathLength = n;
    return {n, offroad};
}

int TraceRoad(EditorState& st, int tx, int ty, bool preferStraight) {
    st.PathPoints.fill(Point{});
    st.PathLength = 0;
    if (!inMap(tx, ty) || st.searchSource < 0) return -1;

    int x = tx, y = ty, d = st.DistMatrix.at(x, y);
    // An unreached target has no walk: storing it as if it were the source
    // would hand the road tool a one-cell "path" somewhere unreachable.
    if (d == 0) return 0;
    int n = 0, previous = kNoDirection;
    while (d > 1) {
        st.PathPoints[std::size_t(n)] = {x, y};
        // Best over all four directions and best over the turns, each taking
        // the last of equals; both admit sideways steps onto equal distances.
        int best = d, bestDir = kNoDirection;
        int turn = d, turnDir = kNoDirection;
        for (int dir : kOrthogonal) {
            const int nd = neighbourDist(st, x, y, dir);
            if (nd <= 0) continue;
            if (nd <= best) {
                best = nd;
                bestDir = dir;
            }
            if (dir != previous && nd <= turn) {
                turn = nd;
                turnDir = dir;
            }
        }
        if (bestDir == kNoDirection) return -1;
        int dir = bestDir;
        if (previous != kNoDirection) {
            if (preferStraight) {
                const int straight = neighbourDist(st, x, y, previous);
                if (straight > 0 && straight <= best) dir = previous;
            } else if (turnDir != kNoDirection && turn <= best) {
                dir = turnDir;
            }
        }
        x += kDirections[std::size_t(dir)].dx;
        y += kDirections[std::size_t(dir)].dy;
        d = st.DistMatrix.at(x, y);
        previous = dir;
        if (++n >= kMaxPathPoints) return -1;
    }
    st.PathPoints[std::size_t(n)] = {x, y};
    st.PathLength = n + 1;
    return n;
}

namespace {

TraceResult noPath(EditorState& st) {
    st.PathPoints.fill(Point{});
    st.PathLength = 0;
    return {-1, 0};
}

// The walk to `to` in the latest search. The trace reads an unreached target
// as a walk of no steps; as a distance between two towns that would pass for
// "next door" when no walk exists at all.
TraceResult distanceTo(EditorState& st, Point to) {
    if (st.DistMatrix.at(to.x, to.y) == 0) return noPath(st);
    return TracePath(st, to.x, to.y);
}

}  // namespace

TraceResult RoadDistance(EditorState& st, Point from, Point to, bool roadsOnly) {
    if (!inMap(from.x, from.y) || !inMap(to.x, to.y)) return noPath(st);
    BuildDistances(st, st.MoveMatrix, from.x, from.y, roadsOnly);
    return distanceTo(st, to);
}

TraceResult RoadDistances::operator()(Point from, Point to, bool roadsOnly) {
    if (!inMap(from.x, from.y) || !inMap(to.x, to.y)) return noPath(st_);
    if (!searched_ || from != from_ || roadsOnly != roadsOnly_) {
        BuildDistances(st_, st_.MoveMatrix, from.x, from.y, roadsOnly);
        from_ = from;
        roadsOnly_ = roadsOnly;
        searched_ = true;
    }
    return distanceTo(st_, to);
}

}  // namespace d7
