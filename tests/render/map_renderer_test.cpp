#include "render/map_renderer.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <algorithm>

#include "core/tiles/graphics_commands.h"
#include "render/cell_labels.h"
#include "render/map_window_view.h"
#include "render_fixture.h"

namespace d7 {
namespace {

using test::CellSpec;
using test::frameMark;
using test::kindMark;
using test::testPixel;

constexpr std::uint32_t kBlack = tiles::kBlackPixel;

class MapPicture : public test::RenderTest {};

TEST_F(MapPicture, SizeFollowsTheZoomAtTheNextFullRedraw) {
    EXPECT_EQ(renderer.width(), 3712);
    EXPECT_EQ(renderer.height(), 1920);
    st->view.zoom = 2;
    renderer.redrawMap();
    EXPECT_EQ(renderer.width(), 7424);
    EXPECT_EQ(renderer.height(), 3840);
    EXPECT_EQ(renderer.zoom(), 2);
    EXPECT_EQ(renderer.picture().size(), QSize(7424, 3840));
    st->view.zoom = 1;
    renderer.redrawMap();
    EXPECT_EQ(renderer.width(), 3712);
}

TEST_F(MapPicture, NothingButBlackWhenNotReady) {
    int repaints = 0;
    renderer.setRepaintRequest([&] { ++repaints; });
    renderer.redrawMap();
    EXPECT_NE(upperHalf(5, 5), kBlack);
    st->gfx.tilesetsLoaded = false;
    renderer.redrawMap();
    EXPECT_TRUE(std::all_of(renderer.pixels().begin(), renderer.pixels().end(),
                            [](std::uint32_t p) { return p == kBlack; }));
    EXPECT_EQ(repaints, 2);
    renderer.redrawCell(5, 5);
    EXPECT_EQ(upperHalf(5, 5), kBlack);
}

TEST_F(MapPicture, EachCellShowsTheFrameOfItsTileset) {
    test::putCell(*st, 3, 4, CellSpec{0, 4, 7});      // mountain tiles
    test::putCell(*st, 4, 4, CellSpec{0x01, 8, 9});   // road tiles
    test::putCell(*st, 5, 4, CellSpec{0x40, 12, 0});  // a town cell: frame 47
    test::putCell(*st, 6, 4, CellSpec{0x41, 12, 2});  // town tileset, not exactly a town cell
    test::putCell(*st, 7, 4, CellSpec{0x00, 3, 11});  // any other code: base tiles
    for (int z : {1, 2}) {
        st->view.zoom = z;
        renderer.redrawMap();
        EXPECT_EQ(upperHalf(3, 4), testPixel(frameMark(7)));
        EXPECT_EQ(lowerHalf(3, 4), testPixel(kindMark(tiles::kMountainTiles, 0)));
        EXPECT_EQ(upperHalf(4, 4), testPixel(frameMark(9)));
        EXPECT_EQ(lowerHalf(4, 4), testPixel(kindMark(tiles::kRoadTiles, 0)));
        EXPECT_EQ(upperHalf(5, 4), testPixel(frameMark(47)));
        EXPECT_EQ(lowerHalf(5, 4), testPixel(kindMark(tiles::kTownTiles, 0)));
        EXPECT_EQ(upperHalf(6, 4), testPixel(frameMark(2)));
        EXPECT_EQ(upperHalf(7, 4), testPixel(frameMark(11)));
        EXPECT_EQ(lowerHalf(7, 4), testPixel(kindMark(tiles::kBaseTiles, 0)));
    }
}

// Every row of the picture shows one unbroken run of tiles: the diamonds of
// neighbouring cells meet without a gap, and the run follows the map's
// outline. In the upper half the left edge of row y = 15k + r (r < 15) is
// the left end of row r of cell (0, k): 1855 - 29k - 2r; the picture is
// symmetric left to right and top to bottom.
TEST_F(MapPicture, TilesMeetWithoutGaps) {
    for (int z : {1, 2}) {
        st->view.zoom = z;
        renderer.redrawMap();
        const int w = renderer.width();
        for (int y = 0; y < renderer.height(); ++y) {
            const std::uint32_t* row = renderer.pixels().data() + std::size_t(y) * w;
            int first = 0, last = w - 1;
            while (first < w && row[first] == kBlack) ++first;
            while (last >= 0 && row[last] == kBlack) --last;
            ASSERT_LE(first, last) << "empty row " << y;
            ASSERT_EQ(std::count(row + first, row + last + 1, kBlack), 0)
                << "gap in row " << y << " zoom " << z;
            const int y1 = std::min(y, renderer.height() - 1 - y) / z;
            const int left = 1855 - 29 * (y1 / 15) - 2 * (y1 % 15);
            ASSERT_EQ(first, left * z) << "row " << y << " zoom " << z;
            ASSERT_EQ(last, w - 1 - left * z) << "row " << y << " zoom " << z;
        }
    }
}

// The tile pass works through the picture in bands; the result must be that
// of drawing whole frames one after the other, over any previous picture.
TEST_F(MapPicture, TheTilePassEqualsDrawingEveryFrameInTurn) {
    Random rng(5);
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
            // Mountains with layers reaching into the band above, frames beyond
            // the tileset's count (drawn as nothing), base and road tiles.
            const std::uint8_t m1 = std::array<std::uint8_t, 3>{0, 4, 8}[std::size_t(rng.below(3))];
            test::putCell(*st, x, y, CellSpec{0, m1, std::uint8_t(rng.below(70))});
        }
    }
    for (int z : {2, 1}) {
        st->view.zoom = z;
        st->gfx.tilesetsLoaded = true;
        renderer.redrawMap();  // leaves a picture behind for the next redraw
        st->planes.M2.at(7, 9) = 200;
        renderer.redrawMap();
        std::vector<std::uint32_t> expected(std::size_t(renderer.width()) * renderer.height(),
                                            kBlack);
        const tiles::PixelTarget target{expected.data(), renderer.width(), renderer.height(),
                                        renderer.width()};
        for (int y = 0; y < kGrid; ++y) {
            for (int x = 0; x < kGrid; ++x) {
                const auto source = drawSource(st->planes, x, y);
                const PixelPoint at = cellToScreen(x, y, z);
                tiles::drawFrame(target, st->gfx.tilesets[std::size_t(source->tileset)],
                                 st->gfx.palette, source->frame, z, at.x, at.y);
            }
        }
        ASSERT_TRUE(std::equal(expected.begin(), expected.end(), renderer.pixels().begin()))
            << "zoom " << z;
        EXPECT_EQ(upperHalf(7, 9), kBlack);
        st->planes.M2.at(7, 9) = 0;
    }
}

