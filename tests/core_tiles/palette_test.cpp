#include "core/tiles/palette.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/model/file_io.h"
#include "core/tiles/graphics_commands.h"
#include "core/tiles/overlay_colours.h"
#include "support/counting_sink.h"
#include "support/map_builder.h"
#include "support/tileset_builder.h"

namespace d7 {
namespace {

TEST(Palette, ComponentsAreScaledAndRoundedHalfToEven) {
    EXPECT_EQ(tiles::scaleComponent(63, 3.0), 189);
    EXPECT_EQ(tiles::scaleComponent(1, 1.5), 2);
    EXPECT_EQ(tiles::scaleComponent(3, 1.5), 4);
    EXPECT_EQ(tiles::scaleComponent(5, 1.5), 8);
    EXPECT_EQ(tiles::scaleComponent(63, 1.5), 94);
    EXPECT_EQ(tiles::scaleComponent(0, 3.0), 0);
    // Bytes above 63 from a hostile file stay within their channel.
    EXPECT_EQ(tiles::scaleComponent(200, 3.0), 255);
    EXPECT_EQ(tiles::roundHalfEven(-2.5), -2);
    EXPECT_EQ(tiles::roundHalfEven(2.4999), 2);
}

TEST(Palette, PixelWordsHaveBlueLowestAndCanvasColoursAreRgb) {
    Bytes raw(768, 0);
    raw[3] = 1, raw[4] = 2, raw[5] = 3;           // entry 1
    raw[765] = 63, raw[766] = 0, raw[767] = 200;  // entry 255, blue out of range
    auto pal = tiles::makePalette(raw);
    EXPECT_EQ(pal.pixel[1], 0xFF030609u);
    EXPECT_EQ(pal.canvas[1], 0x030609u);
    EXPECT_EQ(pal.pixel[255], 0xFFBD00FFu);
    EXPECT_EQ(pal.pixel[0], 0xFF000000u);
    tiles::computePaletteTables(pal, tiles::kDarkFactor);
    EXPECT_EQ(pal.canvas[1], 0x020304u);  // 1.5, 3.0, 4.5 -> 2, 3, 4
}

TEST(Palette, ShortFilesReadMissingBytesAsZero) {
    auto empty = tiles::makePalette({});
    for (auto p : empty.pixel) EXPECT_EQ(p, 0xFF000000u);
    auto five = tiles::makePalette({10, 20, 30, 40, 50});
    EXPECT_EQ(five.canvas[0], 0x1E3C5Au);
    EXPECT_EQ(five.canvas[1], 0x789600u);
    EXPECT_EQ(five.canvas[2], 0u);
}

TEST(OverlayColours, TablesAndOutOfRangeIndices) {
    EXPECT_EQ(tiles::overlayColour(20, tiles::kTableA), 0xE6E6FAu);
    EXPECT_EQ(tiles::overlayColour(20, tiles::kTableB), 0x808080u);
    EXPECT_EQ(tiles::overlayColour(23, tiles::kTableD), 0x808080u);
    for (int set : {0, 1}) {
        EXPECT_EQ(tiles::overlayColour(21, set), tiles::kWhite);
        EXPECT_EQ(tiles::overlayColour(-1, set), tiles::kWhite);
    }
    EXPECT_EQ(tiles::overlayColour(24, tiles::kTableD), tiles::kWhite);
    EXPECT_EQ(tiles::overlayColour(32, tiles::kTableD), tiles::kWhite);  // land without domain
    EXPECT_EQ(tiles::overlayColour(1, 2), tiles::kWhite);                // no such set
    EXPECT_EQ(tiles::tableAColour(11), 0xF0E68Cu);
    EXPECT_EQ(tiles::tableAColour(21), tiles::kWhite);
    EXPECT_EQ(tiles::tableAIndex(0xC0C0C0), 8);
    EXPECT_EQ(tiles::tableAIndex(0xFFC0C0C0), 8);  // the top byte does not matter
    EXPECT_EQ(tiles::tableAIndex(0x123456), 0);
}

TEST(OverlayColours, PaletteIndexFindsTheLowestEntry) {
    Bytes raw(768, 0);
    for (int i : {7, 3, 200}) raw[std::size_t(3 * i)] = 10;  // three entries of 0x1E0000
    auto pal = tiles::makePalette(raw);
    EXPECT_EQ(tiles::paletteIndex(pal, 0x1E0000), 3);
    EXPECT_EQ(tiles::paletteIndex(pal, 0x000000), 0);
    EXPECT_EQ(tiles::paletteIndex(pal, 0x010203), 0);  // not in the palette
}

using test::CountingSink;

class BrightnessCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        test::writeTestGraphics(dir.path());
        st->pl8Dir = dir.path().string();
        st->sink = &sink;
        st->mapLoaded = true;
        tiles::loadDefaultPalette(*st);
    }
    test::TempDir dir;
    std::unique_ptr<EditorState> st = makeEditorState();
    CountingSink sink;
};

