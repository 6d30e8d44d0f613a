#include <gtest/gtest.h>

#include "core/edit/bitmap_generators.h"
#include "core/model/auxiliary_planes.h"
#include "core/model/map_access.h"
#include "core/model/plane_bitmaps.h"
#include "core/tiles/overlay_colours.h"
#include "core/tiles/palette.h"
#include "core/tiles/test_pictures.h"
#include "support/map_builder.h"
#include "support/tileset_builder.h"

namespace d7 {
namespace {

using tiles::PixelGrid;

class PlaneBitmaps : public ::testing::Test {
  protected:
    void SetUp() override {
        test::writeMapSet(dir.path(), 23);
        st = test::loadTestMapSet(dir.path());
        selectMap(*st, 9);
        test::installTestGraphics(st->gfx);
        st->mapLoaded = true;
    }
    test::TempDir dir;
    std::unique_ptr<EditorState> st;
};

TEST_F(PlaneBitmaps, ExportThenImportReproducesThePlaneOnlyUnderTheSameBrightness) {
    for (int i = 0; i < kMinimapSize; ++i)
        st->planes.Ext1.bytes[std::size_t(i)] = std::uint8_t(i * 7);
    const MinimapPlane mask = st->planes.Ext1;
    const PixelGrid picture = exportPlanePicture(*st, PicturePlane::DomainMask);
    ASSERT_EQ(picture.width, 128);
    EXPECT_EQ(picture.at(5, 2), test::testPixel(mask.at(5, 2)));  // pixel (c, r) = byte (c, r)

    ScriptedPrompt prompt(false);
    st->planes.Ext1.fill(0);
    EXPECT_TRUE(importDomainMask(*st, prompt, picture));
    EXPECT_EQ(st->planes.Ext1, mask);
    selectMap(*st, 9);  // written back into the record
    EXPECT_EQ(st->planes.Ext1, mask);

    // Under "Dark" a bright colour is another entry's colour at best; no entry
    // of the test palette from 128 on has a dark twin.
    tiles::computePaletteTables(st->gfx.palette, tiles::kDarkFactor);
    importDomainMask(*st, prompt, picture);
    for (std::size_t i = 0; i < mask.bytes.size(); ++i)
        ASSERT_TRUE(mask.bytes[i] < 128 || st->planes.Ext1.bytes[i] == 0) << i;
}

// A colour that several entries share takes the lowest of them; a colour no
// entry has becomes 0. Crowded colours (all entries two apart) stay apart.
TEST(PictureToPlane, TakesTheLowestIndexOfAColourAndZeroForOthers) {
    tiles::Palette palette;
    for (std::size_t i = 0; i < 256; ++i) palette.canvas[i] = std::uint32_t(2 * i + 1);
    palette.canvas[200] = palette.canvas[100] = palette.canvas[40];
    PixelGrid picture(4, 2);
    const std::uint32_t colours[] = {2 * 7 + 1,   2 * 40 + 1, 2 * 255 + 1, 2,
                                     2 * 200 + 1, 0x123456,   2 * 100 + 1, 1};
    for (std::size_t i = 0; i < 8; ++i) picture.pixels[i] = tiles::pixelOf(colours[i]);
    std::array<std::uint8_t, 8> out{};
    pictureToPlane(picture, palette, out);
    EXPECT_EQ(out, (std::array<std::uint8_t, 8>{7, 40, 255, 0, 0, 0, 0, 0}));
}

TEST_F(PlaneBitmaps, WrongSizesAreRefusedButTheFollowUpStillRuns) {
    for (auto& b : st->planes.M0.bytes) b = 4;
    buildOutsideMap(*st);
    writeOutsideBack(*st, 9);
    const OutsidePlane outside = st->planes.Ext5;
    st->planes.Outline.fill(1);
    ScriptedPrompt prompt(true);
    EXPECT_FALSE(importOutsideMap(*st, prompt, PixelGrid(64, 64)));
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0],
              std::make_pair(std::string("Import"),
                             std::string("Invalid bitmap size! (needs to be 65x129)")));
    EXPECT_EQ(st->planes.Ext5, outside);
    for (auto b : st->planes.Outline.bytes) ASSERT_EQ(b, 22);  // all sea: outline everywhere

    st->planes.Ext1.fill(3);
    st->planes.Ext2.fill(0);
    EXPECT_FALSE(importDomainMask(*st, prompt, PixelGrid(65, 129)));
    EXPECT_EQ(prompt.messages.back().second, "Invalid bitmap size! (needs to be 128x128)");
    EXPECT_EQ(prompt.questions.back(),
              std::make_pair(std::string("Minimap"),
                             std::string("Create Minimap Image from Domain Mask?")));
    EXPECT_EQ(st->planes.Ext1.at(0, 0), 3);
    EXPECT_EQ(st->planes.Ext2.at(0, 0), 63);  // the answer Yes built the image from the kept mask
}