TEST_F(MapPicture, CastlePartsAndVillagesAreDrawnOverTheirTiles) {
    test::putCell(*st, 10, 10, CellSpec{0x80, 0, 0, 0});
    test::putCell(*st, 11, 10, CellSpec{0x80, 0, 0, 1});
    test::putCell(*st, 10, 11, CellSpec{0x80, 0, 0, 2});
    test::putCell(*st, 11, 11, CellSpec{0x80, 0, 0, 3});
    test::putCell(*st, 20, 10, CellSpec{0x80, 0, 13, 5});  // unusual part: frame M2
    test::putCell(*st, 21, 10, CellSpec{0x80, 12, 3, 0});  // a resource, not a castle
    test::putCell(*st, 22, 10, CellSpec{0x10, 0, 4});      // a village
    renderer.redrawMap();
    const auto castle = testPixel(kindMark(tiles::kCastleTiles, 0));
    EXPECT_EQ(upperHalf(10, 10), testPixel(frameMark(8)));
    EXPECT_EQ(upperHalf(11, 10), testPixel(frameMark(10)));
    EXPECT_EQ(upperHalf(10, 11), testPixel(frameMark(9)));
    EXPECT_EQ(upperHalf(11, 11), testPixel(frameMark(11)));
    EXPECT_EQ(lowerHalf(11, 11), castle);
    EXPECT_EQ(upperHalf(20, 10), testPixel(frameMark(13)));
    EXPECT_EQ(lowerHalf(20, 10), castle);
    EXPECT_EQ(upperHalf(21, 10), testPixel(frameMark(3)));
    EXPECT_EQ(lowerHalf(21, 10), testPixel(kindMark(tiles::kTownTiles, 0)));
    EXPECT_EQ(upperHalf(22, 10), testPixel(frameMark(59)));
    EXPECT_EQ(lowerHalf(22, 10), testPixel(kindMark(tiles::kTownTiles, 0)));
}

