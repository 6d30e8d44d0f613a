#include "render/selection_overlay.h"

#include <gtest/gtest.h>

namespace d7::render {
namespace {

const WindowView kView{2, 10, 20, 1000};

TEST(SelectionOverlay, RectangleOutlineRunsThroughTheOuterCornersWhateverTheCornerOrder) {
    const QPolygon outline = rectangleOutline(kView, {14, 25}, {12, 22});
    ASSERT_EQ(outline.size(), 5);
    EXPECT_EQ(outline[0], kView.top(12, 22));
    EXPECT_EQ(outline[1], kView.right(14, 22));
    EXPECT_EQ(outline[2], kView.bottom(14, 25));
    EXPECT_EQ(outline[3], kView.left(12, 25));
    EXPECT_EQ(outline[4], outline[0]);
    // The view origin's top corner is the window's top centre plus half a tile.
    EXPECT_EQ(kView.top(10, 20), QPoint(500 + 58, 0));

    const auto sides = rectangleSides(kView, {14, 25}, {12, 22});
    EXPECT_EQ(sides[0].cells, 3);  // along x
    EXPECT_EQ(sides[1].cells, 4);  // along y
    EXPECT_EQ(sides[2].cells, 3);
    EXPECT_EQ(sides[3].cells, 4);
    EXPECT_EQ(sides[0].middle, (outline[0] + outline[1]) / 2);
}

TEST(SelectionOverlay, LineCellsSpreadEvenlyAndEndAtTheSecondCorner) {
    const std::vector<QPoint> cells = lineCells({0, 0}, {3, 1});
    ASSERT_EQ(cells.size(), 5u);
    EXPECT_EQ(cells.front(), QPoint(0, 0));
    EXPECT_EQ(cells.back(), QPoint(3, 1));
    for (std::size_t i = 1; i < cells.size(); ++i) {
        const QPoint step = cells[i] - cells[i - 1];
        EXPECT_TRUE(step.x() >= 0 && step.x() <= 1 && step.y() >= 0 && step.y() <= 1) << i;
    }
    EXPECT_EQ(lineCells({5, 5}, {5, 5}), std::vector<QPoint>{QPoint(5, 5)});
    // Left corner, top corners, right corner, bottom corners back, closed.
    EXPECT_EQ(lineOutline(kView, {0, 0}, {3, 1}).size(), 1 + 5 + 1 + 5 + 1);
}

TEST(SelectionOverlay, ClosestTownsRankLaterDomainsFirstOnEqualDistanceAndSkipUnusedOnes) {
    AnalysisTables t;
    auto town = [&](int d, int x, int y) {
        t.CountyTable[std::size_t(d)].used = true;
        t.CountyTable[std::size_t(d)].townPos = {x, y};
    };
    town(2, 10, 14);                      // distance 4
    town(3, 13, 10);                      // distance 3
    town(5, 7, 10);                       // distance 3, found later: ranks before domain 3
    town(6, 30, 30);                      // fourth: not shown
    t.CountyTable[4].townPos = {10, 10};  // not used
    t.CountyTable[7].used = true;         // used, but no town
    const std::vector<NearTown> near = closestTowns(t, 10, 10);
    ASSERT_EQ(near.size(), 3u);
    EXPECT_EQ(near[0].domain, 5);
    EXPECT_EQ(near[1].domain, 3);
    EXPECT_EQ(near[2].domain, 2);
    EXPECT_EQ(near[2].distance, 4);
}

}  // namespace
}  // namespace d7::render
