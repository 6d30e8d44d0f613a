#include "core/model/bmp_file.h"

#include <stdexcept>

#include "core/model/file_io.h"

namespace d7 {

namespace {

void put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    b[at] = std::uint8_t(v);
    b[at + 1] = std::uint8_t(v >> 8);
}

void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

constexpr std::size_t kFileHeader = 14;
constexpr std::size_t kInfoHeader = 40;

}  // namespace

std::vector<std::uint8_t> encodeBmp32(int width, int height,
                                      std::span<const std::uint32_t> pixels) {
    if (width < 0 || height < 0 || pixels.size() != std::size_t(width) * std::size_t(height))
        throw std::invalid_argument("encodeBmp32: pixel count does not match the size");
    const std::size_t imageSize = pixels.size() * 4;
    const std::size_t dataOffset = kFileHeader + kInfoHeader;
    std::vector<std::uint8_t> b(dataOffset + imageSize, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, std::uint32_t(b.size()));
    put32(b, 10, std::uint32_t(dataOffset));
    put32(b, 14, std::uint32_t(kInfoHeader));
    put32(b, 18, std::uint32_t(width));
    put32(b, 22, std::uint32_t(height));  // positive: rows bottom-up
    put16(b, 26, 1);                      // planes
    put16(b, 28, 32);                     // bits per pixel
    put32(b, 30, 0);                      // no compression
    put32(b, 34, std::uint32_t(imageSize));
    put32(b, 38, 2835);  // 72 dpi
    put32(b, 42, 2835);
    std::size_t at = dataOffset;
    for (int row = height - 1; row >= 0; --row) {
        const std::uint32_t* line = pixels.data() + std::size_t(row) * std::size_t(width);
        for (int x = 0; x < width; ++x) {
            put32(b, at, line[x] & 0x00FFFFFFu);
            at += 4;
        }
    }
    return b;
}

void writeBmp32(const std::filesystem::path& path, int width, int height,
                std::span<const std::uint32_t> pixels) {
    writeFileAtomic(path, encodeBmp32(width, height, pixels));
}

}  // namespace d7
