#include <gtest/gtest.h>

#include "core/model/map_access.h"
#include "core/model/map_set_diff.h"
#include "core/model/map_set_diff_text.h"
#include "core/model/map_set_maintenance.h"
#include "support/map_builder.h"

namespace d7 {
namespace {

// Two sets loaded from the same files; tests change the second.
class TwoSets : public ::testing::Test {
  protected:
    void SetUp() override {
        test::writeMapSet(dir.path(), 41);
        before = test::loadTestMapSet(dir.path());
        after = test::loadTestMapSet(dir.path());
    }
    std::uint8_t blockByte(const EditorState& st, int n, int plane, int x, int y) const {
        return st.mapStore[blockOffset(n) + std::size_t(plane) * kCellCount +
                           std::size_t(y) * kGrid + std::size_t(x)];
    }
    void changeCell(int n, int plane, int x, int y, std::uint8_t value) {
        storeBlockByte(*after, value, x, y, plane, n);
    }
    MapSetDiff diff() const { return compareMapSets(*before, *after); }

    test::TempDir dir;
    std::unique_ptr<EditorState> before, after;
};

TEST_F(TwoSets, SetsFromTheSameFilesAreIdentical) {
    const MapSetDiff d = diff();
    EXPECT_TRUE(d.identical());
    EXPECT_EQ(mapSetDiffText(d), "");
    EXPECT_TRUE(compareMap(*before, *after, 17).empty());
}

TEST_F(TwoSets, OneCellInOnePlane) {
    const std::uint8_t old = blockByte(*before, 7, 2, 5, 9);
    changeCell(7, 2, 5, 9, std::uint8_t(old ^ 0x5A));
    const MapSetDiff d = diff();
    ASSERT_EQ(d.maps.size(), 1u);
    const MapDiff& m = d.maps[0];
    EXPECT_EQ(m.map, 7);
    EXPECT_EQ(m.name, "Map 7");
    ASSERT_EQ(m.cells.size(), 1u);
    const CellChange& c = m.cells[0];
    EXPECT_EQ(c.x, 5);
    EXPECT_EQ(c.y, 9);
    EXPECT_EQ(c.changed, 1 << 2);
    EXPECT_EQ(c.before[2], old);
    EXPECT_EQ(c.after[2], old ^ 0x5A);
    EXPECT_EQ(mapSetDiffText(d), "map 7 \"Map 7\": 1 cell changed\n  5,9  M2 " +
                                     std::to_string(old) + "->" + std::to_string(old ^ 0x5A) +
                                     "\n");
}

TEST_F(TwoSets, ABuildingReplacedListsEveryCellAndPlaneInRowOrder) {
    // A 2 x 2 block at (40, 30) rewritten in M0, M1, M3 and M5.
    for (int part = 0; part < 4; ++part) {
        const int x = 40 + part % 2, y = 30 + part / 2;
        for (int p : {0, 1, 3, 5})
            changeCell(12, p, x, y, std::uint8_t(blockByte(*before, 12, p, x, y) + 1));
    }
    const MapDiff m = compareMap(*before, *after, 12);
    ASSERT_EQ(m.cells.size(), 4u);
    const std::pair<int, int> order[] = {{40, 30}, {41, 30}, {40, 31}, {41, 31}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(m.cells[i].x, order[i].first);
        EXPECT_EQ(m.cells[i].y, order[i].second);
        EXPECT_EQ(m.cells[i].changed, 0b101011);
    }
    std::string text;
    appendMapDiffText(text, m);
    EXPECT_EQ(text.rfind("map 12 \"Map 12\": 4 cells changed\n  40,30  M0 ", 0), 0u) << text;
    EXPECT_NE(text.find("  M3 "), std::string::npos);
    EXPECT_EQ(text.find("  M2 "), std::string::npos);
}

TEST_F(TwoSets, RenamedMapAndDomainAndTrader) {
    selectMap(*after, 3);
    setMapName(*after, "Harrowgate");
    setDomainName(*after, 3, "Ashford");
    after->traderNames[1] = "Olav";
    const MapSetDiff d = diff();
    ASSERT_EQ(d.maps.size(), 1u);
    const MapDiff& m = d.maps[0];
    EXPECT_TRUE(m.cells.empty());
    ASSERT_EQ(m.names.size(), 2u);
    EXPECT_EQ(m.names[0].kind, NameChange::kMap);
    EXPECT_EQ(m.names[1].kind, NameChange::kDomain);
    EXPECT_EQ(m.names[1].index, 3);
    ASSERT_EQ(d.traderNames.size(), 1u);
    EXPECT_EQ(d.traderNames[0].index, 2);
    EXPECT_EQ(mapSetDiffText(d),
              "map 3 \"Harrowgate\": 0 cells changed\n"
              "  map name \"Map 3\" -> \"Harrowgate\"\n"
              "  domain 3 name \"" +
                  domainNameSlot(*before, 3, 3) +
                  "\" -> \"Ashford\"\n"
                  "map set:\n"
                  "  trader 2 name \"Trader 2\" -> \"Olav\"\n");
}

TEST_F(TwoSets, OnlyTheMapsListedAndTheWholeSetsFacts) {
    changeCell(3, 0, 5, 5, std::uint8_t(blockByte(*before, 3, 0, 5, 5) ^ 1));
    changeCell(9, 0, 5, 5, std::uint8_t(blockByte(*before, 9, 0, 5, 5) ^ 1));
    after->traderNames[0] = "Olav";
    const int maps[] = {9, 4};
    const MapSetDiff d = compareMapSets(*before, *after, maps);
    ASSERT_EQ(d.maps.size(), 1u);
    EXPECT_EQ(d.maps[0].map, 9);
    EXPECT_EQ(d.traderNames.size(), 1u);
}

TEST_F(TwoSets, ExtAndOutlineBytesAreCounted) {
    const std::uint8_t* record = mapExtRecord(*before, 21);
    extByte(*after, std::uint8_t(record[kExt2Offset + 3 * 128 + 100] ^ 1), 100, 3, kExt2, 21);
    extByte(*after, std::uint8_t(record[kExt5Offset + 128 * 65 + 64] ^ 1), 64, 128, kExt5, 21);
    storeOutlineByte(*after, std::uint8_t(mapBlock(*before, 21)[kOutlineOffset] ^ 0xFF), 0, 0, 21);
    const MapDiff m = compareMap(*before, *after, 21);
    EXPECT_TRUE(m.cells.empty());
    EXPECT_EQ(m.auxBytes, (std::array<int, kAuxPlanes>{1, 0, 1, 0, 0, 1}));
    std::string text;
    appendMapDiffText(text, m);
    EXPECT_EQ(text,
              "map 21 \"Map 21\": 0 cells changed\n  outline: 1 byte changed\n"
              "  minimap image: 1 byte changed\n  outside lands: 1 byte changed\n");
}

TEST_F(TwoSets, AMapFileThatDiffersOnlyInItsHeader) {
    after->extStreams[3][10] ^= 0xFF;
    after->extStreams[3][327] ^= 0xFF;
    const MapSetDiff d = diff();
    EXPECT_FALSE(d.identical());
    EXPECT_TRUE(d.maps.empty());
    ASSERT_EQ(d.mapFiles.size(), 1u);
    EXPECT_EQ(d.mapFiles[0].file, 3);
    EXPECT_EQ(d.mapFiles[0].headerBytes, 2);
    EXPECT_EQ(mapSetDiffText(d), "map set:\n  map03.pl8 header: 2 bytes changed\n");
}

TEST_F(TwoSets, MissingRecordsAndShortBuffersCompareAsZeroBytes) {
    // An empty map file (the game's files may hold one) and a map store cut
    // short: nothing outside the buffers is read, and what is missing is zero.
    after->extStreams[15].clear();
    after->mapStore.resize(blockOffset(59) + 100);
    const MapSetDiff d = diff();
    ASSERT_EQ(d.mapFiles.size(), 1u);
    EXPECT_EQ(d.mapFiles[0].sizeAfter, 0u);
    EXPECT_EQ(d.mapFiles[0].headerBytes, 0);
    ASSERT_FALSE(d.maps.empty());
    EXPECT_EQ(d.maps.front().map, 56);
    EXPECT_NE(mapSetDiffText(d).find("  map15.pl8 size: 197708 -> 0 bytes\n"), std::string::npos);

    MapSet empty;
    const MapSetDiff fromNothing = compareMapSets(empty, empty);
    EXPECT_TRUE(fromNothing.identical());
}

}  // namespace
}  // namespace d7
