#include <gtest/gtest.h>

#include "core/edit/geometry.h"
#include "core/edit/objects.h"
#include "core/edit/placement.h"
#include "edit_fixture.h"

namespace d7::test {
namespace {

constexpr const char* kNotOneDomain =
    "Unable to place here (Not on nomansland or multiple domains)";

class Placement : public EditTest {
  protected:
    void place(int x, int y, TileKind kind, int tile) {
        placeTile(*st, prompt, x, y, tile, footprintOf(kind, tile), kind);
        expectConsistent();
    }
    void town(int x, int y) { place(x, y, TileKind::Buildings, building::kTown); }
    void castle(int x, int y) { place(x, y, TileKind::Buildings, building::kCastle); }
    ScriptedPrompt prompt;
};

TEST_F(Placement, BaseTilesBelow22AreLandAndFrom22UpSea) {
    domainRect(4, 4, 4, 4, 3);
    place(4, 4, TileKind::Base, 21);
    EXPECT_EQ(st->planes.M0.at(4, 4), 0);
    EXPECT_EQ(st->planes.M2.at(4, 4), 21);
    EXPECT_EQ(st->planes.M5.at(4, 4), 3);
    EXPECT_EQ(st->planes.Ext4.at(4, 4), feature::kGrass);
    EXPECT_TRUE(st->undoValid);

    place(4, 4, TileKind::Base, 100);  // a coast tile
    EXPECT_EQ(st->planes.M0.at(4, 4), 4);
    EXPECT_EQ(st->planes.M2.at(4, 4), 100);
    EXPECT_EQ(st->planes.M5.at(4, 4), 0);
    EXPECT_EQ(st->planes.Ext4.at(4, 4), feature::kSea);
    // The undo snapshot holds the map as it was before the placement.
    EXPECT_EQ(st->undoBuffer[2 * kCellCount + 4 * 64 + 4], 21);
}

TEST_F(Placement, RoadTilesCarryTheFlagsAndCodesOfTheirRange) {
    struct Case {
        int tile, flags, code;
    };
    const Case cases[] = {{0, 0x01, 63},  {29, 0x01, 63}, {30, 0x08, 10}, {40, 0x02, 2},
                          {41, 0x0A, 10}, {78, 0x03, 63}, {80, 0x20, 13}, {83, 0x22, 13}};
    int x = 0;
    for (const Case& c : cases) {
        place(x, 1, TileKind::Roads, c.tile);
        EXPECT_EQ(st->planes.M0.at(x, 1), c.flags) << c.tile;
        EXPECT_EQ(st->planes.M1.at(x, 1), 8) << c.tile;
        EXPECT_EQ(st->planes.M2.at(x, 1), c.tile);
        EXPECT_EQ(st->planes.Ext4.at(x, 1), c.code) << c.tile;
        ++x;
    }
}

TEST_F(Placement, TilesWithoutMeaningOnlyClearTheBuildingUnderThem) {
    castle(10, 10);
    town(20, 20);
    const std::uint8_t castleTile = st->planes.M2.at(10, 10);
    place(11, 11, TileKind::Roads, 79);
    place(20, 21, TileKind::Roads, 84);
    EXPECT_EQ(st->planes.M0.at(10, 10), 0);
    EXPECT_EQ(st->planes.M2.at(10, 10), castleTile);
    EXPECT_EQ(st->planes.M0.at(11, 11), 0);
    EXPECT_EQ(st->planes.M1.at(20, 21), 0);
    EXPECT_EQ(st->CountyTable[1].castles, 0);
    EXPECT_EQ(st->CountyTable[1].towns, 0);

    // Building tiles from 6 up change nothing, but still snapshot and analyse.
    const Bytes store = st->mapStore;
    st->undoValid = false;
    st->CountyTable[1].greens = 0;
    place(30, 30, TileKind::Buildings, 6);
    EXPECT_EQ(st->mapStore, store);
    EXPECT_TRUE(st->undoValid);
    EXPECT_GT(st->CountyTable[1].greens, 4000);
}

TEST_F(Placement, VillagesNeedGreenCells) {
    place(5, 5, TileKind::Roads, 39);  // grassland with border: M0 = 2
    place(5, 5, TileKind::Buildings, building::kVillage);
    EXPECT_EQ(st->planes.M0.at(5, 5), 0x12);
    EXPECT_EQ(st->planes.M1.at(5, 5), 0);
    EXPECT_EQ(st->planes.Ext4.at(5, 5), feature::kVillage);
    EXPECT_EQ(sink.pieces.back().second, 0x10);
    EXPECT_TRUE(prompt.messages.empty());

    place(6, 5, TileKind::Roads, 80);  // field
    place(7, 5, TileKind::Roads, 31);  // forest
    place(8, 5, TileKind::Roads, 3);   // road
    place(9, 5, TileKind::Base, 25);   // sea
    const Bytes store = st->mapStore;
    for (int x = 6; x <= 9; ++x) place(x, 5, TileKind::Buildings, building::kVillage);
    EXPECT_EQ(st->mapStore, store);
    ASSERT_EQ(prompt.messages.size(), 4u);
    EXPECT_EQ(prompt.messages[0].first, "Village");
    EXPECT_EQ(prompt.messages[0].second, "Unable to place here (Base field needs to be green)");
}

TEST_F(Placement, TownsAndCastlesNeedOneDomainOtherThanLandWithoutDomain) {
    domainRect(11, 10, 11, 10, 2);  // the block at (10, 10) straddles domains 1 and 2
    domainRect(30, 30, 31, 31, kLandWithoutDomain);
    const Bytes store = st->mapStore;
    town(10, 10);
    castle(10, 10);
    town(30, 30);
    castle(30, 30);
    EXPECT_EQ(st->mapStore, store);
    ASSERT_EQ(prompt.messages.size(), 4u);
    EXPECT_EQ(prompt.messages[0], (std::pair<std::string, std::string>{"Town", kNotOneDomain}));
    EXPECT_EQ(prompt.messages[1], (std::pair<std::string, std::string>{"Castle", kNotOneDomain}));
    EXPECT_EQ(prompt.messages[2].first, "Town");
    EXPECT_EQ(prompt.messages[3].first, "Castle");

    // A building that does not fit inside the map is silently not placed.
    town(63, 10);
    castle(10, 63);
    EXPECT_EQ(prompt.messages.size(), 4u);
    EXPECT_EQ(st->mapStore, store);
}

TEST_F(Placement, ATownIsFourCellsWithPartsTilesAndCodes) {
    town(10, 10);
    const int tiles[4] = {0, 2, 1, 3};
    for (int part = 0; part < 4; ++part) {
        const int x = 10 + part % 2, y = 10 + part / 2;
        EXPECT_EQ(st->planes.M0.at(x, y), 0x40);
        EXPECT_EQ(st->planes.M1.at(x, y), 12);
        EXPECT_EQ(st->planes.M2.at(x, y), tiles[part]);
        EXPECT_EQ(st->planes.M3.at(x, y), part);
        EXPECT_EQ(st->planes.Ext4.at(x, y), feature::kTown);
    }
    EXPECT_EQ(st->CountyTable[1].towns, 1);
    EXPECT_EQ(st->CountyTable[1].townPos, (Point{10, 10}));
    EXPECT_TRUE(prompt.questions.empty());
}

TEST_F(Placement, ReplacingATownInPlaceKeepsItsTradersAndRoutes) {
    town(10, 10);
    setMarker(*st, kMap, 2, 11, 10);
    setMarker(*st, kMap, 4, 11, 11);
    st->routeStale.fill(false);

    prompt.setAnswer(false);
    const Bytes store = st->mapStore;
    town(10, 10);
    EXPECT_EQ(st->mapStore, store);
    ASSERT_EQ(prompt.questions.size(), 1u);
    EXPECT_EQ(prompt.questions[0].first, "Town");
    EXPECT_EQ(prompt.questions[0].second, "A town already exists for this domain. Replace it?");

    prompt.setAnswer(true);
    town(10, 10);
    EXPECT_EQ(st->planes.M4.at(11, 10), 2);
    EXPECT_EQ(st->planes.Ext4.at(11, 10), 27);
    EXPECT_EQ(st->planes.M4.at(10, 11), 0);
    EXPECT_EQ(st->planes.M4.at(11, 11), 4);
    EXPECT_EQ(st->planes.Ext4.at(11, 11), 29);
    for (int t = 1; t <= 6; ++t) EXPECT_FALSE(st->routeStale[std::size_t(t)]) << t;
}

TEST_F(Placement, MovingATownCarriesItsTradersAndMarksTheirRoutes) {
    town(10, 10);
    setMarker(*st, kMap, 2, 11, 10);
    setMarker(*st, kMap, 5, 10, 11);
    st->routeStale.fill(false);
    prompt.setAnswer(true);
    town(11, 11);  // overlapping the old block
    for (auto [x, y] : {std::pair{10, 10}, {11, 10}, {10, 11}}) {
        EXPECT_EQ(st->planes.M0.at(x, y), 0);
        EXPECT_GE(st->planes.M2.at(x, y), 6);
    }
    EXPECT_EQ(st->planes.M4.at(12, 11), 2);
    EXPECT_EQ(st->planes.M4.at(11, 12), 5);
    EXPECT_EQ(st->CountyTable[1].towns, 1);
    EXPECT_EQ(st->CountyTable[1].townPos, (Point{11, 11}));
    EXPECT_TRUE(st->routeStale[2]);
    EXPECT_TRUE(st->routeStale[5]);
    EXPECT_FALSE(st->routeStale[1]);
}

TEST_F(Placement, ASecondTownOfADomainWithTwoIsPlacedWithoutAQuestion) {
    town(10, 10);
    town(20, 20);  // asked, answered no
    prompt.setAnswer(true);
    domainRect(30, 30, 31, 31, 2);
    town(30, 30);
    domainRect(30, 30, 31, 31, 1);  // now domain 1 has two towns
    prompt.questions.clear();
    town(40, 40);
    EXPECT_TRUE(prompt.questions.empty());
    AnalyseMap(*st);
    EXPECT_EQ(st->CountyTable[1].towns, 3);
}

TEST_F(Placement, ReplacingACastleCarriesItsStartingPosition) {
    castle(10, 10);
    setMarker(*st, kMap, 3, 11, 10);
    AnalyseMap(*st);
    EXPECT_EQ(st->StartDomains[3], 1);
    const std::uint8_t oldTile = st->planes.M2.at(11, 10);
    prompt.setAnswer(true);
    castle(30, 30);
    EXPECT_EQ(prompt.questions.back(),
              (std::pair<std::string, std::string>{
                  "Castle", "A castle already exists for this domain. Replace it?"}));
    EXPECT_EQ(st->planes.M0.at(11, 10), 0);
    EXPECT_EQ(st->planes.M2.at(11, 10), oldTile);
    EXPECT_EQ(st->planes.M4.at(11, 10), 0);
    EXPECT_EQ(st->planes.M4.at(31, 30), 3);
    EXPECT_EQ(st->planes.Ext4.at(31, 30), 28);
    EXPECT_EQ(st->CountyTable[1].castlePos, (Point{30, 30}));
    EXPECT_EQ(st->StartDomains[3], 1);
    for (int part = 0; part < 4; ++part)
        EXPECT_EQ(st->planes.M3.at(30 + part % 2, 30 + part / 2), part);
}

TEST_F(Placement, AnyTileOnAnyCellOfA3x3MountainResetsAllNineCells) {
    for (int hit = 0; hit < 9; ++hit) {
        place(20, 20, TileKind::Mountains, kMountain3x3Index);
        EXPECT_EQ(st->planes.M2.at(22, 21), 23);
        EXPECT_EQ(st->planes.Ext4.at(21, 21), feature::kMountain3x3);
        const int hx = 20 + hit % 3, hy = 20 + hit / 3;
        place(hx, hy, TileKind::Base, 10);
        for (int j = 0; j < 3; ++j)
            for (int i = 0; i < 3; ++i) {
                const int x = 20 + i, y = 20 + j;
                EXPECT_EQ(st->planes.M0.at(x, y), 0);
                EXPECT_EQ(st->planes.M1.at(x, y), 0);
                EXPECT_EQ(st->planes.M2.at(x, y), x == hx && y == hy ? 10 : 6);
                EXPECT_EQ(st->planes.M3.at(x, y), 0);
            }
    }
}

TEST_F(Placement, BaseOrRoadTilesRemoveCastlesAndTowns) {
    castle(10, 10);
    const std::uint8_t tile = st->planes.M2.at(10, 11);
    place(11, 11, TileKind::Base, 12);
    for (int part = 0; part < 4; ++part) {
        const int x = 10 + part % 2, y = 10 + part / 2;
        EXPECT_EQ(st->planes.M0.at(x, y), 0);
        EXPECT_EQ(st->planes.M3.at(x, y), 0);
    }
    EXPECT_EQ(st->planes.M2.at(10, 11), tile);  // the castle's own grass stays
    EXPECT_EQ(st->planes.M2.at(11, 11), 12);

    town(20, 20);
    place(20, 21, TileKind::Roads, 5);
    EXPECT_EQ(st->planes.M0.at(20, 21), 1);
    for (auto [x, y] : {std::pair{20, 20}, {21, 20}, {21, 21}}) {
        EXPECT_EQ(st->planes.M0.at(x, y), 0);
        EXPECT_EQ(st->planes.M1.at(x, y), 0);
        EXPECT_GE(st->planes.M2.at(x, y), 6);
        EXPECT_LE(st->planes.M2.at(x, y), 20);
    }
}

TEST_F(Placement, AMountainOverAnotherOverwritesOnlyItsOwnCells) {
    place(10, 10, TileKind::Mountains, 1);
    place(11, 11, TileKind::Mountains, 2);
    EXPECT_EQ(st->planes.M2.at(10, 10), 4);
    EXPECT_EQ(st->planes.M2.at(11, 10), 6);
    EXPECT_EQ(st->planes.M3.at(11, 10), 1);
    EXPECT_EQ(st->planes.M2.at(10, 11), 5);
    EXPECT_EQ(st->planes.M3.at(10, 11), 2);
    EXPECT_EQ(st->planes.M2.at(11, 11), 8);
    EXPECT_EQ(st->planes.M3.at(11, 11), 0);
    EXPECT_EQ(st->planes.M2.at(12, 12), 11);
    EXPECT_EQ(st->planes.Ext4.at(12, 12), feature::kMountain2x2);
}

TEST_F(Placement, ResourcesReplaceCastlesWholeAndVillagesSimply) {
    castle(10, 10);
    place(11, 11, TileKind::Buildings, building::kQuarry);
    EXPECT_EQ(st->planes.M0.at(10, 10), 0);
    EXPECT_EQ(st->planes.M0.at(11, 10), 0);
    EXPECT_EQ(st->planes.M0.at(11, 11), 0x80);
    EXPECT_EQ(st->planes.M1.at(11, 11), 12);
    EXPECT_TRUE(isResource(st->planes, 11, 11));
    EXPECT_EQ(st->CountyTable[1].castles, 0);
    EXPECT_EQ(st->CountyTable[1].quarries, 1);

    place(20, 20, TileKind::Buildings, building::kVillage);
    place(20, 20, TileKind::Buildings, building::kLumber);
    place(21, 20, TileKind::Buildings, building::kMine);
    EXPECT_EQ(st->planes.M0.at(20, 20), 0x80);
    EXPECT_EQ(st->planes.M2.at(20, 20), 20);
    EXPECT_EQ(st->planes.Ext4.at(20, 20), feature::kLumber);
    EXPECT_EQ(st->planes.Ext4.at(21, 20), feature::kMine);
    EXPECT_EQ(st->CountyTable[1].villages, 0);
}

// A mountain that a town has partly covered: resetting the mountain leaves
// the town's cell alone.
TEST_F(Placement, ResettingAMountainKeepsTheCellsOfOtherObjects) {
    place(20, 20, TileKind::Mountains, kMountain3x3Index);
    town(19, 19);  // its part 3 covers the mountain's part 0
    place(21, 21, TileKind::Roads, 2);
    EXPECT_EQ(st->planes.M0.at(20, 20), 0x40);
    EXPECT_EQ(st->planes.M3.at(20, 20), 3);
    EXPECT_EQ(st->planes.M1.at(22, 22), 0);
    EXPECT_EQ(st->CountyTable[1].towns, 1);
}

// A castle block that lost a cell to something else (as after pasting an
// area): removing the castle leaves that cell and its code alone.
TEST_F(Placement, RemovingACastleKeepsCellsThatNoLongerBelongToIt) {
    castle(10, 10);
    road(11, 11, 3);
    clearObjectAt(*st, 10, 10);
    EXPECT_EQ(st->planes.M0.at(11, 11), 1);
    EXPECT_EQ(st->planes.M2.at(11, 11), 3);
    EXPECT_EQ(st->planes.Ext4.at(11, 11), feature::kRoad);
    EXPECT_EQ(st->planes.M0.at(10, 11), 0);
    expectConsistent();
}

// Damaged maps: numbers outside what the planes may hold are neither used as
// an index nor carried over.
TEST_F(Placement, OutOfRangeDomainsAndMarkersAreHandledSafely) {
    domainRect(10, 10, 11, 11, 40);
    town(10, 10);
    EXPECT_EQ(st->planes.M0.at(10, 10), 0x40);

    town(20, 20);
    setCell(*st, kMap, 21, 20,
            {.flags = 0x40, .tileset = 12, .tile = 2, .part = 1, .marker = 9, .code = 34});
    prompt.setAnswer(true);
    placeTile(*st, prompt, 30, 30, building::kTown, 2, TileKind::Buildings);
    EXPECT_EQ(st->planes.M4.at(31, 30), 0);
    EXPECT_EQ(st->planes.Ext4.at(31, 30), feature::kTown);
}

}  // namespace
}  // namespace d7::test
