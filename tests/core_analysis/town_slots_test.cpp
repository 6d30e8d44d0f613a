#include "core/analysis/town_slots.h"

#include <gtest/gtest.h>

#include "core/analysis/domain_renumber.h"
#include "core/analysis/start_positions.h"
#include "core/analysis/trade_routes.h"
#include "core/model/map_set_maintenance.h"
#include "core_edit/edit_fixture.h"
#include "support/map_builder.h"

namespace d7::test {
namespace {

using Message = std::pair<std::string, std::string>;
constexpr const char* kFull = "This Town already has 3 traderoutes. Do you want to remove one?";

// Towns and castles written through the cell writers, as placement leaves them.
class TraderEdits : public EditTest {
  protected:
    void town(int x, int y, int d, TownSlots slots = {0, 0, 0}) {
        putBuilding(*st, kMap, x, y, flags::kTown, d, slots);
        AnalyseMap(*st);
    }
    void castle(int x, int y, int d, int start = 0) {
        putBuilding(*st, kMap, x, y, flags::kBuilding, d, {start, 0, 0});
        AnalyseMap(*st);
    }
    TownSlots slots(int d) const {
        const auto& s = st->CountyTable[std::size_t(d)].tradeSlot;
        return {s[0], s[1], s[2]};
    }
    void clearStale() { st->routeStale.fill(false); }

