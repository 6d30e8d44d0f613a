#include "samplegen/tileset_writer.h"

#include <stdexcept>

#include "core/tiles/frame_drawing.h"

namespace d7::samplegen {

namespace {

constexpr std::size_t kDirectoryStart = 8;
constexpr std::size_t kEntrySize = 16;

void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

}  // namespace

Frame cutFrame(const Canvas& canvas, int boxLeft, int boxTop, int dir, std::uint8_t fallback) {
    Frame f;
    std::size_t k = 0;
    for (int r = 0; r < 30; ++r)
        for (int j = 0; j < rowWidth(r); ++j) {
            const std::uint8_t c = canvas.get(boxLeft + rowLeft(r) + j, boxTop + r);
            f.diamond[k++] = c ? c : fallback;
        }
    const int width = tiles::layerBytes(dir);
    if (width == 0) return f;
    int ex = 0;
    for (int n = 0; n < kMaxLayers; ++n)
        for (int i = 0; i < width; ++i) {
            const tiles::LayerPixel p = tiles::layerPixel(dir, n, i);
            if (canvas.get(boxLeft + p.x, boxTop + p.y)) ex = n + 1;
        }
    if (ex == 0) return f;
    f.dir = dir;
    f.ex = ex;
    f.layers.reserve(std::size_t(ex * width));
    for (int n = 0; n < ex; ++n)
        for (int i = 0; i < width; ++i) {
            const tiles::LayerPixel p = tiles::layerPixel(dir, n, i);
            f.layers.push_back(canvas.get(boxLeft + p.x, boxTop + p.y));
        }
    return f;
}

Frame solidFrame(std::uint8_t colour) {
    Frame f;
    f.diamond.fill(colour);
    return f;
}

std::vector<std::uint8_t> makeTilesetFile(const std::vector<Frame>& frames) {
    if (frames.size() > 255) throw std::length_error("a tileset holds at most 255 frames");
    std::size_t size = kDirectoryStart + kEntrySize * frames.size();
    for (const Frame& f : frames) size += tiles::kDiamondBytes + f.layers.size();
    std::vector<std::uint8_t> b(size, 0);
    b[0] = 'D';
    b[1] = '7';
    b[2] = std::uint8_t(frames.size());
    b[3] = 1;  // layout version of the generator
    std::size_t data = kDirectoryStart + kEntrySize * frames.size();
    for (std::size_t k = 0; k < frames.size(); ++k) {
        const Frame& f = frames[k];
        const std::size_t entry = kDirectoryStart + kEntrySize * k;
        const std::size_t bytes = tiles::kDiamondBytes + f.layers.size();
        put32(b, entry, std::uint32_t(k));
        put32(b, entry + 4, std::uint32_t(data));
        put32(b, entry + 8, std::uint32_t(bytes));
        b[entry + 12] = std::uint8_t(f.dir);
        b[entry + 13] = std::uint8_t(f.ex);
        std::copy(f.diamond.begin(), f.diamond.end(), b.begin() + std::ptrdiff_t(data));
        std::copy(f.layers.begin(), f.layers.end(),
                  b.begin() + std::ptrdiff_t(data + tiles::kDiamondBytes));
        data += bytes;
    }
    return b;
}

}  // namespace d7::samplegen
