#include "core/analysis/map_checks.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/analysis/analyse_map.h"
#include "core/analysis/county_reports.h"
#include "core/analysis/pathfinding.h"
#include "core_analysis/analysis_maps.h"

namespace d7 {
namespace {

using test::putCastle;
using test::putCell;
using test::putRoad;
using test::putTown;
using Lines = std::vector<std::string>;

constexpr int kWidth = 12;  // columns per domain of the correct map

// Five domains side by side, each with everything the game asks for: a
// castle with a starting position and a town beside a road column, four
// villages, a quarry and a lumber camp, two fields and grassland; a road row
// joins the domains, and four columns of sea close the map.
class MapChecksTest : public ::testing::Test {
  protected:
    std::unique_ptr<EditorState> owner = makeEditorState();
    EditorState& st = *owner;

    void SetUp() override {
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x)
                putCell(st, x, y,
                        x >= 5 * kWidth
                            ? test::CellSpec{4, 0, 6, 0, 0, 0}
                            : test::CellSpec{0, 0, 6, 0, 0, std::uint8_t(x / kWidth + 1)});
        for (int d = 1; d <= 5; ++d) {
            const int x0 = left(d);
            const auto dom = std::uint8_t(d);
            for (int y = 0; y < kGrid; ++y) putRoad(st, x0 + 4, y, dom);
            for (int x = x0; x < x0 + kWidth; ++x) putRoad(st, x, 20, dom);
            putCastle(st, x0 + 2, 2, dom, dom);
            putTown(st, x0 + 2, 10, dom, {1, 0, 0});
            for (int i = 0; i < 4; ++i) putCell(st, x0 + 7, 30 + i, {0x10, 0, 6, 0, 0, dom});
            putCell(st, x0 + 7, 40, {0x80, 12, 0, 0, 0, dom});   // quarry
            putCell(st, x0 + 7, 42, {0x80, 12, 20, 0, 0, dom});  // lumber
            putCell(st, x0 + 8, 50, {0x20, 8, 6, 0, 0, dom});
            putCell(st, x0 + 9, 50, {0x20, 8, 6, 0, 0, dom});
            st.CountyTable[std::size_t(d)].name = "Cty" + std::to_string(d);
        }
        AnalyseMap(st);
    }
    static int left(int d) { return (d - 1) * kWidth; }
    void grass(int x, int y, int d) { putCell(st, x, y, {0, 0, 6, 0, 0, std::uint8_t(d)}); }
};

TEST_F(MapChecksTest, ACorrectMapReportsOnlyHeadingsAndOk) {
    Lines errors{"Domains:"}, paths;
    for (int d = 1; d <= 5; ++d) {
        errors.insert(errors.end(),
                      {"Domain " + std::to_string(d) + " Cty" + std::to_string(d), "Ok."});
        paths.insert(paths.end(),
                     {"Domain " + std::to_string(d) + " Cty" + std::to_string(d), "Ok."});
    }
    errors.push_back("General:");
    const CheckReport e = checkMapErrors(st);
    EXPECT_EQ(e.lines, errors);
    EXPECT_EQ(e.findings, 0);
    EXPECT_EQ(checkPathfinding(st).lines, paths);
    EXPECT_EQ(checkClipping(st).lines,
              (Lines{"Building positions that might clip with cows: ", "None."}));
}

TEST_F(MapChecksTest, EachBrokenDomainRuleGivesItsLine) {
    for (int i = 0; i < 4; ++i) grass(2 + i % 2, 2 + i / 2, 1);  // domain 1: no castle
    grass(left(2) + 7, 33, 2);                                   // domain 2: three villages
    putCell(st, left(3) + 7, 40, {0x80, 12, 30, 0, 0, 3});       // domain 3: a mine only
    grass(left(3) + 7, 42, 3);
    putCell(st, left(4) + 7, 44, {0x80, 12, 30, 0, 0, 4});  // domain 4: mine and quarry
    putTown(st, left(5) + 2, 10, 5, {0, 0, 0});             // domain 5: no trader,
    putCell(st, left(5) + 3, 3, {0x80, 0, 30, 3, 0, 5});    // a castle piece on a rock
    const Lines expected{
        "No Starting Position for 1",
        "Domains:",
        "Domain 1 Cty1",
        "Domain has 0 castles.",
        "Domain 2 Cty2",
        "Domain has 3 village(s) (needs 4).",
        "Domain 3 Cty3",
        "Domain has only one resource.",
        "Domain 4 Cty4",
        "Domain should only have either Mine or Quarry.",
        "Domain 5 Cty5",
        "Castle has invalid base tile at 51,3. Please place castle again to fix this.",
        "No Trader set for Town",
        "General:"};
    const CheckReport r = checkMapErrors(st);
    EXPECT_EQ(r.lines, expected);
    EXPECT_EQ(r.findings, 7);
}

TEST_F(MapChecksTest, GeneralLinesGapsCellsWithoutDomainAndBlackTiles) {
    for (int x = 0; x < kGrid; ++x)  // domain 3 becomes 4: numbers 1, 2, 4, 5 used
        for (int y = 0; y < kGrid; ++y)
            if (st.planes.M5.at(x, y) == 3) st.planes.M5.at(x, y) = 4;
    putCell(st, 61, 5, {5, 8, 0, 0, 0, 0});  // sea with a road bit and no domain
    putCell(st, 62, 7, {6, 0, 0, 0, 0, 0});  // sea with a border bit
    putCell(st, 1, 60, {0, 0, 5, 0, 0, 1});  // two unpainted tiles
    putCell(st, 2, 60, {0, 0, 0, 0, 0, 1});
    const Lines lines = checkMapErrors(st).lines;
    const auto general = std::find(lines.begin(), lines.end(), "General:");
    ASSERT_NE(general, lines.end());
    EXPECT_EQ(Lines(general + 1, lines.end()),
              (Lines{"There are gaps in the Domain numbering. (Keep empty domains at the end of "
                     "the list.)",
                     "Missing Domain definition at (61,5)", "Missing Domain definition at (62,7)",
                     "Black tiles left: 2"}));
}

TEST_F(MapChecksTest, BuildingsOnTheLastRowAndColumnAreTestedWithoutLeavingTheGrid) {
    // What a damaged file may hold: main cells whose blocks leave the grid.
    putCell(st, 63, 30, {0x80, 0, 0, 0, 0, 5});
    putCell(st, 63, 31, {0x80, 0, 40, 2, 0, 5});
    for (int i = 0; i < 4; ++i) grass(left(5) + 2 + i % 2, 10 + i / 2, 5);
    putCell(st, 63, 63, {0x40, 12, 0, 0, 0, 5});
    auto domainFive = [&] {
        const Lines lines = checkMapErrors(st).lines;
        const auto at = std::find(lines.begin(), lines.end(), "Domain 5 Cty5");
        return at == lines.end() ? Lines{} : Lines(at + 1, at + 4);
    };
    EXPECT_EQ(domainFive(), (Lines{"Domain has 2 castles.", "Town has no connecting road.",
                                   "No Trader set for Town"}));
    // The one castle left is tested on the cells it has on the grid.
    for (int i = 0; i < 4; ++i) grass(left(5) + 2 + i % 2, 2 + i / 2, 5);
    EXPECT_EQ(
        domainFive(),
        (Lines{"Castle extends over multiple domains.", "Castle has no connecting road.",
               "Castle has invalid base tile at 63,31. Please place castle again to fix this."}));
}

TEST_F(MapChecksTest, ClippingLooksWestAndNorthFromTheThirdRowAndColumn) {
    putCell(st, 1, 45, {0x10, 0, 6, 0, 0, 1});  // village at x = 1, field at x = 0
    putCell(st, 0, 45, {0x20, 8, 6, 0, 0, 1});
    putCell(st, 6, 1, {0x80, 12, 30, 0, 0, 1});  // mine at y = 1, field above it
    putCell(st, 6, 0, {0x20, 8, 6, 0, 0, 1});
    putCell(st, 9, 56, {0x80, 12, 30, 0, 0, 1});  // mine with a field north
    putCell(st, 9, 55, {0x20, 8, 6, 0, 0, 1});
    putCell(st, 8, 51, {0x10, 0, 6, 0, 0, 1});  // village below a field
    putCell(st, 3, 57, {0x10, 0, 6, 0, 0, 1});  // village with a field west
    putCell(st, 2, 57, {0x20, 8, 6, 0, 0, 1});
    const CheckReport r = checkClipping(st);
    EXPECT_EQ(r.lines,
              (Lines{"Building positions that might clip with cows: ", "8,51", "9,56", "3,57"}));
    EXPECT_EQ(r.findings, 3);
}

// Domain 1 left of column 22, domain 2 right of it; only a road snake of 212
// cells and three grass cells between the two town roads are passable.
class TownWalkTest : public ::testing::Test {
  protected:
    std::unique_ptr<EditorState> owner = makeEditorState();
    EditorState& st = *owner;
    const Point a{20, 10}, b{24, 10};

