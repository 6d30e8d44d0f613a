#include "core/analysis/map_fixes.h"

#include <algorithm>
#include <cstdint>

#include "core/analysis/analyse_map.h"
#include "core/analysis/domain_renumber.h"
#include "core/analysis/fix_plans.h"
#include "core/analysis/pathfinding.h"
#include "core/edit/area_rect.h"
#include "core/edit/cell_writer.h"
#include "core/edit/geometry.h"
#include "core/edit/placement.h"
#include "core/edit/roads.h"
#include "core/model/auxiliary_planes.h"
#include "core/model/undo.h"

namespace d7 {

namespace {

// A fix that finds its remedy gone leaves the map alone; so does a round of
// "Fix All" in which nothing applied. Rounds after the first only mend what
// earlier fixes uncovered.
constexpr int kFixRounds = 4;

std::string num(int n) {
    return std::to_string(n);
}

std::string cellText(Point c) {
    return "(" + num(c.x) + "," + num(c.y) + ")";
}

bool giveNeighbourDomain(EditorState& st, const MapFix& fix) {
    const Point c = fix.cell;
    if (!inMap(c.x, c.y) || st.planes.M5.at(c.x, c.y) != kNoDomain ||
        st.planes.M0.at(c.x, c.y) == flags::kSea ||
        majorityNeighbourDomain(st.planes, c.x, c.y) != fix.domain)
        return false;
    setCellDomain(st, c.x, c.y, fix.domain, st.curMap, false);
    return true;
}

bool placeCastleAgain(EditorState& st, const MapFix& fix) {
    if (!castleWantsPlacing(st, fix.cell)) return false;
    // Placing over the castle itself replaces it: the question is answered
    // Yes, which keeps its starting position; any refusal means no fix.
    ScriptedPrompt yes(true);
    placeTile(st, yes, fix.cell.x, fix.cell.y, building::kCastle, 2, TileKind::Buildings);
    return yes.messages.empty();
}

bool connectToRoads(EditorState& st, const MapFix& fix) {
    const Point b = fix.cell;
    const WorkingPlanes& p = st.planes;
    const bool town = fix.kind == FixKind::ConnectTown;
    if (!inMap(b.x, b.y) || (town ? !isTown(p, b.x, b.y) : !isCastle(p, b.x, b.y)) ||
        p.M3.at(b.x, b.y) != 0 || blockRoadCount(p, b.x, b.y) != 0)
        return false;
    if (!traceConnectingRoad(st, b)) return false;
    layPathRoad(st);
    return true;
}

// The walk "Check Pathfinding" measures between the two towns: along the
// roads, or freely when that is impossible or too long.
TraceResult townWalk(EditorState& st, Point from, Point to) {
    TraceResult trip = RoadDistance(st, from, to, true);
    if (trip.steps == -1 || trip.steps > kLongestTownRoad) trip = RoadDistance(st, from, to, false);
    return trip;
}

bool paveOffroad(EditorState& st, const MapFix& fix) {
    AnalyseMap(st);
    const auto county = [&](int d) -> const Acounty* {
        if (d < 1 || d > kMaxDomain || !st.CountyTable[std::size_t(d)].used) return nullptr;
        return &st.CountyTable[std::size_t(d)];
    };
    const Acounty* a = county(fix.domain);
    const Acounty* b = county(fix.other);
    if (!a || !b || !a->townRoadPos.isSet() || !b->townRoadPos.isSet()) return false;
    const Point from = a->townRoadPos;
    const TraceResult trip = townWalk(st, from, b->townRoadPos);
    std::vector<Point> cells;
    if (trip.steps <= 0 || trip.offroad == 0 || !planPaving(st, from, cells)) return false;
    layRoadCells(st, cells);
    return true;
}

bool renumberDomains(EditorState& st) {
    AnalyseMap(st);
    if (!hasDomainNumberGap(st)) return false;
    int next = 1;
    for (int d = 1; d <= kMaxDomain; ++d) {
        if (!st.CountyTable[std::size_t(d)].used) continue;
        // Every number below d that is free is one the domains before it left.
        if (d != next) switchDomainNumbers(st, d, next);
        ++next;
    }
    std::fill(st.routeStale.begin() + 1, st.routeStale.end(), true);
    return true;
}

bool fillBlackTiles(EditorState& st, FillKind kind) {
    bool any = false;
    {
        const SinkPause quiet(st);
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x)
                if (isBlackTile(st.planes, x, y)) {
                    placeFill(st, kind, x, y);
                    any = true;
                }
    }
    if (!any) return false;
    AnalyseMap(st);
    if (st.sink) st.sink->mapChanged();
    return true;
}

bool createSubmaps(EditorState& st) {
    if (checkSubmaps(st).findings == 0) return false;
    const auto& outside = st.planes.Ext5.bytes;
    // A painted outside map is kept; the outline follows it.
    if (std::all_of(outside.begin(), outside.end(), [](std::uint8_t v) { return v == 0; }))
        createOutsideMapFromMap(st);
    setOutlineFromOutsideMap(st);
    createDomainMaskFromMap(st);
    setMinimapImageFromMask(st);
    return true;
}

bool performFix(EditorState& st, const MapFix& fix) {
    switch (fix.kind) {
        case FixKind::NeighbourDomain:
            return giveNeighbourDomain(st, fix);
        case FixKind::PlaceCastleAgain:
            return placeCastleAgain(st, fix);
        case FixKind::ConnectCastle:
        case FixKind::ConnectTown:
            return connectToRoads(st, fix);
        case FixKind::PaveOffroad:
            return paveOffroad(st, fix);
        case FixKind::RenumberDomains:
            return renumberDomains(st);
        case FixKind::BlackToGrass:
            return fillBlackTiles(st, FillKind::Grass);
        case FixKind::BlackToSea:
            return fillBlackTiles(st, FillKind::Sea);
        case FixKind::CreateSubmaps:
            break;
    }
    return createSubmaps(st);
}

// One edit's undo record: a fix that changes nothing must not replace the
// record of the edit before it.
class UndoRecord {
  public:
    explicit UndoRecord(EditorState& st) : st_(st), buffer_(st.undoBuffer), valid_(st.undoValid) {
        pushUndo(st);
    }
    void keep() { kept_ = true; }
    ~UndoRecord() {
        if (kept_) return;
        st_.undoBuffer = std::move(buffer_);
        st_.undoValid = valid_;
    }
    UndoRecord(const UndoRecord&) = delete;
    UndoRecord& operator=(const UndoRecord&) = delete;

