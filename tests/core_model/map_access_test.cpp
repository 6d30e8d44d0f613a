#include <gtest/gtest.h>

#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "core/model/map_set_maintenance.h"
#include "support/map_builder.h"

namespace d7 {
namespace {

class LoadedSet : public ::testing::Test {
  protected:
    void SetUp() override {
        test::writeMapSet(dir.path(), 21);
        st = test::loadTestMapSet(dir.path());
    }
    const std::uint8_t* record(int n) const {
        return st->extStreams[std::size_t(fileOfMap(n))].data() + extRecordOffset(n);
    }
    test::TempDir dir;
    std::unique_ptr<EditorState> st;
};

TEST(MapNumbering, MapsLiveInTheirFileAndRecord) {
    EXPECT_EQ(fileOfMap(0), 1);
    EXPECT_EQ(recordOfMap(0), 0);
    EXPECT_EQ(fileOfMap(4), 2);
    EXPECT_EQ(recordOfMap(4), 0);
    EXPECT_EQ(fileOfMap(59), 15);
    EXPECT_EQ(recordOfMap(59), 3);
    EXPECT_EQ(extRecordOffset(59), 328u + 3 * 49345u);
}

TEST_F(LoadedSet, SelectingAMapCopiesBlockAndRecordIntoTheWorkingPlanes) {
    selectMap(*st, 13);
    const std::uint8_t* block = st->mapStore.data() + blockOffset(13);
    EXPECT_EQ(st->planes.M0.at(5, 7), block[7 * 64 + 5]);
    EXPECT_EQ(st->planes.M5.at(63, 1), block[5 * 4096 + 64 + 63]);
    EXPECT_EQ(st->planes.Outline.at(64, 128), block[0x6000 + 128 * 65 + 64]);
    EXPECT_EQ(st->planes.Ext1.at(127, 3), record(13)[3 * 128 + 127]);
    EXPECT_EQ(st->planes.Ext4.at(2, 9), record(13)[0x9000 + 9 * 64 + 2]);
    EXPECT_EQ(st->planes.Ext5.at(10, 100), record(13)[0xA000 + 100 * 65 + 10]);
    EXPECT_TRUE(st->mapLoaded);
    EXPECT_EQ(st->curDomainNames.size(), 17u);
    EXPECT_EQ(st->curDomainNames[0], "Land 13");
    EXPECT_EQ(st->CountyTable[16].name, "County 13.16");
}

TEST_F(LoadedSet, ByteWritersLandAtTheirFileOffsets) {
    selectMap(*st, 6);
    extByte(*st, 0xAB, 1, 0, kExt3, 6);
    EXPECT_EQ(record(6)[0x8001], 0xAB);
    extByte(*st, 0xCD, 0, 1, kExt3, 6);
    EXPECT_EQ(record(6)[0x8040], 0xCD);
    EXPECT_TRUE(st->extChanged[2]);
    EXPECT_FALSE(st->extChanged[1]);

    storeBlockByte(*st, 0x5A, 3, 2, 4, 6);
    EXPECT_EQ(st->mapStore[blockOffset(6) + 4 * 4096 + 2 * 64 + 3], 0x5A);
    EXPECT_NE(st->planes.M4.at(3, 2), 0x5A);  // the working plane is the caller's business

    // Writes off the planes are ignored.
    Bytes store = st->mapStore;
    storeBlockByte(*st, 1, 64, 0, 0, 6);
    storeBlockByte(*st, 1, 0, 0, 6, 6);
    storeOutlineByte(*st, 1, 65, 0, 6);
    EXPECT_EQ(st->mapStore, store);
}

TEST_F(LoadedSet, OutsidePointWritesThePointAndItsOutline) {
    selectMap(*st, 9);
    setOutsidePoint(*st, 4, 10, 20, 9);
    EXPECT_EQ(st->planes.Ext5.at(10, 20), 4);
    EXPECT_EQ(record(9)[0xA000 + 20 * 65 + 10], 4);
    EXPECT_EQ(st->planes.Outline.at(10, 20), 22);
    EXPECT_EQ(st->mapStore[blockOffset(9) + 0x6000 + 20 * 65 + 10], 22);
    setOutsidePoint(*st, 3, 10, 20, 9);
    EXPECT_EQ(st->planes.Outline.at(10, 20), 6);
    EXPECT_TRUE(st->extChanged[3]);
}

TEST_F(LoadedSet, WriteBackCopiesTheWorkingPlanes) {
    selectMap(*st, 10);
    st->planes.Ext1.fill(7);
    st->planes.Ext2.fill(8);
    st->planes.Ext5.fill(9);
    st->planes.Outline.fill(22);
    writeExtPlaneBack(*st, 10, 0);
    writeExtPlaneBack(*st, 10, 1);
    writeOutsideBack(*st, 10);
    writeOutlineBack(*st, 10);
    selectMap(*st, 11);
    selectMap(*st, 10);
    EXPECT_EQ(st->planes.Ext1.at(100, 100), 7);
    EXPECT_EQ(st->planes.Ext2.at(0, 0), 8);
    EXPECT_EQ(st->planes.Ext5.at(64, 128), 9);
    EXPECT_EQ(st->planes.Outline.at(0, 0), 22);
}

TEST_F(LoadedSet, ClearMapZeroesOnlyThatMap) {
    Bytes store = st->mapStore;
    clearMap(*st, 6);
    EXPECT_TRUE(std::all_of(st->mapStore.begin() + blockOffset(6),
                            st->mapStore.begin() + blockOffset(7), [](auto b) { return b == 0; }));
    EXPECT_TRUE(std::equal(st->mapStore.begin() + blockOffset(7), st->mapStore.end(),
                           store.begin() + blockOffset(7)));
    EXPECT_TRUE(std::all_of(record(6), record(6) + kExtRecordSize, [](auto b) { return b == 0; }));
    Bytes file2 = test::makePatternMapFile(21, 2);
    EXPECT_TRUE(
        std::equal(record(7), record(7) + kExtRecordSize, file2.begin() + extRecordOffset(7)));
    EXPECT_FALSE(st->extChanged[2]);
}

TEST_F(LoadedSet, RecreateExtstreamEmptiesTheWholeFile) {
    selectMap(*st, 5);
    recreateExtstream(*st);
    EXPECT_TRUE(st->extChanged[2]);
    for (int n = 4; n <= 7; ++n)
        EXPECT_TRUE(
            std::all_of(record(n), record(n) + kExtRecordSize, [](auto b) { return b == 0; }));
    EXPECT_TRUE(std::equal(st->extStreams[2].begin(), st->extStreams[2].begin() + 328,
                           st->extStreams[1].begin()));
    EXPECT_EQ(st->extStreams[3], test::makePatternMapFile(21, 3));
}

TEST_F(LoadedSet, RecreatingMap01KeepsItsOwnHeader) {
    Bytes header(st->extStreams[1].begin(), st->extStreams[1].begin() + 328);
    selectMap(*st, 2);
    recreateExtstream(*st);
    EXPECT_TRUE(std::equal(header.begin(), header.end(), st->extStreams[1].begin()));
}

TEST_F(LoadedSet, SetHeaderCopiesMap01sHeaderWithoutMarking) {
    selectMap(*st, 30);
    setHeader(*st);
    EXPECT_TRUE(std::equal(st->extStreams[8].begin(), st->extStreams[8].begin() + 328,
                           st->extStreams[1].begin()));
    EXPECT_FALSE(st->extChanged[8]);
}

TEST(RefillFeatureCode, FollowsTheCodeTable) {
    auto st = makeEditorState();
    struct Case {
        test::CellSpec cell;
        int code;
    };
    const Case cases[] = {
        {{0, 0, 6, 0, 0, 32}, 3},    {{0x08, 0, 0, 0, 0, 32}, 3},  // land without domain first
        {{0, 0, 6, 0, 0, 1}, 3},     {{2, 8, 38, 0, 0, 1}, 3},    {{1, 8, 0, 0, 0, 1}, 63},
        {{3, 8, 46, 0, 0, 1}, 63},   {{4, 0, 22, 0, 0, 0}, 4},    {{8, 8, 30, 0, 0, 1}, 10},
        {{10, 8, 41, 0, 0, 1}, 10},  {{8, 4, 16, 0, 0, 1}, 32},   {{8, 4, 15, 0, 0, 1}, 40},
        {{16, 0, 6, 0, 0, 1}, 9},    {{18, 8, 38, 0, 0, 1}, 9},   {{32, 8, 80, 0, 0, 1}, 13},
        {{34, 8, 81, 0, 0, 1}, 13},  {{64, 12, 0, 1, 3, 1}, 28},  {{64, 12, 0, 0, 0, 1}, 5},
        {{128, 12, 0, 0, 0, 1}, 21}, {{130, 12, 20, 0, 0, 1}, 8}, {{128, 12, 30, 0, 0, 1}, 14},
        {{128, 12, 7, 0, 0, 1}, -1}, {{128, 0, 6, 1, 2, 1}, 27},  {{130, 8, 38, 0, 0, 1}, 15},
        {{0x41, 0, 0, 0, 0, 1}, -1},
    };
    for (const Case& c : cases) {
        test::putCell(*st, 0, 0, c.cell);
        EXPECT_EQ(refillFeatureCode(st->planes, 0, 0), c.code)
            << "M0=" << int(c.cell.m0) << " M1=" << int(c.cell.m1) << " M2=" << int(c.cell.m2);
    }
}

TEST_F(LoadedSet, RefillWritesExt3AndCodesButNotTheWorkingExt4) {
    selectMap(*st, 1);
    auto ext4 = st->planes.Ext4;
    test::putCell(*st, 3, 4, {1, 8, 0, 0, 0, 2});
    test::putCell(*st, 5, 6, {128, 12, 7, 0, 0, 2});
    std::uint8_t before = record(1)[0x9000 + 6 * 64 + 5];
    refillExt64(*st);
    EXPECT_EQ(record(1)[0x8000 + 4 * 64 + 3], 2);
    EXPECT_EQ(st->planes.Ext3.at(3, 4), 2);
    EXPECT_EQ(record(1)[0x9000 + 4 * 64 + 3], 63);
    EXPECT_EQ(record(1)[0x9000 + 6 * 64 + 5], before);  // no code for that cell
    EXPECT_EQ(st->planes.Ext4, ext4);
    EXPECT_TRUE(st->extChanged[1]);
}

TEST_F(LoadedSet, NameChangesRewriteTheLanguageEntries) {
    selectMap(*st, 7);
    setDomainName(*st, 16, "Eastmarch");
    EXPECT_TRUE(st->namesChanged);
    EXPECT_EQ(st->domainNames[7 * 20 + 16], "Eastmarch");
    EXPECT_EQ(st->curDomainNames[16], "Eastmarch");
    EXPECT_EQ(st->CountyTable[16].name, "Eastmarch");
    setMapName(*st, "Westreach");
    EXPECT_EQ(st->mapNames[7], "Westreach");

    auto again = makeEditorState();
    again->gameDir = again->pl8Dir = dir.path().string();
    test::TempDir out;
    saveMapSet(*st, out.path().string());
    loadMapSet(*again, out.path().string());
    EXPECT_EQ(again->mapNames[7], "Westreach");
    EXPECT_EQ(again->domainNames[7 * 20 + 16], "Eastmarch");
    EXPECT_EQ(again->domainNames[7 * 20 + 15], "County 7.15");
}

}  // namespace
}  // namespace d7
