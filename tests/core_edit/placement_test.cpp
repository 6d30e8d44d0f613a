#include <gtest/gtest.h>

#include "core/edit/geometry.h"
#include "core/edit/objects.h"
#include "core/edit/placement.h"
#include "edit_fixture.h"

namespace d7::test {
namespace {

using Message = std::pair<std::string, std::string>;
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
    int m0(int x, int y) const { return st->planes.M0.at(x, y); }
    int m2(int x, int y) const { return st->planes.M2.at(x, y); }
    ScriptedPrompt prompt;
};

TEST_F(Placement, BaseAndRoadTilesCarryTheFlagsAndCodesOfTheirRange) {
    domainRect(4, 4, 4, 4, 3);
    place(4, 4, TileKind::Base, 21);
    EXPECT_EQ(m0(4, 4), 0);
    EXPECT_EQ(st->planes.M5.at(4, 4), 3);
    place(4, 4, TileKind::Base, 22);
    EXPECT_EQ(m0(4, 4), 4);
    EXPECT_EQ(st->planes.M5.at(4, 4), 0);
    EXPECT_EQ(st->undoBuffer[2 * kCellCount + 4 * 64 + 4], 21);  // the map before the edit

    const int tiles[] = {0, 29, 30, 40, 41, 78, 80, 83};
    const int flagsOf[] = {0x01, 0x01, 0x08, 0x02, 0x0A, 0x03, 0x20, 0x22};
    for (int i = 0; i < 8; ++i) {
        place(i, 1, TileKind::Roads, tiles[i]);
        EXPECT_EQ(m0(i, 1), flagsOf[i]) << tiles[i];
        EXPECT_EQ(m2(i, 1), tiles[i]);
    }
}

TEST_F(Placement, TilesWithoutMeaningOnlyClearTheBuildingUnderThem) {
    castle(10, 10);
    town(20, 20);
    const int castleTile = m2(10, 10);
    place(11, 11, TileKind::Roads, 79);
    place(20, 21, TileKind::Roads, 84);
    EXPECT_EQ(m0(10, 10), 0);
    EXPECT_EQ(m2(10, 10), castleTile);  // the castle's own grass stays
    EXPECT_EQ(st->planes.M1.at(21, 21), 0);
    EXPECT_EQ(st->CountyTable[1].castles + st->CountyTable[1].towns, 0);

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
    EXPECT_EQ(m0(5, 5), 0x12);
    EXPECT_EQ(st->planes.M1.at(5, 5), 0);
    EXPECT_EQ(sink.pieces.back().second, 0x10);

    place(6, 5, TileKind::Roads, 80);
    place(7, 5, TileKind::Roads, 31);
    place(8, 5, TileKind::Base, 25);
    const Bytes store = st->mapStore;
    for (int x = 6; x <= 8; ++x) place(x, 5, TileKind::Buildings, building::kVillage);
    EXPECT_EQ(st->mapStore, store);
    ASSERT_EQ(prompt.messages.size(), 3u);
    EXPECT_EQ(prompt.messages[0],
              (Message{"Village", "Unable to place here (Base field needs to be green)"}));
}

TEST_F(Placement, TownsAndCastlesNeedOneDomainOtherThanLandWithoutDomain) {
    domainRect(11, 10, 11, 10, 2);  // the block at (10, 10) straddles domains 1 and 2
    domainRect(30, 30, 31, 31, kLandWithoutDomain);
    const Bytes store = st->mapStore;
    town(10, 10);
    castle(10, 10);
    town(30, 30);
    town(63, 10);  // does not fit: no message
    castle(10, 63);
    EXPECT_EQ(st->mapStore, store);
    EXPECT_EQ(prompt.messages,
              (std::vector<Message>{
                  {"Town", kNotOneDomain}, {"Castle", kNotOneDomain}, {"Town", kNotOneDomain}}));
}

TEST_F(Placement, ReplacingATownInPlaceKeepsItsTradersAndRoutes) {
    town(10, 10);
    EXPECT_EQ(st->planes.M2.at(11, 10), 2);
    EXPECT_EQ(st->planes.M3.at(11, 10), 1);
    EXPECT_EQ(st->planes.M2.at(10, 11), 1);
    setMarker(*st, kMap, 2, 11, 10);
    setMarker(*st, kMap, 4, 11, 11);
    st->routeStale.fill(false);

    const Bytes store = st->mapStore;
    town(10, 10);  // answered No
    EXPECT_EQ(st->mapStore, store);
    EXPECT_EQ(
        prompt.questions,
        (std::vector<Message>{{"Town", "A town already exists for this domain. Replace it?"}}));
    prompt.setAnswer(true);
    town(10, 10);
    EXPECT_EQ(st->planes.M4.at(11, 10), 2);
    EXPECT_EQ(st->planes.M4.at(11, 11), 4);
    EXPECT_EQ(st->planes.Ext4.at(11, 11), 29);
    for (bool stale : st->routeStale) EXPECT_FALSE(stale);
}

TEST_F(Placement, MovingATownCarriesItsTradersAndMarksTheirRoutes) {
    town(10, 10);
    setMarker(*st, kMap, 2, 11, 10);
    setMarker(*st, kMap, 5, 10, 11);
    st->routeStale.fill(false);
    prompt.setAnswer(true);
    town(11, 11);  // overlapping the old block
    EXPECT_EQ(m0(10, 10) + m0(11, 10) + m0(10, 11), 0);
    EXPECT_EQ(st->planes.M4.at(12, 11), 2);
    EXPECT_EQ(st->planes.M4.at(11, 12), 5);
    EXPECT_EQ(st->CountyTable[1].townPos, (Point{11, 11}));
    EXPECT_TRUE(st->routeStale[2] && st->routeStale[5]);
    EXPECT_FALSE(st->routeStale[1]);

    // With two towns in the domain nothing is asked.
    domainRect(30, 30, 31, 31, 2);
    town(30, 30);
    domainRect(30, 30, 31, 31, 1);
    prompt.questions.clear();
    town(40, 40);
    EXPECT_TRUE(prompt.questions.empty());
    EXPECT_EQ(st->CountyTable[1].towns, 3);
}

TEST_F(Placement, ReplacingACastleCarriesItsStartingPosition) {
    castle(10, 10);
    setMarker(*st, kMap, 3, 11, 10);
    const int oldTile = m2(11, 10);
    prompt.setAnswer(true);
    castle(30, 30);
    EXPECT_EQ(prompt.questions.back(),
              (Message{"Castle", "A castle already exists for this domain. Replace it?"}));
    EXPECT_EQ(m0(11, 10), 0);
    EXPECT_EQ(m2(11, 10), oldTile);
    EXPECT_EQ(st->planes.M4.at(31, 30), 3);
    EXPECT_EQ(st->planes.Ext4.at(31, 30), 28);
    EXPECT_EQ(st->planes.M3.at(30, 31), 2);
    EXPECT_EQ(st->StartDomains[3], 1);
    EXPECT_EQ(st->CountyTable[1].castlePos, (Point{30, 30}));
}

TEST_F(Placement, AnyTileOnAnyCellOfA3x3MountainResetsAllNineCells) {
    for (int hit = 0; hit < 9; ++hit) {
        place(20, 20, TileKind::Mountains, kMountain3x3Index);
        EXPECT_EQ(m2(22, 21), 23);
        const int hx = 20 + hit % 3, hy = 20 + hit / 3;
        place(hx, hy, TileKind::Base, 10);
        for (int j = 0; j < 3; ++j)
            for (int i = 0; i < 3; ++i) {
                const int x = 20 + i, y = 20 + j;
                EXPECT_EQ(m0(x, y) + st->planes.M1.at(x, y) + st->planes.M3.at(x, y), 0);
                EXPECT_EQ(m2(x, y), x == hx && y == hy ? 10 : 6);
            }
    }
}

TEST_F(Placement, MountainsOverlapResourcesReplaceBuildings) {
    place(10, 10, TileKind::Mountains, 1);
    place(11, 11, TileKind::Mountains, 2);  // overwrites only what it covers
    EXPECT_EQ(m2(11, 10), 6);
    EXPECT_EQ(st->planes.M3.at(10, 11), 2);
    EXPECT_EQ(m2(11, 11), 8);
    EXPECT_EQ(st->planes.M3.at(11, 11), 0);

    castle(30, 10);
    town(40, 10);
    place(31, 11, TileKind::Buildings, building::kQuarry);
    place(40, 11, TileKind::Buildings, building::kMine);
    EXPECT_EQ(m0(30, 10) + m0(31, 10) + m0(30, 11), 0);
    EXPECT_EQ(st->planes.M1.at(41, 10), 0);
    EXPECT_TRUE(isResource(st->planes, 31, 11));
    place(20, 20, TileKind::Buildings, building::kVillage);
    place(20, 20, TileKind::Buildings, building::kLumber);
    EXPECT_EQ(m0(20, 20), 0x80);
    const Acounty& c = st->CountyTable[1];
    EXPECT_EQ(c.castles + c.towns + c.villages, 0);
    EXPECT_EQ(c.quarries + c.mines + c.lumbers, 3);
}

// Objects that another object has partly covered: removing or resetting the
// old one leaves the other's cells (and their codes) alone.
TEST_F(Placement, RemovingAnObjectKeepsCellsThatNoLongerBelongToIt) {
    place(20, 20, TileKind::Mountains, kMountain3x3Index);
    town(19, 19);  // its part 3 covers the mountain's part 0
    place(21, 21, TileKind::Roads, 2);
    EXPECT_EQ(m0(20, 20), 0x40);
    EXPECT_EQ(st->CountyTable[1].towns, 1);

    castle(10, 10);
    road(11, 11, 3);
    clearObjectAt(*st, 10, 10);
    EXPECT_EQ(m0(10, 11), 0);
    EXPECT_EQ(st->planes.Ext4.at(11, 11), feature::kRoad);
    expectConsistent();
}

// Damaged maps: numbers outside what the planes may hold are neither used as
// an index nor carried over.
TEST_F(Placement, OutOfRangeDomainsAndMarkersAreHandledSafely) {
    domainRect(10, 10, 11, 11, 40);
    town(10, 10);
    EXPECT_EQ(m0(10, 10), 0x40);
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
