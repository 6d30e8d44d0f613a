#include "core/analysis/map_fixes.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/analysis/analyse_map.h"
#include "core/analysis/domain_renumber.h"
#include "core/analysis/pathfinding.h"
#include "core/edit/cell_writer.h"
#include "core/edit/geometry.h"
#include "core/model/game_paths.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "core/model/undo.h"
#include "support/test_paths.h"

namespace d7 {
namespace {

constexpr int kMap = 7;

// The sample game, a map of it damaged by hand: each finding is made, its
// fix applied, and the check must report it no more, while every cell the
// fix may not touch stays as it was.
class MapFixesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string dir = D7_SAMPLE_DIR;
        owner = loadMapSetOf(dir, dir, defaultPl8Dir(dir), kDefaultLangFile);
        selectMap(st(), kMap);
    }
    EditorState& st() { return *owner; }

    CheckReport check(MapCheck c) { return runMapCheck(st(), c); }
    static bool reports(const CheckReport& r, const std::string& line) {
        return std::find(r.lines.begin(), r.lines.end(), line) != r.lines.end();
    }
    // The fixes offered with the line.
    static std::vector<MapFix> fixesOf(const CheckReport& r, const std::string& line) {
        std::vector<MapFix> fixes;
        const auto at = std::find(r.lines.begin(), r.lines.end(), line);
        for (const OfferedFix& o : r.fixes)
            if (at != r.lines.end() && o.line == std::size_t(at - r.lines.begin()))
                fixes.push_back(o.fix);
        return fixes;
    }
    // The cells whose M0..M5 differ from before.
    std::vector<Point> changedCells(const WorkingPlanes& before) {
        std::vector<Point> cells;
        const WorkingPlanes& p = st().planes;
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x)
                if (p.M0.at(x, y) != before.M0.at(x, y) || p.M1.at(x, y) != before.M1.at(x, y) ||
                    p.M2.at(x, y) != before.M2.at(x, y) || p.M3.at(x, y) != before.M3.at(x, y) ||
                    p.M4.at(x, y) != before.M4.at(x, y) || p.M5.at(x, y) != before.M5.at(x, y))
                    cells.push_back({x, y});
        return cells;
    }
    // The only fix of the line, applied: it must apply.
    void applyOnly(const CheckReport& r, const std::string& line) {
        const std::vector<MapFix> fixes = fixesOf(r, line);
        ASSERT_EQ(fixes.size(), 1u) << line;
        EXPECT_TRUE(applyFix(st(), fixes[0]).applied) << line;
    }
    // A land cell inside domain d, all eight neighbours of d too.
    Point innerCell() {
        const WorkingPlanes& p = st().planes;
        for (int y = 1; y < kGrid - 1; ++y)
            for (int x = 1; x < kGrid - 1; ++x) {
                const int d = p.M5.at(x, y);
                if (d < 1 || d > kMaxDomain || p.M0.at(x, y) != 0) continue;
                if (std::all_of(kDirections.begin(), kDirections.end(),
                                [&](Offset o) { return p.M5.at(x + o.dx, y + o.dy) == d; }))
                    return {x, y};
            }
        return {};
    }
    void grass(Point c) {
        setCell(st(), kMap, c.x, c.y, {.tile = 6, .code = 2});
        AnalyseMap(st());
    }

    std::unique_ptr<EditorState> owner;
};

TEST_F(MapFixesTest, TheSampleMapIsCleanAndOffersNothing) {
    for (MapCheck c : {MapCheck::Errors, MapCheck::Pathfinding, MapCheck::Submaps}) {
        const CheckReport r = check(c);
        EXPECT_EQ(r.findings, 0);
        EXPECT_TRUE(r.fixes.empty());
    }
    EXPECT_EQ(check(MapCheck::Submaps).lines, ReportLines{"Ok."});
    const FixRun run = fixAll(st(), MapCheck::Errors);
    EXPECT_TRUE(run.applied.empty());
    EXPECT_FALSE(st().undoValid);  // nothing fixed, nothing to undo
}

TEST_F(MapFixesTest, ACellWithoutDomainTakesItsNeighboursDomainAndNoneOnATie) {
    const Point c = innerCell();
    ASSERT_TRUE(c.isSet());
    const int d = st().planes.M5.at(c.x, c.y);
    setCellDomain(st(), c.x, c.y, kNoDomain, kMap, false);
    const WorkingPlanes before = st().planes;
    const std::string line =
        "Missing Domain definition at (" + std::to_string(c.x) + "," + std::to_string(c.y) + ")";
    const CheckReport r = check(MapCheck::Errors);
    ASSERT_TRUE(reports(r, line));
    applyOnly(r, line);
    EXPECT_FALSE(reports(check(MapCheck::Errors), line));
    EXPECT_EQ(st().planes.M5.at(c.x, c.y), d);
    EXPECT_EQ(changedCells(before), std::vector<Point>{c});
    // Applied twice: the remedy is gone, nothing changes, the undo stays.
    const std::vector<std::uint8_t> undo = st().undoBuffer;
    const FixResult again = applyFix(st(), fixesOf(r, line)[0]);
    EXPECT_FALSE(again.applied);
    EXPECT_EQ(again.text.rfind("Not fixed (no longer applies): ", 0), 0u) << again.text;
    EXPECT_EQ(st().undoBuffer, undo);

    // Four neighbours of one domain and four of another: no fix.
    setCellDomain(st(), c.x, c.y, kNoDomain, kMap, false);
    const int other = d == 1 ? 2 : 1;
    for (int k = 0; k < 4; ++k)
        st().planes.M5.at(c.x + kDirections[std::size_t(k)].dx,
                          c.y + kDirections[std::size_t(k)].dy) = std::uint8_t(other);
    EXPECT_TRUE(fixesOf(check(MapCheck::Errors), line).empty());
}

