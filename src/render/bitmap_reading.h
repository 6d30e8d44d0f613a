// Reading bitmap files into pixel grids. Bitmaps come from paint programs
// and from other users, so every file is checked before it is decoded: a
// file that is not a bitmap, is cut short, declares a picture larger than the
// editor ever reads, or uses a compression or bit depth no bitmap reader
// knows is refused with one message naming the file and the reason. What
// passes is decoded by Qt, which knows every variant paint programs write
// (1, 4, 8, 16, 24 and 32 bits, colour tables, run-length compression,
// rows top-down or bottom-up).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "core/tiles/pixel_grid.h"

namespace d7::render {

// The widest and tallest picture read (the editor's own pictures are at most
// 129 pixels on a side; a test picture of the map is 3712 x 1920).
inline constexpr int kMaxBitmapSide = 4096;

// Why the bytes cannot be a bitmap the editor reads, or nothing when the
// header, colour table and pixel data hold together.
std::optional<std::string> bitmapProblem(std::span<const std::uint8_t> bytes);

// Decodes the bytes of a bitmap file; every pixel is 0xFFRRGGBB. Throws
// FileError naming file and the reason when the bytes are refused.
tiles::PixelGrid decodeBitmap(std::span<const std::uint8_t> bytes,
                              const std::filesystem::path& file);

// Reads and decodes a bitmap file. Throws FileError.
tiles::PixelGrid readBitmapFile(const std::filesystem::path& path);

}  // namespace d7::render
