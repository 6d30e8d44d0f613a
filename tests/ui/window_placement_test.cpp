#include <gtest/gtest.h>

#include "ui/window_placement.h"

namespace d7::test {
namespace {

using ui::placeEditorWindows;

const ui::WindowSizes kSizes{{278, 530}, {1160, 900}, {256, 280}};

void expectNoOverlap(const ui::WindowPlacement& p) {
    EXPECT_FALSE(p.main.intersects(p.map));
    EXPECT_FALSE(p.minimap.intersects(p.map));
    EXPECT_FALSE(p.minimap.intersects(p.main));
}

TEST(WindowPlacement, WideScreenPutsEverythingInOneRow) {
    const auto p = placeEditorWindows(QRect(0, 0, 1920, 1080), kSizes);
    EXPECT_EQ(p.main.topLeft(), QPoint(0, 0));
    EXPECT_EQ(p.map, QRect(282, 0, 1160, 900));
    EXPECT_EQ(p.minimap.topLeft(), QPoint(1446, 0));
    expectNoOverlap(p);
}

TEST(WindowPlacement, NarrowerScreenMovesTheMinimapUnderTheMainWindow) {
    const auto p = placeEditorWindows(QRect(0, 0, 1440, 900), kSizes);
    EXPECT_EQ(p.minimap.topLeft(), QPoint(0, 534));
    EXPECT_EQ(p.map.right(), 1439);
    expectNoOverlap(p);
}

TEST(WindowPlacement, SmallScreenNarrowsTheMapSoNothingCoversIt) {
    const auto p = placeEditorWindows(QRect(0, 24, 1280, 720), kSizes);
    EXPECT_EQ(p.main.topLeft(), QPoint(0, 24));
    EXPECT_EQ(p.map.height(), 720);
    EXPECT_EQ(p.minimap.right(), 1279);
    expectNoOverlap(p);
}

}  // namespace
}  // namespace d7::test
