#include <gtest/gtest.h>

#include "core/model/auxiliary_planes.h"
#include "core/model/map_access.h"
#include "support/map_builder.h"

namespace d7 {
namespace {

class AuxiliaryPlanes : public ::testing::Test {
  protected:
    void SetUp() override {
        st = makeEditorState();
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) test::putCell(*st, x, y, {0, 0, 6, 0, 0, 32});
    }
    std::unique_ptr<EditorState> st;
};

TEST_F(AuxiliaryPlanes, MapWithoutDomainsGivesEmptyMaskAndImage) {
    st->planes.M5.at(3, 3) = 0;
    st->planes.Ext2.fill(77);
    buildDomainMask(*st);
    buildMinimapImage(*st);
    EXPECT_EQ(st->planes.Ext1, MinimapPlane{});
    EXPECT_EQ(st->planes.Ext2, MinimapPlane{});
}

TEST_F(AuxiliaryPlanes, DomainMaskCoversTwoPixelsPerCell) {
    st->planes.M5.at(0, 0) = 5;
    st->planes.M5.at(63, 0) = 7;
    st->planes.M5.at(0, 63) = 9;
    st->planes.M5.at(63, 63) = 16;
    buildDomainMask(*st);
    EXPECT_EQ(st->planes.Ext1.at(64, 0), 5);
    EXPECT_EQ(st->planes.Ext1.at(64, 1), 5);
    EXPECT_EQ(st->planes.Ext1.at(127, 63), 7);
    EXPECT_EQ(st->planes.Ext1.at(1, 64), 9);
    EXPECT_EQ(st->planes.Ext1.at(64, 127), 16);
    int set = 0;
    for (auto b : st->planes.Ext1.bytes) set += b != 0;
    EXPECT_EQ(set, 8);
}

TEST_F(AuxiliaryPlanes, MinimapImageMarksEdgesAroundAndInsideDomains) {
    for (int y = 10; y < 40; ++y)
        for (int x = 10; x < 40; ++x) st->planes.M5.at(x, y) = 3;
    buildDomainMask(*st);
    buildMinimapImage(*st);
    const auto& img = st->planes.Ext2;
    // Far outside the domain nothing is drawn; deep inside it is 11 or 12.
    EXPECT_EQ(img.at(2, 2), 0);
    const int inside = img.at(64, 50);
    EXPECT_TRUE(inside == 11 || inside == 12) << inside;
    // The top tip of the domain (cell (10, 10) at column 64, row 20) differs from
    // the pixel above it: an edge, with the rim value above.
    EXPECT_EQ(img.at(64, 20), 63);
    EXPECT_EQ(img.at(64, 19), 10);
    int edges = 0, rims = 0;
    for (auto b : img.bytes) {
        edges += b == 63;
        rims += b == 10;
    }
    EXPECT_GT(edges, 100);
    EXPECT_GT(rims, edges);
}

TEST_F(AuxiliaryPlanes, OutsideMapPlacesCellsOnTheirPoints) {
    st->planes.M0.at(0, 1) = 4;  // (1, 0) and (0, 1) share row 1, column 32; (0, 1) comes later
    buildOutsideMap(*st);
    EXPECT_EQ(st->planes.Ext5.at(32, 1), 4);
    st->planes.M0.at(0, 1) = 0;
    st->planes.M0.at(1, 0) = 4;
    buildOutsideMap(*st);
    EXPECT_EQ(st->planes.Ext5.at(32, 1), 3);
    EXPECT_EQ(st->planes.Ext5.at(0, 0), 9);
}

TEST_F(AuxiliaryPlanes, AllSeaMapGivesSeaPointsAndAFullOutline) {
    for (auto& b : st->planes.M0.bytes) b = 4;
    buildOutsideMap(*st);
    buildOutline(*st);
    int sea = 0, other = 0;
    for (auto b : st->planes.Ext5.bytes) {
        sea += b == 4;
        other += b == 9;
    }
    EXPECT_EQ(sea + other, kOutsideSize);
    EXPECT_GT(sea, 4000);
    // Rows 64..66 hold the middle of the map; the two ends of row 64 copy their neighbours.
    EXPECT_EQ(st->planes.Ext5.at(0, 64), 4);
    EXPECT_EQ(st->planes.Ext5.at(64, 64), 4);
    for (auto b : st->planes.Outline.bytes) ASSERT_EQ(b, 22);
}

TEST(AuxiliaryPlanesWriteBack, AllSubmapsReachTheMapSet) {
    test::TempDir dir;
    test::writeMapSet(dir.path(), 41);
    auto st = test::loadTestMapSet(dir.path());
    selectMap(*st, 22);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            test::putCell(
                *st, x, y,
                {std::uint8_t(x < 20 ? 4 : 0), 0, 6, 0, 0, std::uint8_t(x < 20 ? 0 : 1 + y / 8)});
    createAllSubmaps(*st);
    EXPECT_TRUE(st->extChanged[6]);
    auto planes = st->planes;
    selectMap(*st, 0);
    selectMap(*st, 22);
    EXPECT_EQ(st->planes.Ext1, planes.Ext1);
    EXPECT_EQ(st->planes.Ext2, planes.Ext2);
    EXPECT_EQ(st->planes.Ext5, planes.Ext5);
    EXPECT_EQ(st->planes.Outline, planes.Outline);
}

}  // namespace
}  // namespace d7