TEST_F(MapFixesTest, ACastleOnABadTileIsPlacedAgainOnItsOwnBlock) {
    AnalyseMap(st());
    int d = 1;
    while (st().CountyTable[std::size_t(d)].castles != 1) ++d;
    const Point p = st().CountyTable[std::size_t(d)].castlePos;
    const int start = st().planes.M4.at(p.x + 1, p.y);
    st().planes.M2.at(p.x + 1, p.y + 1) = 40;
    const WorkingPlanes before = st().planes;
    const std::string line = "Castle has invalid base tile at " + std::to_string(p.x + 1) + "," +
                             std::to_string(p.y + 1) + ". Please place castle again to fix this.";
    applyOnly(check(MapCheck::Errors), line);
    EXPECT_EQ(check(MapCheck::Errors).findings, 0);
    for (Point c : changedCells(before))
        EXPECT_TRUE(c.x >= p.x && c.x <= p.x + 1 && c.y >= p.y && c.y <= p.y + 1);
    EXPECT_EQ(st().planes.M4.at(p.x + 1, p.y), start);  // the starting position stays
}

TEST_F(MapFixesTest, ABuildingCutOffFromTheRoadsGetsARoadToTheNearestRoad) {
    AnalyseMap(st());
    int d = 1;
    while (st().CountyTable[std::size_t(d)].towns != 1) ++d;
    for (const bool town : {true, false}) {
        const Acounty& c = st().CountyTable[std::size_t(d)];
        const Point b = town ? c.townPos : c.castlePos;
        for (Offset o : kBlockRing)
            if (inMap(b.x + o.dx, b.y + o.dy) && isRoad(st().planes, b.x + o.dx, b.y + o.dy))
                grass({b.x + o.dx, b.y + o.dy});
        const WorkingPlanes before = st().planes;
        const std::string line =
            town ? "Town has no connecting road." : "Castle has no connecting road.";
        const CheckReport r = check(MapCheck::Errors);
        ASSERT_TRUE(reports(r, line));
        const std::vector<MapFix> fixes = fixesOf(r, line);
        ASSERT_EQ(fixes.size(), 1u);
        EXPECT_EQ(fixTitle(fixes[0]), std::string("Fix: lay a road from the ") +
                                          (town ? "town" : "castle") + " of domain " +
                                          std::to_string(d) + " to the network");
        EXPECT_TRUE(applyFix(st(), fixes[0]).applied);
        EXPECT_FALSE(reports(check(MapCheck::Errors), line));
        EXPECT_GT(blockRoadCount(st().planes, b.x, b.y), 0);
        // Only road was laid (a neighbour of a new road cell gets its piece again).
        for (Point cell : changedCells(before))
            EXPECT_TRUE(isRoad(st().planes, cell.x, cell.y)) << cell.x << "," << cell.y;
    }
}

