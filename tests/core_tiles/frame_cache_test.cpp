#include <gtest/gtest.h>

#include "core/tiles/frame_cache.h"
#include "core/tiles/palette.h"
#include "core/tiles/tileset_file.h"
#include "core_tiles/canvas.h"
#include "support/tileset_builder.h"

namespace d7 {
namespace {

// Frames of every layer kind with layer bytes that are partly transparent and
// partly over the diamond, and a frame whose data is cut off.
tiles::Graphics mixedGraphics() {
    tiles::Graphics gfx;
    test::installTestGraphics(gfx);
    std::vector<test::FrameSpec> frames;
    for (std::uint8_t dir = 0; dir <= 5; ++dir) {
        test::FrameSpec f = test::solidFrame(std::uint8_t(10 + dir), dir, 7);
        for (int i = 0; i < 900; ++i)
            f.diamond[std::size_t(i)] = std::uint8_t(i % 7 == 0 ? 0 : i % 251);
        f.layers.resize(std::size_t(7 * tiles::layerBytes(dir)));
        for (std::size_t i = 0; i < f.layers.size(); ++i)
            f.layers[i] = std::uint8_t(i % 3 == 0 ? 0 : 40 + i % 90);
        frames.push_back(f);
    }
    Bytes bytes = test::makeTilesetFile(frames);
    bytes.resize(bytes.size() - 50);  // the last frame runs past the end: it draws nothing
    gfx.tilesets[tiles::kRoadTiles] = tiles::makeTileset(std::move(bytes));
    return gfx;
}

// The cache draws exactly what drawFrame draws, at both scales, inside the
// picture and cut at each of its edges.
TEST(FrameCache, DrawsTheSamePixelsAsDecodingTheFrame) {
    const tiles::Graphics gfx = mixedGraphics();
    for (int scale = 1; scale <= 2; ++scale) {
        tiles::FrameCache cache;
        cache.sync(gfx, scale);
        for (int kind : {int(tiles::kRoadTiles), int(tiles::kMountainTiles)}) {
            for (int k = -1; k < 8; ++k) {
                for (auto [x, y] :
                     {std::pair{40, 60}, {-30, 50}, {150, 50}, {40, -20}, {40, 110}}) {
                    test::Canvas plain(200, 130), cached(200, 130);
                    tiles::drawFrame(plain.target(), gfx.tilesets[std::size_t(kind)], gfx.palette,
                                     k, scale, x, y);
                    cache.draw(cached.target(), kind, k, x, y);
                    ASSERT_EQ(plain.pixels, cached.pixels)
                        << "scale " << scale << " kind " << kind << " frame " << k << " at " << x
                        << "," << y;
                    EXPECT_EQ(cache.rows(kind, k).has_value(),
                              tiles::frameRows(gfx.tilesets[std::size_t(kind)], k).has_value());
                }
            }
        }
    }
}

// A new palette (brightness), a new tileset (season) or another zoom is
// drawn with, never the sprites decoded before.
TEST(FrameCache, FollowsPaletteTilesetsAndScale) {
    tiles::Graphics gfx;
    test::installTestGraphics(gfx);
    tiles::FrameCache cache;
    test::Canvas canvas(120, 80);
    auto centre = [&](int scale) {
        cache.sync(gfx, scale);
        cache.draw(canvas.target(), tiles::kBaseTiles, 3, 0, 20);
        return canvas.at(29 * scale, 20 + 20 * scale);
    };
    EXPECT_EQ(centre(1), test::testPixel(test::kindMark(tiles::kBaseTiles, 0)));
    test::installTestGraphics(gfx, 2);
    EXPECT_EQ(centre(1), test::testPixel(test::kindMark(tiles::kBaseTiles, 2)));
    gfx.palette.pixel[test::kindMark(tiles::kBaseTiles, 2)] = 0xFF010203;
    EXPECT_EQ(centre(1), 0xFF010203u);
    canvas = test::Canvas(120, 80);
    centre(2);
    EXPECT_EQ(canvas.at(57, 79), 0xFF010203u);  // a 2 x 2 block per source pixel
}

}  // namespace
}  // namespace d7
