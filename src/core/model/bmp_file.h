// Windows BMP files with 32 bits per pixel, as the editor writes its pictures.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace d7 {

// The bytes of a BMP file of width x height pixels: 14-byte file header,
// 40-byte info header, rows bottom-up, each pixel blue, green, red and a
// fourth byte of 0. pixels holds width * height words, row 0 at the top, blue
// in the lowest byte (the top byte is ignored).
std::vector<std::uint8_t> encodeBmp32(int width, int height, std::span<const std::uint32_t> pixels);

// Writes such a file atomically; throws FileError.
void writeBmp32(const std::filesystem::path& path, int width, int height,
                std::span<const std::uint32_t> pixels);

}  // namespace d7