TEST_F(MapFixesTest, AGapInAWalkBetweenTownsIsPaved) {
    AnalyseMap(st());
    // Cut the road walk from some town to a neighbour's town at a road cell
    // that leaves the check a walk with off-road cells.
    for (int d = 1; d <= kMaxDomain; ++d) {
        const Acounty& a = st().CountyTable[std::size_t(d)];
        if (!a.used || !a.townRoadPos.isSet()) continue;
        for (int e = 1; e <= kMaxDomain; ++e) {
            const Acounty& b = st().CountyTable[std::size_t(e)];
            if (e == d || !b.used || !b.townRoadPos.isSet() ||
                st().DomainAdjacency[std::size_t(d)][std::size_t(e)] != 1)
                continue;
            const TraceResult walk = RoadDistance(st(), a.townRoadPos, b.townRoadPos, true);
            if (walk.steps < 6) continue;
            const Point cut = st().PathPoints[std::size_t(walk.steps / 2)];
            if (st().planes.M0.at(cut.x, cut.y) != flags::kRoad) continue;
            const WorkingPlanes intact = st().planes;
            grass(cut);
            const WorkingPlanes before = st().planes;
            const CheckReport r = check(MapCheck::Pathfinding);
            const std::string prefix = "No continuous road to domain " + std::to_string(e) + " ";
            const auto line =
                std::find_if(r.lines.begin(), r.lines.end(),
                             [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
            if (line == r.lines.end()) {  // another road goes round the cut
                st().planes = intact;
                AnalyseMap(st());
                continue;
            }
            applyOnly(r, *line);
            EXPECT_FALSE(reports(check(MapCheck::Pathfinding), *line));
            for (Point cell : changedCells(before))
                EXPECT_TRUE(isRoad(st().planes, cell.x, cell.y)) << cell.x << "," << cell.y;
            return;
        }
    }
    FAIL() << "no walk between towns to cut";
}

TEST_F(MapFixesTest, DomainNumbersWithAGapAreRenumberedWithTheirNames) {
    AnalyseMap(st());
    int last = kMaxDomain;
    while (!st().CountyTable[std::size_t(last)].used) --last;
    ASSERT_LT(last, kMaxDomain);
    const WorkingPlanes before = st().planes;
    const std::string name = st().CountyTable[std::size_t(last)].name;
    switchDomainNumbers(st(), last, kMaxDomain);
    const std::string line =
        "There are gaps in the Domain numbering. (Keep empty domains at the end of the list.)";
    const CheckReport r = check(MapCheck::Errors);
    applyOnly(r, line);
    EXPECT_FALSE(reports(check(MapCheck::Errors), line));
    EXPECT_EQ(st().planes.M5, before.M5);
    EXPECT_EQ(st().CountyTable[std::size_t(last)].name, name);
}

TEST_F(MapFixesTest, BlackTilesBecomeGrasslandOrSeaAndNothingElseChanges) {
    const Point c = innerCell();
    ASSERT_TRUE(c.isSet());
    for (const bool sea : {false, true}) {
        setCell(st(), kMap, c.x, c.y, {.tile = 3});
        const WorkingPlanes before = st().planes;
        const CheckReport r = check(MapCheck::Errors);
        const std::vector<MapFix> fixes = fixesOf(r, "Black tiles left: 1");
        ASSERT_EQ(fixes.size(), 2u);
        EXPECT_EQ(fixTitle(fixes[1]), "Fix: fill the black tiles with sea");
        EXPECT_TRUE(applyFix(st(), fixes[sea ? 1 : 0]).applied);
        EXPECT_EQ(check(MapCheck::Errors).findings, 0);
        EXPECT_EQ(changedCells(before), std::vector<Point>{c});
        EXPECT_EQ(st().planes.M0.at(c.x, c.y), sea ? flags::kSea : 0);
    }
}

TEST_F(MapFixesTest, SubmapsAreRebuiltKeepingAPaintedOutsideMap) {
    WorkingPlanes& p = st().planes;
    const WorkingPlanes good = p;
    p.Ext1.fill(0);
    p.Ext2.fill(0);
    p.Outline.fill(0);
    p.Ext5.fill(0);
    const CheckReport r = check(MapCheck::Submaps);
    // The image is what the (empty) mask gives.
    EXPECT_EQ(r.lines[2], "Outside map is empty.");
    EXPECT_EQ(r.lines[1], "Outline does not match the outside map (8385 pixels differ).");
    ASSERT_EQ(r.fixes.size(), 3u);
    EXPECT_TRUE(applyFix(st(), r.fixes[0].fix).applied);
    EXPECT_EQ(check(MapCheck::Submaps).lines, ReportLines{"Ok."});
    EXPECT_EQ(p.Ext1, good.Ext1);
    EXPECT_EQ(p.Ext5, good.Ext5);
    EXPECT_EQ(p.Outline, good.Outline);
    EXPECT_FALSE(applyFix(st(), r.fixes[1].fix).applied);

    // A point painted on the outside map stays; the outline follows it.
    const int column = 0, row = 0;
    p.Ext5.at(column, row) = 2;
    const CheckReport painted = check(MapCheck::Submaps);
    ASSERT_EQ(painted.findings, 1);
    EXPECT_TRUE(applyFix(st(), painted.fixes[0].fix).applied);
    EXPECT_EQ(p.Ext5.at(column, row), 2);
    EXPECT_EQ(check(MapCheck::Submaps).findings, 0);
    EXPECT_EQ(changedCells(good), std::vector<Point>{});
}

TEST_F(MapFixesTest, FixAllMendsSeveralFindingsAsOneEdit) {
    const WorkingPlanes good = st().planes;
    const Point c = innerCell();
    setCell(st(), kMap, c.x, c.y, {.domain = kNoDomain});  // black and without domain
    const CheckReport r = check(MapCheck::Errors);
    ASSERT_EQ(r.findings, 2);
    const FixRun run = fixAll(st(), MapCheck::Errors);
    EXPECT_EQ(run.report.findings, 0);
    // The domain makes the black cell grassland: the black tiles' fix finds
    // nothing left to do.
    ASSERT_EQ(run.applied.size(), 1u);
    EXPECT_EQ(run.applied[0].rfind("Fixed: give the cell ", 0), 0u);
    // One undo brings back the map as it was before the fixes.
    undoLastEdit(st());
    EXPECT_EQ(st().planes.M0.at(c.x, c.y), 0);
    EXPECT_EQ(st().planes.M5.at(c.x, c.y), kNoDomain);
    EXPECT_NE(good.M5.at(c.x, c.y), kNoDomain);
}

}  // namespace
}  // namespace d7
