#include "core/edit/map_scale.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/edit/geometry.h"
#include "core/model/editor_state.h"

namespace d7 {
namespace {

// The pixel of the shown picture under cell (x, y)'s centre at size q.
Point shownCentre(int x, int y, int q) {
    return {shownCoordinate(q, 29 * (x - y) + 1856), shownCoordinate(q, 15 * (x + y) + 15)};
}

TEST(MapScale, EveryCellsCentreMapsBackToTheCellAtEverySize) {
    for (int q : kMapSizes)
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x) {
                const Point c = shownCentre(x, y, q);
                ASSERT_EQ(shownPixelToCell(c.x, c.y, q), (Point{x, y}))
                    << "cell " << x << "," << y << " size " << q;
            }
}

TEST(MapScale, AtOneHundredAndTwoHundredPercentItIsThePicturesOwnProjection) {
    for (int z : {1, 2}) {
        for (int py = -40; py < kMapPictureHeight * z + 40; py += 7)
            for (int px = -40; px < kMapPictureWidth * z + 40; px += 13)
                ASSERT_EQ(shownPixelToCell(px, py, 4 * z), screenToCell(px, py, z))
                    << px << "," << py << " zoom " << z;
        EXPECT_EQ(shownScrollX(4 * z, 20, 10, 1160), z * (29 * 10 + 1827) - 580);
        EXPECT_EQ(shownScrollY(4 * z, 20, 10), z * 15 * 30);
    }
}

TEST(MapScale, SizesStepAndSetZoomAndShrinkTogether) {
    EXPECT_EQ(steppedMapSize(kQuarterSize, -1), kQuarterSize);
    EXPECT_EQ(steppedMapSize(kQuarterSize, 1), kHalfSize);
    EXPECT_EQ(steppedMapSize(kFullSize, 1), kDoubleSize);
    EXPECT_EQ(steppedMapSize(kDoubleSize, 1), kDoubleSize);
    EXPECT_EQ(steppedMapSize(kDoubleSize, -1), kFullSize);
    ViewState view;
    for (int q : kMapSizes) {
        setMapSize(view, q);
        EXPECT_EQ(mapSizeOf(view), q);
        EXPECT_EQ(view.zoom, q == kDoubleSize ? 2 : 1);
    }
    setMapSize(view, 3);  // not a size: nothing changes
    EXPECT_EQ(mapSizeOf(view), kDoubleSize);
}

TEST(MapScale, FitMapChoosesTheLargestSizeThatShowsTheWholeMap) {
    EXPECT_EQ(fitMapSize(1160, 900), kQuarterSize);
    EXPECT_EQ(fitMapSize(2000, 1000), kHalfSize);
    EXPECT_EQ(fitMapSize(3900, 1920), kFullSize);
    EXPECT_EQ(fitMapSize(8000, 4000), kDoubleSize);
    EXPECT_EQ(fitMapSize(300, 200), kQuarterSize);  // none fits: the smallest
    // The origin's box starts at the top centre, so the map lies a little to
    // the right: as wide as the picture is not wide enough.
    EXPECT_FALSE(wholeMapFits(kQuarterSize, 928, 480));
    EXPECT_TRUE(wholeMapFits(kQuarterSize, 944, 480));
    EXPECT_FALSE(wholeMapFits(kQuarterSize, 944, 479));
}

TEST(MapScale, CellSpaceHasEachCellsTopCornerAtItsCoordinates) {
    for (int q : kMapSizes) {
        const CellSpacePoint top =
            shownPixelToCellSpace(q * (29 * (5 - 9) + 1856) / 4.0, q * 15 * (5 + 9) / 4.0, q);
        EXPECT_NEAR(top.x, 5, 1e-9);
        EXPECT_NEAR(top.y, 9, 1e-9);
    }
}

TEST(MapScale, ZoomingAboutAPointKeepsTheCellUnderIt) {
    const int w = 1160;
    for (int q : kMapSizes)
        for (Point c : {Point{30, 30}, Point{20, 40}, Point{40, 20}}) {
            const int wx = 580, wy = 100;
            const Point o = originKeepingPoint({c.x + 0.5, c.y + 0.5}, wx, wy, w, q);
            const Point under = shownPixelToCell(wx + shownScrollX(q, o.x, o.y, w),
                                                 wy + shownScrollY(q, o.x, o.y), q);
            // The origin is a whole cell: half a cell off each way at most.
            EXPECT_LE(std::abs(under.x - c.x) + std::abs(under.y - c.y), 2)
                << "size " << q << " cell " << c.x << "," << c.y;
        }
    EXPECT_EQ(originKeepingPoint({0.5, 0.5}, 1000, 800, w, kDoubleSize), (Point{0, 0}));
}

}  // namespace
}  // namespace d7
