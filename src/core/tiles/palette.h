// The game's palette file (256 entries of red, green, blue, each 0..63) and
// the two colour tables derived from it under a brightness factor.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "core/tiles/graphics.h"

namespace d7::tiles {

inline constexpr double kBrightFactor = 3.0;
inline constexpr double kDarkFactor = 1.5;
inline constexpr int kPaletteFileBytes = 768;

// v rounded to the nearest integer, halves to the even neighbour.
double roundHalfEven(double v);

// A palette component scaled by the factor: rounded as above and kept within
// 0..255, so that an out-of-range byte of a hostile file cannot spill into
// the neighbouring colour channel.
std::uint8_t scaleComponent(std::uint8_t value, double factor);

// Recomputes the pixel and canvas tables from the raw palette bytes. Bytes
// missing from a short file count as 0.
void computePaletteTables(Palette& palette, double factor);

// A palette from the bytes of its file, its tables computed with the factor.
Palette makePalette(std::vector<std::uint8_t> bytes, double factor = kBrightFactor);

// Reads a palette file; throws FileError when it cannot be read.
Palette readPaletteFile(const std::filesystem::path& path);

}  // namespace d7::tiles