    ScriptedPrompt prompt;
};

TEST_F(TraderEdits, AddingFillsTheFirstFreeSlotAndMarksTheTraderStale) {
    town(10, 10, 3, {4, 0, 0});
    clearStale();
    AddTradeStop(*st, prompt, 3, 2);
    EXPECT_EQ(slots(3), (TownSlots{4, 2, 0}));
    EXPECT_EQ(st->planes.M4.at(10, 11), 2);  // slot 2 is the cell below the main cell
    EXPECT_TRUE(st->routeStale[2]);
    EXPECT_FALSE(st->routeStale[4]);
    expectConsistent();

    AddTradeStop(*st, prompt, 3, 2);
    EXPECT_EQ(prompt.messages.back(),
              Message("Traderoute", "Tradestop already exists at this Town for this Trader"));
    RemoveTradeStop(*st, prompt, 3, 4);
    EXPECT_EQ(slots(3), (TownSlots{0, 2, 0}));
    EXPECT_EQ(st->planes.Ext4.at(11, 10), feature::kTown);
    RemoveTradeStop(*st, prompt, 3, 4);
    EXPECT_EQ(prompt.messages.back(),
              Message("Traderoute", "Tradestop does not exist here for this Trader."));
    expectConsistent();
}

TEST_F(TraderEdits, AFullTownGivesUpTheChosenTradersSlotOnlyAfterYesAndOk) {
    town(10, 10, 3, {1, 2, 3});
    const Bytes before = st->mapStore;
    AddTradeStop(*st, prompt, 3, 5);  // answered No
    EXPECT_EQ(prompt.questions.back(), Message("Traderoute", kFull));
    EXPECT_TRUE(prompt.traderouteLists.empty());
    EXPECT_EQ(st->mapStore, before);

    prompt.setAnswer(true);  // Yes, then Cancel
    AddTradeStop(*st, prompt, 3, 5);
    ASSERT_EQ(prompt.traderouteLists.size(), 1u);
    EXPECT_EQ(prompt.traderouteLists[0], (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(st->mapStore, before);

    clearStale();
    prompt.traderouteChoice = 1;  // the line "2"
    AddTradeStop(*st, prompt, 3, 5);
    EXPECT_EQ(slots(3), (TownSlots{1, 5, 3}));
    EXPECT_TRUE(st->routeStale[2] && st->routeStale[5]);
    EXPECT_FALSE(st->routeStale[1] || st->routeStale[3]);
    expectConsistent();
}

TEST_F(TraderEdits, SwitchOrderOffersThePermutationsOfTheCurrentSlots) {
    town(10, 10, 3, {3, 0, 5});
    const auto captions = switchOrderCaptions(ReadTownSlots(*st, 3));
    EXPECT_EQ(captions,
              (std::array<std::string, 6>{"Current: 305", "350", "035", "053", "530", "503"}));
    EXPECT_TRUE(applySwitchOrder(*st, 3, "5&30"));  // the menu's hotkey marker goes
    EXPECT_EQ(ReadTownSlots(*st, 3), (TownSlots{5, 3, 0}));
    EXPECT_EQ(slots(3), (TownSlots{5, 3, 0}));
    expectConsistent();
    for (const char* nothing : {"000", "Current: 530", "12", "1234", "-12"})
        EXPECT_FALSE(applySwitchOrder(*st, 3, nothing)) << nothing;
    EXPECT_EQ(ReadTownSlots(*st, 3), (TownSlots{5, 3, 0}));
}

TEST_F(TraderEdits, SlotsAreOnlyReadAndSetOnAProperSingleTown) {
    town(10, 10, 3, {1, 2, 3});
    town(30, 30, 4, {4, 0, 0});
    town(40, 30, 4, {5, 0, 0});  // a second town of domain 4
    EXPECT_EQ(ReadTownSlots(*st, 3), (TownSlots{1, 2, 3}));
    EXPECT_EQ(ReadTownSlots(*st, 4), (TownSlots{0, 0, 0}));
    SetTownSlots(*st, 6, 6, 6, 4);
    EXPECT_EQ(st->planes.M4.at(41, 30), 5);
    // A town on the last column has no slot cells on the map.
    town(63, 50, 5);
    setMarker(*st, kMap, 2, 63, 51);
    EXPECT_EQ(ReadTownSlots(*st, 5), (TownSlots{0, 0, 0}));
    SetTownSlots(*st, 1, 1, 1, 5);
    EXPECT_EQ(st->planes.M4.at(63, 51), 2);
    // Values a slot cannot hold are not written.
    SetTownSlots(*st, 9, 2, 200, 3);
    EXPECT_EQ(ReadTownSlots(*st, 3), (TownSlots{1, 2, 3}));
    expectConsistent();
}

TEST_F(TraderEdits, NoTownNoDomainNoRecordMeansNothingIsWritten) {
    // A partial town: slot cells of domain 6 without a main cell.
    setCell(*st, kMap, 21, 20,
            {.flags = flags::kTown,
             .tileset = 12,
             .part = 1,
             .marker = 2,
             .domain = 6,
             .code = feature::kMarkerBase + 2});
    put(0, 0, 0, 0, 6, feature::kGrass, 6);
    AnalyseMap(*st);
    ASSERT_FALSE(st->CountyTable[6].townPos.isSet());
    const Bytes before = st->mapStore;
    WriteSlots(*st, 6);
    AddTradeStop(*st, prompt, 6, 4);
    EXPECT_EQ(st->planes.M4.at(0, 0), 0);  // not the town's slot 3 at (-1 + 1, -1 + 1)
    EXPECT_EQ(st->mapStore, before);
    // Town cells on land without domain or with a number that has no record.
    for (int d : {kLandWithoutDomain, 20, 255, 0, -1}) {
        AddTradeStop(*st, prompt, d, 1);
        RemoveTradeStop(*st, prompt, d, 1);
    }
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(st->mapStore, before);
}

TEST_F(TraderEdits, AStartingPositionMovesToTheDomainsCastleOrIsGone) {
    castle(10, 10, 2, 3);
    castle(30, 30, 5);
    castle(40, 40, 5);  // later in x: not the one that gets it
    setStartingPosition(*st, prompt, 3, 5);
    EXPECT_EQ(st->planes.M4.at(11, 10), 0);
    EXPECT_EQ(st->planes.M4.at(31, 30), 3);
    EXPECT_EQ(st->planes.Ext4.at(31, 30), feature::kMarkerBase + 3);
    EXPECT_EQ(st->StartDomains[3], 5);
    expectConsistent();

    setStartingPosition(*st, prompt, 3, 7);  // no castle in domain 7
    EXPECT_EQ(prompt.messages.back(), Message("Startpos", "No Castle found!"));
    EXPECT_EQ(st->StartDomains[3], -1);
    setStartingPosition(*st, prompt, 3, 0);
    EXPECT_EQ(prompt.messages.back(), Message("Startpos", "Invalid County Nr!"));

    // A damaged map that carries position 1 twice loses both to the new castle.
    castle(10, 20, 2, 1);
    castle(10, 30, 4, 1);
    EXPECT_TRUE(setStartAt(*st, 40, 41, 1));  // any cell of the castle
    EXPECT_EQ(st->planes.M4.at(11, 20) + st->planes.M4.at(11, 30), 0);
    EXPECT_EQ(st->planes.M4.at(41, 40), 1);
    EXPECT_EQ(st->StartDomains[1], 5);
    EXPECT_FALSE(setStartAt(*st, 5, 5, 2));  // grass
    expectConsistent();
}

TEST_F(TraderEdits, SwitchingDomainsSwapsCellsAndNamesButSeaKeepsItsNumber) {
    for (int k = 0; k < 17; ++k) setDomainName(*st, k, "N" + std::to_string(k));
    domainRect(0, 0, 9, 9, 2);
    domainRect(10, 0, 19, 9, 7);
    sea(5, 5);
    domainRect(5, 5, 5, 5, 2);
    sink.cells.clear();
    EXPECT_TRUE(switchDomainNumbers(*st, 2, 7));
    EXPECT_EQ(st->planes.M5.at(0, 0), 7);
    EXPECT_EQ(st->planes.M5.at(10, 0), 2);
    EXPECT_EQ(st->planes.M5.at(5, 5), 2);  // sea
    EXPECT_EQ(st->planes.M5.at(30, 30), 1);
    EXPECT_EQ(st->curDomainNames[2], "N7");
    EXPECT_EQ(st->curDomainNames[7], "N2");
    EXPECT_EQ(sink.mapRedraws, 1);
    EXPECT_TRUE(sink.cells.empty());  // one redraw, not one per cell
    EXPECT_FALSE(switchDomainNumbers(*st, 0, 3));
    EXPECT_FALSE(switchDomainNumbers(*st, 3, 17));
    expectConsistent();
}

}  // namespace
}  // namespace d7::test

namespace d7::test {
namespace {

// Pattern bytes in every plane: slots, markers and part numbers hold any
// byte, towns sit on the last row, stops name towns without roads.
TEST(TraderEditsOnDamagedMaps, EveryCommandStaysInsideThePlanesAndTables) {
    TempDir dir;
    writeMapSet(dir.path(), 9);
    auto st = loadTestMapSet(dir.path());
    ScriptedPrompt prompt(true);
    prompt.traderouteChoice = 2;
    for (int n = 0; n < kMapCount; n += 7) {
        selectMap(*st, n);
        for (int t = 1; t <= kTraders; ++t) BuildRouteCells(*st, t);
        for (int d = -1; d <= 40; ++d) {
            AddTradeStop(*st, prompt, d, 1 + (d + 6) % 6);
            RemoveTradeStop(*st, prompt, d, 2);
            applySwitchOrder(*st, d, switchOrderCaptions(ReadTownSlots(*st, d))[3]);
            setStartingPosition(*st, prompt, 1 + (d + 5) % 5, d);
        }
        for (int y = 0; y < kGrid; y += 3)
            for (int x = 0; x < kGrid; x += 3) setStartAt(*st, x, y, 1 + (x + y) % 5);
        switchDomainNumbers(*st, 1 + n % 16, n % 17);
        for (int t = 1; t <= kTraders; ++t) BuildRouteCells(*st, t);
    }
}

}  // namespace
}  // namespace d7::test
