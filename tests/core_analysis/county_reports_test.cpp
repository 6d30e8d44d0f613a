#include "core/analysis/county_reports.h"

#include <gtest/gtest.h>

#include "core/analysis/analyse_map.h"
#include "core/analysis/report_registry.h"
#include "core_analysis/analysis_maps.h"

namespace d7 {
namespace {

using test::putCell;
using test::putTown;
using Lines = std::vector<std::string>;

class CountyReportsTest : public ::testing::Test {
  protected:
    std::unique_ptr<EditorState> owner = makeEditorState();
    EditorState& st = *owner;

    // Domain d fills the rows 4d - 4 .. 4d - 1 with grassland.
    void domainRows(int d, const std::string& name) {
        for (int y = 4 * d - 4; y < 4 * d; ++y)
            for (int x = 0; x < kGrid; ++x) putCell(st, x, y, {0, 0, 6, 0, 0, std::uint8_t(d)});
        st.CountyTable[std::size_t(d)].name = name;
    }
};

TEST_F(CountyReportsTest, CountiesListsSeventeenBlocksUsedOrNot) {
    st.CountyTable[0].name = "Wilds";
    for (int d = 1; d <= 3; ++d) domainRows(d, "D" + std::to_string(d));
    putCell(st, 5, 1, {0x10, 0, 6, 0, 0, 1});
    const Lines lines = countiesReport(st);
    ASSERT_EQ(lines.size(), 17u * 9u);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 2), (Lines{"County: 0 Wilds", "Castle: 0"}));
    EXPECT_EQ(Lines(lines.begin() + 9, lines.begin() + 18),
              (Lines{"County: 1 D1", "Castle: 0", "Town: 0", "Quarry: 0", "Mine: 0", "Lumber: 0",
                     "Village: 1", "Field: 0", "Green: 255"}));
    EXPECT_EQ(Lines(lines.begin() + 90, lines.begin() + 99),
              (Lines{"County: 10 ", "Castle: 0", "Town: 0", "Quarry: 0", "Mine: 0", "Lumber: 0",
                     "Village: 0", "Field: 0", "Green: 0"}));
}

// Trader 1 stops at domain 5 twice (one town, two slots) and then at domain 8.
class TraderListsTest : public CountyReportsTest {
  protected:
    void SetUp() override {
        for (int d : {3, 5, 8}) domainRows(d, "N" + std::to_string(d));
        putTown(st, 10, 17, 5, {1, 1, 0});
        putTown(st, 10, 29, 8, {1, 0, 0});
        putTown(st, 30, 9, 3, {2, 0, 0});
        st.traderNames = {"Ann", "Bo"};
        AnalyseMap(st);
    }
};

TEST_F(TraderListsTest, TownvalsTradersAndTraderouteShowEverySlot) {
    EXPECT_EQ(townvalsReport(st), (Lines{"5:N5: 110", "8:N8: 100", "3:N3: 200"}));
    const Lines traders = tradersReport(st);
    EXPECT_EQ(Lines(traders.begin(), traders.begin() + 9),
              (Lines{"Trader 1", "Stops: 3", "5(1)", "5(2)", "8(1)", "Trader 2", "Stops: 1", "3(1)",
                     "Trader 3"}));
    const Lines route = traderouteReport(st);
    EXPECT_EQ(
        Lines(route.begin(), route.begin() + 6),
        (Lines{"Ann", "Start: 5-N5 (index: 0)", "Route", "[0]  5-N5", "[1]  5-N5", "[2]  8-N8"}));
    // Beyond the trader name list a trader is called by its number.
    const auto third = std::find(route.begin(), route.end(), "Trader 3");
    ASSERT_NE(third, route.end());
    EXPECT_EQ((third + 1)->rfind("Start: 0 (index: ", 0), 0u);
}

TEST_F(TraderListsTest, TraderStatisticsMeasureTheLegsOfTheRouteCells) {
    std::vector<std::string> cells;
    for (auto [label, n] : {std::pair{"S", 4}, {"0", 7}, {"1", 5}})
        for (int i = 0; i < n; ++i)
            cells.push_back(std::string(label) + "=" + std::to_string(i) + ",3");
    const std::vector<std::vector<std::string>> routeCells{{}, cells};  // traders 2..6 missing
    const Lines lines = traderStatisticsReport(st, routeCells);
    ASSERT_EQ(lines.size(), 6u * 5u);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 10),
              (Lines{"Ann", "  Nr of stops: 3", "  Full Route: 16", "  Shortest Route: 4",
                     "  Longest Route: 7", "Bo", "  Nr of stops: 1", "  Full Route: 0",
                     "  Shortest Route: 1000", "  Longest Route: 1000"}));
}

TEST_F(CountyReportsTest, MapStatsRunSlotsAndResourcesTogetherAndLeaveOutDomain16) {
    domainRows(3, "Ashby");
    domainRows(16, "Last");
    putTown(st, 20, 9, 3, {1, 4, 0});
    putCell(st, 2, 8, {0x80, 12, 30, 0, 0, 3});
    for (int x = 0; x < 12; ++x) putCell(st, 40 + x, 10, {0x20, 8, 6, 0, 0, 3});
    AnalyseMap(st);
    EXPECT_EQ(mapStatsLines(st), (Lines{"Nr;Name;Route;QML;Fields", "3;Ashby;140;010;12"}));
    EXPECT_EQ(findNamedReport("mapstats")(st), mapStatsLines(st));
    EXPECT_EQ(findNamedReport("nothing"), nullptr);
}

TEST_F(CountyReportsTest, DamagedMapsGiveTheirLinesWithinTheTables) {
    domainRows(1, std::string("Bad\nName\x01", 9));
    domainRows(2, "Two");
    putCell(st, 63, 7, {0x40, 12, 0, 0, 0, 2});  // a town main cell on the last column,
    putCell(st, 20, 6, {0x40, 12, 0, 0, 0, 2});  // and one whose slots hold 9 and 7
    putCell(st, 21, 6, {0x40, 12, 0, 1, 9, 2});
    putCell(st, 20, 7, {0x40, 12, 0, 2, 7, 2});
    putCell(st, 5, 2, {0, 0, 6, 0, 0, 200});  // a domain number no table has
    AnalyseMap(st);
    EXPECT_EQ(townvalsReport(st), (Lines{"2:Two: 970", "2:Two: 000"}));
    EXPECT_EQ(st.CountyTable[2].tradeSlot, (std::array<std::int32_t, 3>{0, 0, 0}));
    EXPECT_EQ(roadsideReport(st), (Lines{"1 - Bad?Name?: -1,-1", "2 - Two: -1,-1"}));
    EXPECT_EQ(domainInfoReport(st, 5, 2),
              (Lines{"County: 200 ", "Castle: 0", "Town: 0", "Quarry: 0", "Mine: 0", "Lumber: 0",
                     "Village: 0", "Field: 0", "Green: 0"}));
    EXPECT_EQ(domainInfoReport(st, 0, 0).front(), "County: 1 Bad?Name?");
    EXPECT_TRUE(domainInfoReport(st, 64, 0).empty());
}

}  // namespace
}  // namespace d7