TEST_F(MapPicture, PlacedPiecesShowWhatTheFullRedrawShows) {
    renderer.redrawMap();
    const int frameOfPart[4] = {8, 10, 9, 11};
    for (int part = 0; part < 4; ++part) {
        test::putCell(*st, 30 + part, 5, CellSpec{0x80, 0, 0, std::uint8_t(part)});
        st->sink->buildingPieceChanged(30 + part, 5, flags::kBuilding);
        EXPECT_EQ(upperHalf(30 + part, 5), testPixel(frameMark(frameOfPart[part]))) << part;
        EXPECT_EQ(lowerHalf(30 + part, 5), testPixel(kindMark(tiles::kCastleTiles, 0)));
    }
    test::putCell(*st, 40, 5, CellSpec{0x10, 0, 0});
    st->sink->buildingPieceChanged(40, 5, flags::kVillage);
    EXPECT_EQ(upperHalf(40, 5), testPixel(frameMark(59)));
}

TEST_F(MapPicture, AChangedCellIsRedrawnAloneThroughTheSink) {
    renderer.redrawMap();
    const auto before = renderer.pixels();
    const std::vector<std::uint32_t> old(before.begin(), before.end());
    test::putCell(*st, 12, 30, CellSpec{0, 8, 5});
    st->sink->cellChanged(12, 30);
    EXPECT_EQ(upperHalf(12, 30), testPixel(frameMark(5)));
    EXPECT_EQ(upperHalf(13, 30), testPixel(frameMark(0)));
    // Only pixels of the cell's diamond changed.
    const PixelPoint box = cellToScreen(12, 30, 1);
    for (int y = 0; y < renderer.height(); ++y) {
        for (int x = 0; x < renderer.width(); ++x) {
            if (renderer.pixel(x, y) == old[std::size_t(y) * renderer.width() + x]) continue;
            ASSERT_TRUE(x >= box.x && x < box.x + 58 && y >= box.y && y < box.y + 30)
                << x << "," << y;
        }
    }
    st->sink->cellChanged(64, 0);  // off the map: nothing
    st->sink->cellChanged(-1, 5);
}

TEST_F(MapPicture, DomainViewLabelsEveryCellWithADomainInItsColour) {
    st->planes.M5.at(20, 20) = 1;   // set 3 entry 1: red
    st->planes.M5.at(40, 40) = 32;  // land without domain: white
    st->view.viewMode = 1;
    renderer.redrawMap();
    const PixelPoint centre = cellToScreen(20, 20, 1);
    int red = 0;
    for (int y = 0; y < renderer.height(); ++y) {
        for (int x = 0; x < renderer.width(); ++x) {
            if (tiles::rgbOf(renderer.pixel(x, y)) != 0xFF0000) continue;
            ++red;
            ASSERT_LT(std::abs(x - (centre.x + 29)), 29);
            ASSERT_LT(std::abs(y - (centre.y + 15)), 15);
        }
    }
    EXPECT_GT(red, 5);
    const int white = countInBox(40, 40, 0xFFFFFF);
    EXPECT_GT(white, 5);
    // Cells of domain 0 carry no label: the rest of the picture is the map view's.
    std::vector<std::uint32_t> domainView(renderer.pixels().begin(), renderer.pixels().end());
    EXPECT_TRUE(renderer.setViewMode(0));
    int differing = 0;
    for (std::size_t i = 0; i < domainView.size(); ++i)
        differing += domainView[i] != renderer.pixels()[i];
    EXPECT_EQ(differing, red + white);
}

