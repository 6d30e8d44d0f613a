#include <gtest/gtest.h>

#include "core/model/map_access.h"
#include "core/model/map_set_maintenance.h"
#include "core/model/undo.h"
#include "support/map_builder.h"

namespace d7 {
namespace {

class Undo : public ::testing::Test {
  protected:
    void SetUp() override {
        test::writeMapSet(game.path(), 9);
        st = test::loadTestMapSet(game.path());
        selectMap(*st, 10);
        st->routeStale.fill(false);
    }
    // An editing command as every one runs: undo record first, then the cell
    // written through to the working planes, the map store and the Ext record.
    void edit(int x, int y, std::uint8_t value) {
        pushUndo(*st);
        st->planes.M0.at(x, y) = value;
        storeBlockByte(*st, value, x, y, 0, st->curMap);
        st->planes.Ext4.at(x, y) = value;
        extByte(*st, value, x, y, kExt4, st->curMap);
        setOutsidePoint(*st, value, x, y, st->curMap);
    }
    Bytes image() const {
        Bytes b(kMapImageSize);
        readMapImage(*st, st->curMap, b.data());
        return b;
    }
    test::TempDir game;
    std::unique_ptr<EditorState> st;
};

TEST_F(Undo, TwoEditsThenUndoRestoresTheStateAfterTheFirst) {
    edit(3, 4, 0x11);
    const Bytes afterFirst = image();
    const WorkingPlanes planesAfterFirst = st->planes;
    edit(5, 6, 0x22);
    ASSERT_NE(image(), afterFirst);

    undoLastEdit(*st);
    EXPECT_EQ(image(), afterFirst);
    EXPECT_TRUE(st->planes == planesAfterFirst);
    EXPECT_FALSE(st->undoValid);
    for (int t = 1; t <= 6; ++t) EXPECT_TRUE(st->routeStale[std::size_t(t)]) << t;

    // One level only: a second undo does nothing.
    st->routeStale.fill(false);
    undoLastEdit(*st);
    EXPECT_EQ(image(), afterFirst);
    EXPECT_FALSE(st->routeStale[1]);
}

TEST_F(Undo, RestoresPlanesButNotNames) {
    edit(1, 1, 0x01);
    setDomainName(*st, 2, "Renamed");
    undoLastEdit(*st);
    EXPECT_EQ(st->curDomainNames[2], "Renamed");
    EXPECT_EQ(st->domainNames[10 * 20 + 2], "Renamed");
}

TEST_F(Undo, NothingHappensRightAfterSelectingAMap) {
    edit(1, 2, 0x05);
    selectMap(*st, 11);
    EXPECT_FALSE(st->undoValid);
    st->routeStale.fill(false);  // the new map marked them; an undo without record must not
    const Bytes store = st->mapStore;
    const auto streams = st->extStreams;
    const auto changed = st->extChanged;
    undoLastEdit(*st);
    EXPECT_EQ(st->mapStore, store);
    EXPECT_EQ(st->extStreams, streams);
    EXPECT_EQ(st->extChanged, changed);
    EXPECT_FALSE(st->routeStale[1]);

    // Selecting the same map again drops the record too.
    edit(1, 2, 0x06);
    selectMap(*st, 11);
    undoLastEdit(*st);
    EXPECT_EQ(st->planes.M0.at(1, 2), 0x06);
}

TEST_F(Undo, WriteMapImageRefusesAShortImage) {
    Bytes shortImage(kMapImageSize - 1);
    const Bytes store = st->mapStore;
    EXPECT_THROW(writeMapImage(*st, shortImage), std::invalid_argument);
    EXPECT_EQ(st->mapStore, store);
}

}  // namespace
}  // namespace d7
