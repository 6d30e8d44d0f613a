// Tileset frames decoded once into rows of 32-bit pixels, so that drawing a
// frame is copying runs of ready pixels instead of looking every byte up in
// the palette and scaling it again.
//
// Each frame becomes a sprite: its diamond with the extension layers the map
// draws laid over it, at the drawing scale, cut into runs of opaque pixels
// row by row. Drawing a sprite writes exactly the pixels drawFrame writes,
// with the same values, clipped the same way.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/tiles/frame_drawing.h"
#include "core/tiles/graphics.h"
#include "core/tiles/tileset_file.h"

namespace d7::tiles {

class FrameCache {
  public:
    // Makes the cache match the graphics and the scale: the sprites of a
    // tileset are dropped when its file image, the palette or the scale is
    // not the one they were decoded from. Sprites are decoded when first drawn.
    void sync(const Graphics& gfx, int scale);

    // Draws frame k of tileset kind with the top-left corner of its tile box
    // at (x, y): the same pixels as drawFrame(target, tileset, palette, k,
    // scale, x, y) with the map's layers. Call sync first.
    void draw(const PixelTarget& target, int kind, int k, int x, int y);

    // The rows frame k covers, as frameRows with the map's layers.
    std::optional<FrameRows> rows(int kind, int k);

    // The rows any frame of the synced tilesets may cover (unscaled, as
    // frameRows), and at least the diamond's: how far above and below its
    // tile box anything drawn for a cell can reach.
    FrameRows reach() const { return reach_; }

    int scale() const { return scale_; }
    // Bytes the decoded sprites take.
    std::size_t memoryBytes() const;

  private:
    // Pixels of one sprite row: width source pixels from column col of the
    // tile box, each repeated scale times, at pixels[offset].
    struct Run {
        std::int16_t row;  // relative to the top of the tile box, unscaled
        std::int16_t col;  // unscaled
        std::int16_t width;
        std::uint32_t offset;
    };
    struct Sprite {
        bool decoded = false;
        bool drawsNothing = true;
        FrameRows rows{0, 0};
        std::uint32_t firstRun = 0;
        std::uint32_t runCount = 0;
    };
    struct Sheet {
        const std::uint8_t* data = nullptr;  // the tileset's file image it was decoded from
        std::size_t size = 0;
        int frameCount = 0;
        std::vector<Sprite> sprites;
        std::vector<Run> runs;
        std::vector<std::uint32_t> pixels;
    };

    const Sprite* sprite(int kind, int k);
    void measureReach(const Graphics& gfx);
    void decode(Sheet& sheet, const Tileset& tileset, Sprite& sprite, int k);

    const Graphics* gfx_ = nullptr;
    int scale_ = 0;
    std::array<std::uint32_t, 256> palette_{};
    std::array<Sheet, kTilesetCount> sheets_;
    FrameRows reach_{0, kDiamondRows};
};

}  // namespace d7::tiles
