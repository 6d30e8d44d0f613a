#include "core/edit/painting.h"

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

}  // namespace
}  // namespace d7::test
