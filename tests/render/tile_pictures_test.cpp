#include "render/tile_pictures.h"

#include <gtest/gtest.h>

#include "render/brush_pictures.h"
#include "render/cell_labels.h"
#include "support/tileset_builder.h"

namespace d7::test {
namespace {

int countColour(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
    return n;
}

TEST(BrushPreview, CellsSitOnTheirDiamondsFromTheTopCentreDown) {
    BrushMask corner;
    corner.set(4, 4, true);
    const QImage image = render::makeBrushPreviewImage(corner, 2);
    ASSERT_EQ(image.size(), QSize(580, 300));
    // Cell (4, 4): top corner (290, 240), bottom corner at the picture's bottom edge.
    EXPECT_EQ(image.pixel(290, 240), render::kBrushOutline);
    EXPECT_GT(countColour(image.copy(280, 297, 21, 3), render::kBrushOutline), 0);
    EXPECT_EQ(image.pixel(290, 10), 0xFFFF00FFu);
    EXPECT_EQ(countColour(image.copy(0, 0, 580, 238), render::kBrushOutline), 0);

    const QImage top = render::makeBrushPreviewImage(BrushMask::centre(), 1);
    EXPECT_EQ(top.pixel(145, 60), render::kBrushOutline);  // cell (2, 2): top corner (145, 60)
    EXPECT_EQ(brushBounds(BrushMask::centre()), (BrushBounds{2, 2, 2, 2}));
    EXPECT_EQ(brushBounds(BrushMask{}), BrushBounds{});
}

TEST(SelectionFrame, YellowOutlineOnePixelInsideTheRightAndBottomEdges) {
    const QImage frame = render::makeSelectionFrameImage(1, 2);
    ASSERT_EQ(frame.size(), QSize(116, 60));
    EXPECT_EQ(frame.pixel(0, 0), render::kSelectionFrameColour);
    EXPECT_EQ(frame.pixel(114, 58), render::kSelectionFrameColour);
    EXPECT_EQ(frame.pixel(115, 59), render::kSelectionFrameTransparent);
    EXPECT_EQ(frame.pixel(50, 30), render::kSelectionFrameTransparent);
    EXPECT_EQ(render::makeSelectionFrameImage(3, 1).size(), QSize(174, 90));
}

TEST(TilePalettePictures, BlackUntilAMapIsLoadedThenDrawnFromTheTilesets) {
    auto st = makeEditorState();
    installTestGraphics(st->gfx);
    const auto blank = render::buildTilePalettes(*st, 2);
    EXPECT_EQ(blank[tiles::kBasePalette].width(), 812);
    EXPECT_EQ(countColour(blank[tiles::kBuildingPalette], tiles::kBlackPixel), 464 * 300);
    st->mapLoaded = true;
    const auto drawn = render::buildTilePalettes(*st, 2);
    // Frame 9 sits in row 1, column 2; its upper half shows its own mark.
    EXPECT_EQ(drawn[tiles::kBasePalette].pixel(2 * 116 + 58, 60 + 20), testPixel(frameMark(9)));

    // The map's cursor of the castle: its four frames in a 2 x 2 block.
    const auto castle = tiles::tileChoice(tiles::kBuildingPalette, tiles::kCastleIndex);
    const QImage cursor = render::makeTileCursorImage(st->gfx, *castle, 1);
    EXPECT_EQ(cursor.size(), QSize(116, 60));
    EXPECT_EQ(cursor.pixel(58, 10), testPixel(frameMark(0)));
    EXPECT_EQ(cursor.pixel(0, 0), render::kCursorTransparent);
}

}  // namespace
}  // namespace d7::test
