#include "core/edit/painting.h"

#include "core/edit/placement.h"
#include "core/edit/roads.h"
#include "core/model/undo.h"
#include "edit_fixture.h"

namespace d7::test {
namespace {

class PaintingTest : public EditTest {};

TEST_F(PaintingTest, DomainClickGivesLandTheDomainWithAnUndoRecordAndLeavesSeaAlone) {
    sea(4, 4);
    st->undoValid = false;
    EXPECT_FALSE(paintCellDomain(*st, 4, 4, 7));
    EXPECT_FALSE(st->undoValid);
    EXPECT_EQ(st->planes.M5.at(4, 4), 0);
    EXPECT_FALSE(paintCellDomain(*st, 5, 5, 17));  // no domain number
    EXPECT_FALSE(paintCellDomain(*st, 64, 5, 7));
    EXPECT_FALSE(st->undoValid);

    EXPECT_TRUE(paintCellDomain(*st, 5, 5, 7));
    EXPECT_TRUE(st->undoValid);
    EXPECT_EQ(st->planes.M5.at(5, 5), 7);
    EXPECT_TRUE(st->CountyTable[7].used);  // the analysis pass ran
    expectConsistent();
    undoLastEdit(*st);
    EXPECT_EQ(st->planes.M5.at(5, 5), 1);
}

BrushMask square3() {
    BrushMask m;
    for (int x = 1; x <= 3; ++x)
        for (int y = 1; y <= 3; ++y) m.set(x, y, true);
    return m;
}

TEST_F(PaintingTest, DomainBrushWithoutOverwriteSkipsEveryCellThatHasADomainIncluding32) {
    domainRect(10, 10, 12, 10, 0);
    domainRect(10, 11, 12, 11, kLandWithoutDomain);  // row 12 keeps domain 1
    sea(11, 10);
    ASSERT_TRUE(applyBrush(*st, 9, 9, square3(), BrushFill::DomainNoOverwrite, 7));
    EXPECT_EQ(st->planes.M5.at(10, 10), 7);
    EXPECT_EQ(st->planes.M5.at(12, 10), 7);
    EXPECT_EQ(st->planes.M5.at(11, 10), 0);  // sea stays sea without "Overwrite Sea?"
    EXPECT_EQ(st->planes.M0.at(11, 10), flags::kSea);
    for (int x = 10; x <= 12; ++x) {
        EXPECT_EQ(st->planes.M5.at(x, 11), kLandWithoutDomain) << x;
        EXPECT_EQ(st->planes.M5.at(x, 12), 1) << x;
    }
    EXPECT_TRUE(st->undoValid);
    expectConsistent();

    ASSERT_TRUE(applyBrush(*st, 9, 9, square3(), BrushFill::Domain, 7, true));
    EXPECT_EQ(st->planes.M5.at(11, 10), 7);  // overwritten sea becomes land of the domain
    EXPECT_EQ(st->planes.M0.at(11, 10), 0);
    EXPECT_EQ(st->planes.M5.at(10, 12), 7);
    EXPECT_FALSE(applyBrush(*st, 9, 9, square3(), BrushFill::Domain, 17));
    expectConsistent();
}

TEST_F(PaintingTest, RoadBrushJoinsItsCellsAndALoneCellIsWrittenThroughToo) {
    BrushMask line;
    for (int x = 0; x < kBrushSide; ++x) line.set(x, 2, true);
    ASSERT_TRUE(applyBrush(*st, 20, 18, line, BrushFill::Road));
    for (int x = 20; x <= 24; ++x) {
        EXPECT_EQ(st->planes.M0.at(x, 20), flags::kRoad) << x;
        EXPECT_EQ(st->planes.M2.at(x, 20) / 4, roadTileFor(st->planes, x, 20) / 4) << x;
    }
    // The centre cell alone has no road neighbour: it still reaches the map store.
    ASSERT_TRUE(applyBrush(*st, 38, 38, BrushMask::centre(), BrushFill::Road));
    EXPECT_EQ(st->planes.M0.at(40, 40), flags::kRoad);
    EXPECT_EQ(storeByte(0, 40, 40), flags::kRoad);
    expectConsistent();
}

TEST_F(PaintingTest, BrushRemovesCastlesUnderItAndSkipsCellsOffTheMap) {
    ScriptedPrompt prompt(true);
    placeTile(*st, prompt, 30, 30, building::kCastle, 2, TileKind::Buildings);
    ASSERT_EQ(st->CountyTable[1].castles, 1);
    ASSERT_TRUE(applyBrush(*st, 29, 29, BrushMask::centre(), BrushFill::Field));  // (31, 31)
    EXPECT_EQ(st->CountyTable[1].castles, 0);
    EXPECT_EQ(st->planes.M0.at(31, 31), flags::kField);
    EXPECT_EQ(st->CountyTable[1].fields, 1);

    ASSERT_TRUE(applyBrush(*st, 61, 61, square3(), BrushFill::Forest));  // 4 of 9 on the map
    EXPECT_EQ(st->planes.M0.at(63, 63), flags::kUnpassable);
    EXPECT_EQ(st->planes.M0.at(62, 62), flags::kUnpassable);
    expectConsistent();
}

}  // namespace
}  // namespace d7::test