TEST_F(MapPicture, DarkColoursAndPaletteReachThePicture) {
    st->planes.M5.at(20, 20) = 1;
    st->view.viewMode = 1;
    renderer.redrawMap();
    EXPECT_TRUE(tiles::chooseBrightness(*st, true));  // redraws through the sink
    EXPECT_EQ(countInBox(20, 20, 0xFF0000), 0);
    EXPECT_GT(countInBox(20, 20, 0x800000), 5);  // table A entry 1
    EXPECT_EQ(boxPixel(5, 5, 29, 7), testPixel(frameMark(0), 1.5));
}

TEST_F(MapPicture, RedrawnCellsCarryTheirViewsLabels) {
    renderer.redrawMap();
    st->planes.M5.at(20, 20) = 1;
    renderer.redrawCell(20, 20);
    EXPECT_EQ(countInBox(20, 20, 0xFF0000), 0);  // map view: no label
    st->view.viewMode = 1;
    renderer.redrawCell(20, 20);
    EXPECT_GT(countInBox(20, 20, 0xFF0000), 5);
}

TEST_F(MapPicture, BlacksmithsAreShownWhenCheckedAndLeaveNoTraceWhenMoved) {
    st->CountyTable[2].used = true;
    st->CountyTable[2].smithPos = {12, 12};
    st->CountyTable[3].smithPos = {14, 14};  // a domain not in use
    renderer.redrawMap();
    EXPECT_EQ(upperHalf(12, 12), testPixel(frameMark(0)));
    st->view.showBlacksmiths = true;
    renderer.redrawMap();
    EXPECT_EQ(upperHalf(12, 12), testPixel(frameMark(10)));
    EXPECT_EQ(lowerHalf(12, 12), testPixel(kindMark(tiles::kTownTiles, 0)));
    EXPECT_EQ(upperHalf(14, 14), testPixel(frameMark(0)));
    // The blacksmith moves: the picture read next shows it on its new cell
    // only.
    st->CountyTable[2].smithPos = {10, 12};
    EXPECT_EQ(upperHalf(10, 12), testPixel(frameMark(10)));
    EXPECT_EQ(upperHalf(12, 12), testPixel(frameMark(0)));
    EXPECT_EQ(lowerHalf(12, 12), testPixel(kindMark(tiles::kBaseTiles, 0)));
    // Positions off the map (a table not filled by the analysis) are ignored.
    st->CountyTable[2].smithPos = {70, 3};
    EXPECT_EQ(upperHalf(10, 12), testPixel(frameMark(0)));
}

TEST_F(MapPicture, ViewModeChangesOnlyWhenDifferent) {
    int repaints = 0;
    renderer.setRepaintRequest([&] { ++repaints; });
    EXPECT_FALSE(renderer.setViewMode(0));
    EXPECT_EQ(repaints, 0);
    EXPECT_TRUE(renderer.setViewMode(1));
    EXPECT_EQ(st->view.viewMode, 1);
    EXPECT_FALSE(renderer.setViewMode(1));
    EXPECT_FALSE(renderer.setViewMode(7));
    EXPECT_EQ(repaints, 1);
}

