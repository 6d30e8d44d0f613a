// A picture held as pixel words, the form the core exchanges pictures in:
// bitmaps read from files arrive as one, and the pictures the editor writes
// or shows are built as one. Reading and writing files is not its business.
#pragma once

#include <cstdint>
#include <vector>

#include "core/tiles/frame_drawing.h"
#include "core/tiles/graphics.h"

namespace d7::tiles {

// width x height words, row 0 at the top, each 0xFFRRGGBB (blue lowest); a
// word read from elsewhere may carry any top byte, so colours are compared
// through rgbOf.
struct PixelGrid {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    PixelGrid() = default;
    // A negative size counts as 0.
    PixelGrid(int w, int h, std::uint32_t fill = kBlackPixel)
        : width(w > 0 ? w : 0),
          height(h > 0 ? h : 0),
          pixels(std::size_t(width) * std::size_t(height), fill) {}

    bool contains(int x, int y) const { return x >= 0 && x < width && y >= 0 && y < height; }
    std::uint32_t& at(int x, int y) { return pixels[std::size_t(y) * std::size_t(width) + x]; }
    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + x]; }
    // Sets the pixel when it lies on the picture; pictures drawn by formula
    // may reach past their edges, which are then cut.
    void put(int x, int y, std::uint32_t pixel) {
        if (contains(x, y)) at(x, y) = pixel;
    }
    PixelTarget target() { return {pixels.data(), width, height, width}; }
    bool operator==(const PixelGrid&) const = default;
};

}  // namespace d7::tiles