TEST_F(BrightnessCommands, DarkSwitchesColourSetsAndTablesOnce) {
    EXPECT_EQ(st->gfx.colourSets.domain, 3);
    EXPECT_FALSE(tiles::chooseBrightness(*st, false));  // "Bright" is already checked
    EXPECT_EQ(sink.redraws, 0);
    EXPECT_TRUE(tiles::chooseBrightness(*st, true));
    EXPECT_EQ(st->gfx.colourSets.domain, 0);
    EXPECT_EQ(st->gfx.colourSets.route, 0);
    EXPECT_EQ(st->gfx.colourSets.trader, 1);
    EXPECT_EQ(st->gfx.palette.pixel[5], test::testPixel(5, 1.5));
    EXPECT_EQ(sink.redraws, 1);
    st->gfx.palette.pixel[5] = 0;  // a second "Dark" must not recompute
    EXPECT_FALSE(tiles::chooseBrightness(*st, true));
    EXPECT_EQ(st->gfx.palette.pixel[5], 0u);
    EXPECT_EQ(sink.redraws, 1);
    EXPECT_TRUE(tiles::chooseBrightness(*st, false));
    EXPECT_EQ(st->gfx.colourSets.domain, 3);
    EXPECT_EQ(st->gfx.palette.pixel[5], test::testPixel(5, 3.0));
}

TEST_F(BrightnessCommands, LoadPaletteUsesTheBrightFactorAndKeepsTheOldOneOnFailure) {
    tiles::chooseBrightness(*st, true);
    Bytes other(768, 0);
    other[0] = 1;
    {
        std::ofstream f(dir / "other.256", std::ios::binary);
        f.write(reinterpret_cast<const char*>(other.data()), 768);
    }
    tiles::loadPaletteFile(*st, dir / "other.256");
    EXPECT_EQ(st->gfx.palette.pixel[0], 0xFF030000u);  // 1 * 3.0, whatever the menu shows
    EXPECT_TRUE(st->gfx.dark);
    EXPECT_EQ(sink.redraws, 2);
    EXPECT_THROW(tiles::loadPaletteFile(*st, dir / "missing.256"), FileError);
    EXPECT_EQ(st->gfx.palette.pixel[0], 0xFF030000u);
    EXPECT_TRUE(st->gfx.paletteLoaded);
}

TEST_F(BrightnessCommands, TheDefaultPaletteIsFoundUnderAnyLetterCase) {
    fs::rename(dir / "Base01.256", dir / "BASE01.256");
    st->gfx = {};
    tiles::loadDefaultPalette(*st);
    EXPECT_TRUE(st->gfx.paletteLoaded);
    EXPECT_EQ(st->gfx.palette.pixel[9], test::testPixel(9));
}

}  // namespace
}  // namespace d7