TEST_F(PlaneBitmaps, PainterClicksTurnSeaAndOutsideIntoLandAndBack) {
    OutsidePlane& p = st->planes.Ext5;
    p.at(1, 1) = 4;
    p.at(2, 1) = 9;
    p.at(3, 1) = 2;
    st->extChanged.fill(false);
    EXPECT_FALSE(clickOutsidePoint(*st, 3, 1, PointerButton::Left));  // 2 stays 2
    EXPECT_TRUE(st->extChanged[std::size_t(fileOfMap(9))]);
    for (int x : {1, 2}) EXPECT_TRUE(clickOutsidePoint(*st, x, 1, PointerButton::Left));
    EXPECT_EQ(p.at(1, 1) * 10 + p.at(2, 1), 32);
    EXPECT_EQ(st->planes.Outline.at(1, 1), 6);
    for (int x : {1, 2}) EXPECT_TRUE(clickOutsidePoint(*st, x, 1, PointerButton::Right));
    EXPECT_FALSE(clickOutsidePoint(*st, 2, 1, PointerButton::Other));
    EXPECT_EQ(p.at(1, 1) * 10 + p.at(2, 1), 49);
    EXPECT_EQ(st->planes.Outline.at(2, 1), 22);
}

TEST_F(PlaneBitmaps, DomainBitmapMakesSeaLandAndDomains) {
    PixelGrid picture(40, 64);  // black: sea; columns 40.. lie beyond it
    picture.at(1, 0) = tiles::pixelOf(tiles::tableAColour(5));
    picture.at(2, 0) = tiles::pixelOf(tiles::tableAColour(16));
    picture.at(3, 0) = tiles::pixelOf(tiles::tableAColour(18));  // no domain of its own: 32
    picture.at(4, 0) = tiles::pixelOf(0x123456);                 // no domain's colour: 0
    generateFromDomainBitmap(*st, picture);
    const WorkingPlanes& p = st->planes;
    EXPECT_EQ(p.M0.at(0, 0) * 100 + p.M5.at(0, 0), flags::kSea * 100);
    const int domains[] = {5, 16, 32, 0};
    for (int x = 1; x <= 4; ++x) EXPECT_EQ(p.M5.at(x, 0), domains[x - 1]) << x;
    // Beyond the picture: grassland with domain 0.
    EXPECT_EQ(p.M0.at(50, 7) * 100 + p.M5.at(50, 7), 0);
    EXPECT_GE(p.M2.at(50, 7), 6);
    EXPECT_EQ(st->CountyTable[5].greens, 1);  // the analysis pass ran
    selectMap(*st, 9);
    EXPECT_EQ(st->planes.M5.at(2, 0), 16);
}

TEST_F(PlaneBitmaps, TestMapAndGeneratorFromBitmap128AreCounterparts) {
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x)
            test::putCell(*st, x, y, {0, 0, 6, 0, 0, std::uint8_t((x * y) % 3 ? 2 : 0)});
    const WorkingPlanes before = st->planes;
    generateFromBitmap128(*st, tiles::testMapPicture(*st));
    for (int y = 0; y < kGrid; ++y)
        for (int x = std::max(0, y - 32); x < kGrid; ++x)  // cells further left fall off
            ASSERT_EQ(st->planes.M0.at(x, y) == 0, before.M5.at(x, y) != 0) << x << "," << y;
}

TEST_F(PlaneBitmaps, TestPicturesFollowTheirLayouts) {
    st->planes.M5.fill(0);
    st->planes.M5.at(0, 0) = 5;  // domain picture points (32, 0) and (32, 1)
    const PixelGrid edges = tiles::edgePicture(*st, 128, 128);
    // Row 0 is an edge only where it differs from its right or lower neighbour.
    for (int x = 0; x < 128; ++x) {
        const std::uint32_t expected = x == 31 || x == 32   ? test::testPixel(63)
                                       : x == 30 || x == 33 ? test::testPixel(10)
                                                            : tiles::kBlackPixel;
        ASSERT_EQ(edges.at(x, 0), expected) << x;
    }
    const PixelGrid palette = tiles::palettePicture(st->gfx.palette);
    // Index 17 is the second swatch of the second row.
    EXPECT_EQ(palette.at(10, 10), test::testPixel(17));
    EXPECT_EQ(palette.at(9, 19), test::testPixel(16));
    const PixelGrid strip = tiles::domainPalettePicture();
    EXPECT_EQ(strip.at(9, 50), tiles::pixelOf(tiles::tableAColour(16)));
    EXPECT_EQ(strip.at(10, 50) | strip.at(0, 51), tiles::kBlackPixel);
    EXPECT_EQ(domainOfColour(strip.at(0, 3 * 7 + 2)), 7);
}

}  // namespace
}  // namespace d7
