// Frames in the game's tileset format and the file that holds them: a
// 900-byte diamond of palette indices, then Ex extension layers of kind Dir
// that rise above the diamond's upper outline (0 bytes are transparent).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/tiles/tileset_file.h"
#include "samplegen/raster.h"

namespace d7::samplegen {

inline constexpr int kMaxLayers = 255;

// Kinds of extension layers the art uses: above the whole upper outline, or
// above its left or right half only.
inline constexpr int kLayersNone = 0;
inline constexpr int kLayersUp = 2;
inline constexpr int kLayersUpLeft = 3;
inline constexpr int kLayersUpRight = 4;

struct Frame {
    std::array<std::uint8_t, tiles::kDiamondBytes> diamond{};
    int dir = kLayersNone;
    int ex = 0;
    std::vector<std::uint8_t> layers;  // ex layers, each of the byte count of dir
};

// Cuts a frame from the canvas, whose tile box has its top-left corner at
// (boxLeft, boxTop). Diamond pixels the canvas leaves transparent get
// fallback. With a layer kind, as many layers are taken as the canvas has
// pixels above the diamond in the columns of that kind (at most 255).
Frame cutFrame(const Canvas& canvas, int boxLeft, int boxTop, int dir, std::uint8_t fallback);

// A frame of one colour without layers.
Frame solidFrame(std::uint8_t colour);

// The bytes of a tileset file holding the frames in order. The bytes the
// editor does not read carry a signature, the frame's number and its data size.
std::vector<std::uint8_t> makeTilesetFile(const std::vector<Frame>& frames);

}  // namespace d7::samplegen
