// Parts of the generator checked against the editor's own readers: frames
// cut from a picture come back unchanged through the tileset decoder, the
// language file reads back its lists, and the planner's model of trader
// starts follows the game's rule.
#include <gtest/gtest.h>

#include <set>

#include "core/model/language_file.h"
#include "core/tiles/frame_drawing.h"
#include "core/tiles/palette.h"
#include "core/tiles/tileset_file.h"
#include "samplegen/language_art.h"
#include "samplegen/map_plan.h"
#include "samplegen/palette_art.h"
#include "samplegen/tileset_writer.h"

namespace d7 {
namespace {

using samplegen::Canvas;

// A picture with a block rising 20 pixels above the tile: cut into a frame,
// written into a tileset and drawn by the editor, every pixel comes back.
TEST(SampleTilesetWriter, CutFramesDrawBackAsThePicture) {
    Canvas picture(0, -40, 58, 70);
    for (int y = -40; y < 30; ++y)
        for (int x = 0; x < 58; ++x)
            if (samplegen::inDiamond(x, y) || (x >= 20 && x < 40 && y >= -20 && y < 15))
                picture.set(x, y, std::uint8_t(1 + (x * 7 + y * 3 + 200) % 250));
    std::vector<samplegen::Frame> frames = {
        samplegen::solidFrame(5), samplegen::cutFrame(picture, 0, 0, samplegen::kLayersUp, 9)};
    const tiles::Tileset ts = tiles::makeTileset(samplegen::makeTilesetFile(frames));
    ASSERT_EQ(ts.frameCount, 2);
    const auto entry = tiles::frameEntry(ts, 1);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->dir, 2);
    EXPECT_GT(entry->ex, 20);
    EXPECT_EQ(tiles::frameEntry(ts, 0)->ex, 0);

    const tiles::Palette palette = tiles::makePalette(samplegen::makePaletteFile());
    std::vector<std::uint32_t> pixels(58 * 80, 0);
    tiles::PixelTarget target{pixels.data(), 58, 80, 58};
    tiles::drawFrame(target, ts, palette, 1, 1, 0, 45);
    for (int y = -40; y < 30; ++y)
        for (int x = 0; x < 58; ++x) {
            const std::uint8_t c = picture.get(x, y);
            const std::uint32_t drawn = pixels[std::size_t((y + 45) * 58 + x)];
            if (c)
                EXPECT_EQ(drawn, palette.pixel[c]) << x << "," << y;
            else
                EXPECT_EQ(drawn, 0u) << x << "," << y;
        }
}

TEST(SampleLanguageFile, ReadsBackItsListsAndKeepsNamesShort) {
    Random rng(5);
    samplegen::LanguageTexts texts;
    texts.traders = samplegen::traderNames();
    texts.maps = samplegen::makeMapNames(rng);
    for (int n = 0; n < 60; ++n) {
        const auto slots = samplegen::makeDomainNameSlots(n % 17, rng);
        ASSERT_EQ(slots.size(), 20u);
        std::set<std::string> seen;
        for (int k = 1; k < 20; ++k) {
            EXPECT_EQ(slots[std::size_t(k)].empty(), k > n % 17);
            EXPECT_LE(slots[std::size_t(k)].size(), 20u);
            if (!slots[std::size_t(k)].empty()) {
                EXPECT_TRUE(seen.insert(slots[std::size_t(k)]).second);
            }
        }
        texts.domains.insert(texts.domains.end(), slots.begin(), slots.end());
    }
    const auto file = samplegen::makeLanguageFile(texts);
    EXPECT_FALSE(languageFileProblem(file).has_value());
    EXPECT_EQ(readNameEntry(file, 4), texts.traders);
    EXPECT_EQ(readNameEntry(file, 99), texts.domains);
    EXPECT_EQ(readNameEntry(file, 100), texts.maps);
    EXPECT_EQ(readNameEntry(file, 5).size(), 1u);
    for (const std::string& name : texts.maps) {
        EXPECT_LE(name.size(), 11u);
        EXPECT_EQ(name.find(';'), std::string::npos);
    }
}

// The towns' slots as the planner sets them, and the start the game gives
// each trader: the first stop (in the order the town cells are met) that no
// earlier trader starts at, trying every other stop.
TEST(SampleTraderPlan, StartsFollowTheGamesRule) {
    samplegen::MapPlan plan;
    plan.domains.resize(4);
    const samplegen::Cell towns[4] = {{10, 2}, {20, 10}, {5, 20}, {30, 30}};
    for (int d = 0; d < 4; ++d) {
        plan.domains[std::size_t(d)].number = d + 1;
        plan.domains[std::size_t(d)].town = towns[d];
    }
    // Trader 1 serves domains 1 and 2; trader 2 the domains 1, 2, 3; trader 3
    // domains 1 and 2 as well; trader 4 domain 4 alone.
    plan.domains[0].traderSlots = {1, 2, 3};
    plan.domains[1].traderSlots = {1, 2, 3};
    plan.domains[2].traderSlots = {2, 0, 0};
    plan.domains[3].traderSlots = {4, 0, 0};
    const auto starts = samplegen::planning::traderStarts(plan);
    EXPECT_EQ(starts[1], 1);  // its first stop
    EXPECT_EQ(starts[2], 3);  // stop 0 is taken, stop 2 is free
    EXPECT_EQ(starts[3], 0);  // stop 0 is taken and there is no stop 2: no start
    EXPECT_EQ(starts[4], 4);
    EXPECT_EQ(starts[5], 0);  // no stops
}

}  // namespace
}  // namespace d7
