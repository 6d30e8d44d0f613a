#include "core/edit/whole_map.h"

#include <algorithm>
#include <charconv>

#include "core/analysis/analyse_map.h"
#include "core/edit/cell_writer.h"
#include "core/edit/geometry.h"
#include "core/edit/random_tiles.h"
#include "core/model/undo.h"

namespace d7 {

namespace {

// Each command writes thousands of cells: the picture is redrawn once at the end.
void finishWholeMap(EditorState& st) {
    AnalyseMap(st);
    if (st.sink) st.sink->mapChanged();
}

void fillCells(EditorState& st, FillKind kind, bool emptyOnly) {
    pushUndo(st);
    {
        SinkPause pause(st);
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x)
                if (!emptyOnly || (st.planes.M0.at(x, y) == 0 && st.planes.M2.at(x, y) == 0))
                    placeFill(st, kind, x, y);
    }
    finishWholeMap(st);
}

// Cell (x, y) takes every plane of cell (sx, sy), or nothing at all when
// that lies off the map.
void takeCell(EditorState& st, int x, int y, int sx, int sy) {
    const WorkingPlanes& p = st.planes;
    if (!inMap(sx, sy)) {
        setCell(st, st.curMap, x, y, {.domain = kNoDomain});
        return;
    }
    setCell(st, st.curMap, x, y,
            {.flags = p.M0.at(sx, sy),
             .tileset = p.M1.at(sx, sy),
             .tile = p.M2.at(sx, sy),
             .part = p.M3.at(sx, sy),
             .marker = p.M4.at(sx, sy),
             .domain = p.M5.at(sx, sy),
             .code = p.Ext4.at(sx, sy)});
}

// Whether the castle, town or mountain piece on (x, y) belongs to a block that
// reaches over the edge the map was shifted towards (its part number tells
// where the block lies). Pieces whose part number lies outside their block
// are not judged.
bool cutByFarEdge(const WorkingPlanes& p, int x, int y, ShiftDirection direction) {
    if (!isCastle(p, x, y) && !isTown(p, x, y) && !isMountain(p, x, y)) return false;
    const int w = objectSize(p, x, y), part = p.M3.at(x, y);
    if (w < 2 || part >= w * w) return false;
    const int left = x - part % w, top = y - part / w;
    switch (direction) {
        case ShiftDirection::XPlus:
            return left + w > kGrid;
        case ShiftDirection::XMinus:
            return left < 0;
        case ShiftDirection::YPlus:
            return top + w > kGrid;
        case ShiftDirection::YMinus:
            return top < 0;
    }
    return false;
}

void moveCells(EditorState& st, int a, ShiftDirection direction) {
    // Each cell is written before the cells it is read by, so the copy works in place.
    for (int k = 0; k < kGrid; ++k)
        for (int m = 0; m < kGrid; ++m) {
            const int down = kGrid - 1 - m;
            switch (direction) {
                case ShiftDirection::XPlus:
                    takeCell(st, down, k, down - a, k);
                    break;
                case ShiftDirection::XMinus:
                    takeCell(st, m, k, m + a, k);
                    break;
                case ShiftDirection::YPlus:
                    takeCell(st, k, down, k, down - a);
                    break;
                case ShiftDirection::YMinus:
                    takeCell(st, k, m, k, m + a);
                    break;
            }
        }
}

// The widest object is 3 cells: its cut pieces lie within two cells of the edge.
constexpr int kCutBand = 2;

void clearCutPieces(EditorState& st, ShiftDirection direction) {
    const bool alongX = direction == ShiftDirection::XPlus || direction == ShiftDirection::XMinus;
    const bool towardsEnd =
        direction == ShiftDirection::XPlus || direction == ShiftDirection::YPlus;
    const int first = towardsEnd ? kGrid - kCutBand : 0;
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) {
            const int across = alongX ? x : y;
            if (across < first || across >= first + kCutBand) continue;
            if (cutByFarEdge(st.planes, x, y, direction)) placeRandomGrass(st, x, y, st.curMap);
        }
}

}  // namespace

void fillMap(EditorState& st, FillKind kind) {
    fillCells(st, kind, false);
}

void fillBlack(EditorState& st, FillKind kind) {
    fillCells(st, kind, true);
}

void setLandWithoutDomain(EditorState& st) {
    pushUndo(st);
    {
        SinkPause pause(st);
        const WorkingPlanes& p = st.planes;
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x) {
                const int m0 = p.M0.at(x, y);
                const bool empty = m0 == 0 && p.M2.at(x, y) == 0;
                if (m0 != flags::kSea && !empty && p.M5.at(x, y) == kNoDomain)
                    writeCellDomain(st, x, y, kLandWithoutDomain, st.curMap, false);
            }
    }
    finishWholeMap(st);
}

int readShiftDistance(const std::string& answer) {
    const auto begin = answer.find_first_not_of(" \t");
    if (begin == std::string::npos) return -1;
    const auto end = answer.find_last_not_of(" \t") + 1;
    const char* first = answer.data() + begin;
    const char* last = answer.data() + end;
    if (*first == '+' && last - first > 1 && first[1] != '-') ++first;
    int value = 0;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && ptr == last ? value : -1;
}

bool shiftMap(EditorState& st, Prompt& prompt, int distance, ShiftDirection direction) {
    if (distance < 1 || distance > kMaxShift) {
        prompt.inform(kShiftWarningCaption, kShiftWarning);
        return false;
    }
    pushUndo(st);
    {
        SinkPause pause(st);
        moveCells(st, distance, direction);
        clearCutPieces(st, direction);
    }
    // Every town moved: the trade routes must be found again.
    std::fill(st.routeStale.begin() + 1, st.routeStale.end(), true);
    finishWholeMap(st);
    return true;
}

}  // namespace d7
