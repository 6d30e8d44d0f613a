#include "core/tiles/frame_enlargement.h"

#include <algorithm>

#include "core/tiles/tileset_file.h"

namespace d7::tiles {

namespace {

void square(const PixelTarget& t, int x, int y, int p, std::uint32_t c) {
    const int x0 = std::max(x * p, 0), x1 = std::min(x * p + p, t.width);
    const int y0 = std::max(y * p, 0), y1 = std::min(y * p + p, t.height);
    for (int yy = y0; yy < y1; ++yy) std::fill(t.row(yy) + x0, t.row(yy) + x1, c);
}

}  // namespace

std::optional<FrameShape> frameShape(const Tileset& ts, int k) {
    auto frame = frameData(ts, k);
    if (!frame) return std::nullopt;
    return FrameShape{frame->entry.dir, frame->entry.ex};
}

void drawFrameInspection(const PixelTarget& target, const Tileset& ts, const Palette& palette,
                         int k, int p) {
    auto frame = frameData(ts, k);
    if (!frame || p < 1 || !target.pixels) return;
    const int dir = frame->entry.dir, ex = frame->entry.ex;
    const int shift = dir >= 2 ? ex : 0;
    const std::uint8_t* src = frame->pixels;
    for (int r = 0; r < kDiamondRows; ++r)
        for (int j = 0; j < diamondRowWidth(r); ++j)
            square(target, diamondRowLeft(r) + j, r + shift, p,
                   palette.pixel[src[diamondRowStart(r) + j]]);
    const int perLayer = dir >= 1 && dir <= 4 ? layerBytes(dir) : 0;
    if (perLayer == 0) return;
    const std::uint8_t* layer = src + kDiamondBytes;
    for (int n = 0; n < ex; ++n, layer += perLayer)
        for (int i = 0; i < perLayer; ++i) {
            const LayerPixel at = layerPixel(dir, n, i);
            square(target, at.x, at.y + shift, p, palette.pixel[layer[i]]);
        }
}

}  // namespace d7::tiles
