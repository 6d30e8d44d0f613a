#include "core/analysis/start_positions.h"

#include "core/analysis/analyse_map.h"
#include "core/edit/cell_writer.h"
#include "core/edit/geometry.h"

namespace d7 {

namespace {

bool isStart(int k) {
    return k >= 1 && k <= kStartPositions;
}

// The cell of a castle that carries the starting position.
bool castlePartOne(const WorkingPlanes& p, int x, int y) {
    return isCastle(p, x, y) && p.M3.at(x, y) == 1;
}

}  // namespace

void RemoveStart(EditorState& st, int k) {
    if (!isStart(k)) return;
    // A position belongs to one castle. A map from elsewhere may carry it on
    // several; all of them lose it, or the castle assigned next could be
    // outvoted by a forgotten one.
    for (int x = 0; x < kGrid; ++x)
        for (int y = 0; y < kGrid; ++y)
            if (castlePartOne(st.planes, x, y) && st.planes.M4.at(x, y) == k)
                setMarker(st, st.curMap, 0, x, y);
    AnalyseMap(st);
}

bool AssignStart(EditorState& st, int k, int d) {
    if (!isStart(k)) return false;
    for (int x = 0; x < kGrid; ++x)
        for (int y = 0; y < kGrid; ++y)
            if (castlePartOne(st.planes, x, y) && st.planes.M5.at(x, y) == d) {
                setMarker(st, st.curMap, k, x, y);
                st.StartDomains[std::size_t(k)] = d;
                AnalyseMap(st);
                return true;
            }
    return false;
}

void setStartingPosition(EditorState& st, Prompt& prompt, int k, int d) {
    if (d <= 0) {
        prompt.inform(kStartposCaption, "Invalid County Nr!");
        return;
    }
    RemoveStart(st, k);
    if (!AssignStart(st, k, d)) prompt.inform(kStartposCaption, "No Castle found!");
}

bool setStartAt(EditorState& st, int x, int y, int k) {
    if (!isStart(k) || !inMap(x, y) || !isCastle(st.planes, x, y)) return false;
    const Point o = objectOrigin(st.planes, x, y, 2);
    if (!inMap(o.x + 1, o.y)) return false;
    RemoveStart(st, k);
    st.StartDomains[std::size_t(k)] = st.planes.M5.at(o.x + 1, o.y);
    setMarker(st, st.curMap, k, o.x + 1, o.y);
    AnalyseMap(st);
    return true;
}

}  // namespace d7
