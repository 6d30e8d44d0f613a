// Builds tilesets and palettes for tests, in memory and on disk: frames with
// chosen contents, and a recognisable set of test graphics in which every
// frame shows which frame, tileset and season it is.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "core/model/map_set.h"
#include "core/tiles/graphics.h"

namespace d7::test {

namespace fs = std::filesystem;

struct FrameSpec {
    std::uint8_t dir = 0;
    std::uint8_t ex = 0;
    std::vector<std::uint8_t> diamond = std::vector<std::uint8_t>(900, 0);
    std::vector<std::uint8_t> layers;  // ex layers of the byte count of dir
};

// A frame whose diamond is one palette index and whose ex layers of kind dir
// are another.
FrameSpec solidFrame(std::uint8_t diamondIndex, std::uint8_t dir = 0, std::uint8_t ex = 0,
                     std::uint8_t layerIndex = 0);

// The bytes of a tileset file holding the frames, in order after the directory.
Bytes makeTilesetFile(const std::vector<FrameSpec>& frames);

// The test palette: every entry a different colour, entry 0 not black.
std::array<std::uint8_t, 3> testPaletteEntry(int index);
Bytes makeTestPaletteFile();
// The pixel word the test palette gives an index under a brightness factor.
std::uint32_t testPixel(int index, double factor = 3.0);

// The test tilesets hold kTestFrames frames. Frame k's diamond shows
// frameMark(k) in rows 0..14 and kindMark(kind, season) in rows 15..29;
// mountain, town and castle frames carry Dir 2 layers of layerMark(kind).
inline constexpr int kTestFrames = 64;
constexpr std::uint8_t frameMark(int k) {
    return std::uint8_t(1 + k);
}
constexpr std::uint8_t kindMark(int kind, int season) {
    return std::uint8_t(100 + 4 * kind + season);
}
constexpr std::uint8_t layerMark(int kind) {
    return std::uint8_t(130 + kind);
}
inline constexpr int kTestLayers = 6;
Bytes makeTestTileset(int kind, int season);

// Writes "Base01.256" and the twenty tileset files (base1a.pl8 .. castle1d.pl8) into dir.
void writeTestGraphics(const fs::path& dir);

// Puts the test palette and the season's test tilesets straight into gfx.
void installTestGraphics(tiles::Graphics& gfx, int season = 0);

}  // namespace d7::test