    void SetUp() override {
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x)
                putCell(st, x, y, {0x08, 8, 0, 0, 0, std::uint8_t(x < 22 ? 1 : 2)});
        auto road = [&](int x, int y) { putRoad(st, x, y, std::uint8_t(x < 22 ? 1 : 2)); };
        for (int x = 2; x <= 20; ++x) road(x, 10);
        for (int y = 10; y <= 60; ++y) road(2, y), road(60, y);
        for (int x = 2; x <= 60; ++x) road(x, 60);
        for (int x = 24; x <= 60; ++x) road(x, 10);
        for (int x = 21; x <= 23; ++x)
            putCell(st, x, 10, {0, 0, 6, 0, 0, std::uint8_t(x < 22 ? 1 : 2)});
        st.CountyTable[1].name = "West";
        st.CountyTable[2].name = "East";
        analyse();
    }
    // The towns are left out: their road positions are set as the pass would find them.
    void analyse() {
        AnalyseMap(st);
        st.CountyTable[1].townRoadPos = a;
        st.CountyTable[2].townRoadPos = b;
    }
};

TEST_F(TownWalkTest, ALongRoadWithAShortCutOffTheRoadIsFarAndCountsTheOffRoadCells) {
    EXPECT_EQ(RoadDistance(st, a, b, true).steps, 212);
    EXPECT_EQ(checkPathfinding(st).lines,
              (Lines{"Domain 1 West", "2:  Road distance>150 steps (Offroad: 3).", "Domain 2 East",
                     "1:  Road distance>150 steps (Offroad: 3)."}));
    // The list shows the road walk as it is.
    EXPECT_EQ(townToTownAdjacentReport(st),
              (Lines{"Domain 1 West", "2: 212", "Domain 2 East", "1: 212"}));
}

TEST_F(TownWalkTest, TownsWithNoWalkAtAllAreReportedAndNotOk) {
    for (int x = 21; x <= 23; ++x)
        putCell(st, x, 10, {0x04, 0, 0, 0, 0, std::uint8_t(x < 22 ? 1 : 2)});
    putCell(st, 2, 30, {0x04, 0, 0, 0, 0, 1});
    analyse();
    const CheckReport r = checkPathfinding(st);
    EXPECT_EQ(r.lines, (Lines{"Domain 1 West", "No path to adjacent domain 2 East", "Domain 2 East",
                              "No path to adjacent domain 1 West"}));
    EXPECT_EQ(r.findings, 2);
    EXPECT_EQ(townToTownAdjacentReport(st),
              (Lines{"Domain 1 West", "No path to adjacent domain 2 East", "Domain 2 East",
                     "No path to adjacent domain 1 West"}));
}

}  // namespace
}  // namespace d7
