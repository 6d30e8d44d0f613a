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

TEST(WindowPlacement, LaterWindowsGoBesideTheMapWhereTheScreenAllows) {
    const QSize report(440, 520), traders(830, 560);
    // A very wide screen has room right of the column.
    const QRect wide(0, 0, 2560, 1440);
    const auto pw = placeEditorWindows(wide, kSizes);
    const QRect r(ui::placeBeside(wide, pw, report), report);
    EXPECT_EQ(r.left(), pw.tiles.right() + 1 + ui::kWindowGap);
    EXPECT_FALSE(r.intersects(pw.map));
    // Below the main window when the screen is tall enough.
    const QRect tall(0, 0, 1920, 1200);
    const auto pt = placeEditorWindows(tall, kSizes);
    const QRect narrow(ui::placeBeside(tall, pt, QSize(270, 400)), QSize(270, 400));
    EXPECT_EQ(narrow.topLeft(), QPoint(0, pt.main.bottom() + 1 + ui::kWindowGap));
    // Else over the column, never over the map, while the window is no wider than the column.
    const QRect hd(0, 0, 1920, 1080);
    const auto ph = placeEditorWindows(hd, kSizes);
    const QRect over(ui::placeBeside(hd, ph, report), report);
    EXPECT_FALSE(over.intersects(ph.map));
    EXPECT_TRUE(hd.contains(over));
    // A window too big to miss the map stays on the screen, covering less than half of it.
    const QRect big(ui::placeBeside(hd, ph, traders), traders);
    EXPECT_TRUE(hd.contains(big));
    const QRect covered = big.intersected(ph.map);
    EXPECT_LT(covered.width() * covered.height(), traders.width() * traders.height() / 2);
}

TEST(WindowPlacement, ASavedPlaceCountsOnlyWhenItsTitleStripIsOnAScreen) {
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    EXPECT_TRUE(ui::reachableOnScreens(QRect(100, 100, 400, 300), screens));
    EXPECT_TRUE(ui::reachableOnScreens(QRect(2000, 900, 400, 300), screens));   // second screen
    EXPECT_TRUE(ui::reachableOnScreens(QRect(-300, 10, 400, 300), screens));    // 100 px still on
    EXPECT_FALSE(ui::reachableOnScreens(QRect(-380, 10, 400, 300), screens));   // 20 px: too little
    EXPECT_FALSE(ui::reachableOnScreens(QRect(3300, 10, 400, 300), screens));   // right of both
    EXPECT_FALSE(ui::reachableOnScreens(QRect(100, -200, 400, 300), screens));  // title above
    EXPECT_FALSE(ui::reachableOnScreens(QRect(100, 100, 400, 300), {}));
}

}  // namespace
}  // namespace d7::test
