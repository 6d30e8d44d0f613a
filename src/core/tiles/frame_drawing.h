// Drawing tileset frames straight into the rows of a 32-bit picture: one
// frame (its diamond and its extension layers), the 2 x 2 and 3 x 3 blocks
// of the big buildings and mountains, and the solid diamond.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/tiles/graphics.h"

namespace d7::tiles {

// A picture to draw into: width x height words, row y at pixels + y * stride.
struct PixelTarget {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;  // words per row
    std::uint32_t* row(int y) const { return pixels + std::ptrdiff_t(y) * stride; }
};

// Which extension layers are drawn: the map draws kinds 2, 3 and 4; the tile
// viewer also shows kind 1 (the layers under the lower outline).
enum class LayerKinds { Map, Viewer };

// Position (x, y) in the 58 x 30 tile box of pixel i of extension layer n of
// a frame of the given Dir (1..4); y may lie above or below the box.
struct LayerPixel {
    int x;
    int y;
};
LayerPixel layerPixel(int dir, int n, int i);

// Draws frame k of the tileset with the top-left corner of its tile box at
// (x, y), every source pixel as a scale x scale block. The diamond is opaque
// (index 0 paints palette colour 0); layer bytes of 0 are transparent.
// Pixels outside the target are skipped without shifting the others. A frame
// that does not exist or whose data runs past the end of its file draws nothing.
void drawFrame(const PixelTarget& target, const Tileset& tileset, const Palette& palette, int k,
               int scale, int x, int y, LayerKinds layers = LayerKinds::Map);

// The rows a frame covers, relative to the top of its tile box and unscaled:
// the diamond's 30 rows and the extension layers drawn with the layer kinds.
// Nothing for a frame that draws nothing.
struct FrameRows {
    int top;     // first row (negative for layers above the box)
    int bottom;  // one past the last row
};
std::optional<FrameRows> frameRows(const Tileset& tileset, int k,
                                   LayerKinds layers = LayerKinds::Map);

// Frames a..a+3 of a 2 x 2 object, a..a+8 of a 3 x 3 object, drawn from the
// back to the front; (x, y) is the top-left corner of the block's bounding box.
void draw2x2Block(const PixelTarget& target, const Tileset& tileset, const Palette& palette, int a,
                  int scale, int x, int y, LayerKinds layers = LayerKinds::Map);
void draw3x3Block(const PixelTarget& target, const Tileset& tileset, const Palette& palette, int a,
                  int scale, int x, int y, LayerKinds layers = LayerKinds::Map);

// Sets n pixel words to one value (the picture's black, for instance) with
// the widest stores the processor offers.
void fillPixels(std::uint32_t* pixels, std::size_t n, std::uint32_t value);

// Sets every pixel of the unscaled 58 x 30 diamond at (x, y) to one pixel word.
void fillDiamond(const PixelTarget& target, int x, int y, std::uint32_t pixel);

}  // namespace d7::tiles