  private:
    EditorState& st_;
    std::vector<std::uint8_t> buffer_;
    bool valid_;
    bool kept_ = false;
};

// Fixes such as placing a castle take their own snapshot: the one taken
// before the first fix is put back, so that undo reverts every fix.
FixResult applyWithin(EditorState& st, const MapFix& fix, const std::vector<std::uint8_t>& before) {
    const bool applied = performFix(st, fix);
    std::copy(before.begin(), before.end(), st.undoBuffer.begin());
    return {applied,
            (applied ? "Fixed: " : "Not fixed (no longer applies): ") + fixDescription(fix) + "."};
}

// The fix "Fix All" applies for a line: the first offered, or the chosen black fill.
std::vector<MapFix> chosenFixes(const CheckReport& report, BlackFill black) {
    const FixKind unwanted =
        black == BlackFill::Grass ? FixKind::BlackToSea : FixKind::BlackToGrass;
    std::vector<MapFix> fixes;
    std::size_t lastLine = SIZE_MAX;
    for (const OfferedFix& o : report.fixes) {
        if (o.line == lastLine || o.fix.kind == unwanted) continue;
        lastLine = o.line;
        fixes.push_back(o.fix);
    }
    return fixes;
}

}  // namespace

std::string fixDescription(const MapFix& fix) {
    switch (fix.kind) {
        case FixKind::NeighbourDomain:
            return "give the cell " + cellText(fix.cell) + " domain " + num(fix.domain);
        case FixKind::PlaceCastleAgain:
            return "place the castle of domain " + num(fix.domain) + " again";
        case FixKind::ConnectCastle:
            return "lay a road from the castle of domain " + num(fix.domain) + " to the network";
        case FixKind::ConnectTown:
            return "lay a road from the town of domain " + num(fix.domain) + " to the network";
        case FixKind::PaveOffroad:
            return "make the off-road cells between the towns of domains " + num(fix.domain) +
                   " and " + num(fix.other) + " road";
        case FixKind::RenumberDomains:
            return "renumber the domains 1 to " + num(fix.other);
        case FixKind::BlackToGrass:
            return "fill the black tiles with grassland";
        case FixKind::BlackToSea:
            return "fill the black tiles with sea";
        case FixKind::CreateSubmaps:
            break;
    }
    return "create and set all submaps";
}

std::string fixTitle(const MapFix& fix) {
    return "Fix: " + fixDescription(fix);
}

FixResult applyFix(EditorState& st, const MapFix& fix) {
    UndoRecord undo(st);
    const std::vector<std::uint8_t> before = st.undoBuffer;
    FixResult result = applyWithin(st, fix, before);
    if (result.applied) undo.keep();
    return result;
}

FixRun fixAll(EditorState& st, MapCheck check, BlackFill black) {
    UndoRecord undo(st);
    const std::vector<std::uint8_t> before = st.undoBuffer;
    FixRun run{{}, runMapCheck(st, check)};
    for (int round = 0; round < kFixRounds; ++round) {
        bool changed = false;
        for (const MapFix& fix : chosenFixes(run.report, black)) {
            FixResult r = applyWithin(st, fix, before);
            if (!r.applied) continue;
            run.applied.push_back(std::move(r.text));
            changed = true;
        }
        if (!changed) break;
        undo.keep();
        run.report = runMapCheck(st, check);
    }
    return run;
}

}  // namespace d7