TEST_F(MapPicture, TheWindowShowsTheBlockAtTheScrollOffsets) {
    for (int z : {1, 2}) {
        st->view.zoom = z;
        renderer.redrawMap();
        const int w = 301, h = 200;
        const QImage window = renderer.windowImage(30, 20, w, h);
        const int sx = render::scrollX(z, 30, 20, w), sy = render::scrollY(z, 30, 20);
        EXPECT_EQ(sx, z * (29 * 10 + 1827) - 150);
        EXPECT_EQ(sy, z * 15 * 50);
        for (int y = 0; y < h; y += 7)
            for (int x = 0; x < w; x += 5)
                ASSERT_EQ(window.pixel(x, y), renderer.pixel(sx + x, sy + y)) << x << "," << y;
        // The top corner of a cell in the window is its box's top corner less the scroll.
        for (auto [cx, cy] : {std::pair{30, 20}, std::pair{31, 25}, std::pair{0, 63}}) {
            const PixelPoint top = render::windowCellTop(z, 30, 20, w, cx, cy);
            const PixelPoint box = cellToScreen(cx, cy, z);
            EXPECT_EQ(top.x + sx, box.x + 29 * z);
            EXPECT_EQ(top.y + sy, box.y);
        }
    }
}

TEST_F(MapPicture, BeyondThePictureTheWindowStaysBlack) {
    renderer.redrawMap();
    const int w = 400, h = 300;
    // Origin at the right corner: the right half of the window lies beyond the picture.
    const QImage right = renderer.windowImage(63, 0, w, h);
    const int sx = render::scrollX(1, 63, 0, w);
    for (int y = 0; y < h; y += 3) {
        for (int x = 0; x < w; x += 3) {
            if (sx + x >= renderer.width())
                ASSERT_EQ(right.pixel(x, y), kBlack) << x << "," << y;
            else
                ASSERT_EQ(right.pixel(x, y), renderer.pixel(sx + x, 945 + y)) << x << "," << y;
        }
    }
    // Origin at the bottom corner: rows below 1920 are black.
    const QImage bottom = renderer.windowImage(63, 63, w, h);
    const int sy = render::scrollY(1, 63, 63);
    EXPECT_EQ(sy, 1890);
    EXPECT_NE(bottom.pixel(w / 2 + 29, 20), kBlack);  // inside cell (63, 63)
    for (int y = 1920 - sy; y < h; ++y) ASSERT_EQ(bottom.pixel(w / 2 + 29, y), kBlack);
    // Origin at the left corner with a wide window: columns left of the picture are black.
    const QImage left = renderer.windowImage(0, 63, 1000, 100);
    EXPECT_EQ(render::scrollX(1, 0, 63, 1000), -500);
    EXPECT_EQ(left.pixel(499, 5), kBlack);
    EXPECT_EQ(left.pixel(500, 5), renderer.pixel(0, 945 + 5));
    // Not ready: all black.
    st->mapLoaded = false;
    const QImage none = renderer.windowImage(30, 30, 50, 50);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x) ASSERT_EQ(none.pixel(x, y), kBlack);
}

TEST(DomainCursor, IsAFilledLabelOnMagenta) {
    tiles::ColourSets sets;  // domain set 3: domain 2 is #00FF00
    for (int z : {1, 2}) {
        const QImage image = render::makeDomainCursorImage(2, z, sets);
        ASSERT_EQ(image.size(), QSize(58 * z, 30 * z));
        int magenta = 0, green = 0, black = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                magenta += p == render::kCursorTransparent;
                green += p == 0xFF00FF00;
                black += p == 0xFF000000;
            }
        }
        EXPECT_EQ(image.pixel(0, 0), render::kCursorTransparent);
        EXPECT_GT(green, 20 * z * z);  // the rectangle behind the text
        EXPECT_GT(black, 10);          // the text
        EXPECT_EQ(magenta + green + black, image.width() * image.height());
    }
    const QImage none = render::makeDomainCursorImage(0, 1, sets);
    EXPECT_EQ(none.pixel(29, 15), render::kCursorTransparent);
}

}  // namespace
}  // namespace d7
