#include <gtest/gtest.h>

#include "ui/windows/window_placement.h"

namespace d7::test {
namespace {

using ui::placeEditorWindows;

const ui::WindowSizes kSizes{{278, 530}, {1160, 900}, {256, 280}, {406, 540}};

void expectNoOverlap(const ui::WindowPlacement& p) {
    EXPECT_FALSE(p.main.intersects(p.map));
    EXPECT_FALSE(p.minimap.intersects(p.map));
    EXPECT_FALSE(p.minimap.intersects(p.main));
    EXPECT_FALSE(p.tiles.intersects(p.map));
    EXPECT_FALSE(p.tiles.intersects(p.minimap));
    EXPECT_FALSE(p.tiles.intersects(p.main));
}

TEST(WindowPlacement, WideScreenPutsEverythingInOneRow) {
    const auto p = placeEditorWindows(QRect(0, 0, 1920, 1080), kSizes);
    EXPECT_EQ(p.main.topLeft(), QPoint(0, 0));
    EXPECT_EQ(p.map, QRect(282, 0, 1160, 900));
    EXPECT_EQ(p.minimap.topLeft(), QPoint(1446, 0));
    EXPECT_EQ(p.tiles, QRect(1446, 284, 406, 540));
    expectNoOverlap(p);
}

TEST(WindowPlacement, NarrowerScreenNarrowsTheMapForTheColumnAtItsRight) {
    const auto p = placeEditorWindows(QRect(0, 0, 1440, 900), kSizes);
    EXPECT_EQ(p.tiles.right(), 1439);
    EXPECT_EQ(p.map.right() + 1 + ui::kWindowGap, p.minimap.left());
    expectNoOverlap(p);
}

TEST(WindowPlacement, SmallScreenKeepsEveryWindowOnIt) {
    const auto p = placeEditorWindows(QRect(0, 24, 1280, 720), kSizes);
    EXPECT_EQ(p.main.topLeft(), QPoint(0, 24));
    EXPECT_EQ(p.map.height(), 720);
    EXPECT_EQ(p.tiles.right(), 1279);
    // The palette scrolls in what is left of the screen's height.
    EXPECT_EQ(p.tiles.bottom(), 24 + 720 - 1);
    expectNoOverlap(p);
}

}  // namespace
}  // namespace d7::test
