#include "core/tiles/frame_drawing.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/tiles/tileset_file.h"

namespace d7::tiles {

namespace {

// Source pixels src[0..n) of one diamond row, each written s wide, starting at
// target column tx on target rows ty .. ty + s - 1.
void writeRun(const PixelTarget& t, int tx, int ty, const std::uint8_t* src, int n, int s,
              const std::uint32_t* pal) {
    const int y0 = std::max(ty, 0), y1 = std::min(ty + s, t.height);
    const int left = tx, right = tx + n * s;
    if (y0 >= y1 || right <= 0 || left >= t.width) return;
    const bool inside = left >= 0 && right <= t.width;
    // The common cases on the map, zoom 1 and 2 with the run inside the picture.
    if (inside && s == 1) {
        std::uint32_t* out = t.row(y0) + tx;
        for (int j = 0; j < n; ++j) out[j] = pal[src[j]];
        return;
    }
    if (inside && s == 2 && y1 - y0 == 2) {
        std::uint32_t* a = t.row(y0) + tx;
        std::uint32_t* b = t.row(y0 + 1) + tx;
        int j = 0;
#if defined(__SSE2__)
        // Two source pixels make four target pixels: one 16-byte store per row.
        for (; j + 1 < n; j += 2) {
            const __m128i c = _mm_setr_epi32(int(pal[src[j]]), int(pal[src[j]]),
                                             int(pal[src[j + 1]]), int(pal[src[j + 1]]));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(a + 2 * j), c);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(b + 2 * j), c);
        }
#endif
        for (; j < n; ++j) {
            const std::uint32_t c = pal[src[j]];
            a[2 * j] = a[2 * j + 1] = b[2 * j] = b[2 * j + 1] = c;
        }
        return;
    }
    const int from = std::max(left, 0), to = std::min(right, t.width);
    std::uint32_t* row = t.row(y0);
    for (int j = 0; j < n; ++j) {
        const std::uint32_t c = pal[src[j]];
        const int x0 = std::max(tx + j * s, from), x1 = std::min(tx + j * s + s, to);
        for (int px = x0; px < x1; ++px) row[px] = c;
    }
    for (int yy = y0 + 1; yy < y1; ++yy)
        std::memcpy(t.row(yy) + from, row + from, std::size_t(to - from) * sizeof(std::uint32_t));
}

// One s x s block at (px, py), clipped to the target.
void writeBlock(const PixelTarget& t, int px, int py, int s, std::uint32_t c) {
    const int x0 = std::max(px, 0), x1 = std::min(px + s, t.width);
    const int y0 = std::max(py, 0), y1 = std::min(py + s, t.height);
    for (int yy = y0; yy < y1; ++yy) {
        std::uint32_t* row = t.row(yy);
        for (int xx = x0; xx < x1; ++xx) row[xx] = c;
    }
}

bool drawsLayers(int dir, LayerKinds layers) {
    if (dir >= 2 && dir <= 4) return true;
    return dir == 1 && layers == LayerKinds::Viewer;
}

inline LayerPixel layerPixelOf(int dir, int n, int i) {
    switch (dir) {
        case 1:
            return {i, i <= 29 ? 16 + n + i / 2 : 44 + n - i / 2};
        case 2:
            return {i, i <= 29 ? 13 - n - i / 2 : i / 2 - 15 - n};
        case 3:
            return {i, 13 - n - i / 2};
        case 4:
            return {28 + i, i / 2 - 1 - n};
        default:
            return {0, 0};
    }
}

}  // namespace

LayerPixel layerPixel(int dir, int n, int i) {
    return layerPixelOf(dir, n, i);
}

void drawFrame(const PixelTarget& target, const Tileset& tileset, const Palette& palette, int k,
               int scale, int x, int y, LayerKinds layers) {
    if (scale < 1 || !target.pixels) return;
    auto frame = frameData(tileset, k);
    if (!frame) return;
    const std::uint32_t* pal = palette.pixel.data();
    const std::uint8_t* src = frame->pixels;
    const int s = scale;

    for (int r = 0; r < kDiamondRows; ++r)
        writeRun(target, x + diamondRowLeft(r) * s, y + r * s, src + diamondRowStart(r),
                 diamondRowWidth(r), s, pal);

    const int dir = frame->entry.dir, ex = frame->entry.ex;
    if (ex == 0 || !drawsLayers(dir, layers)) return;
    const int perLayer = layerBytes(dir);
    const std::uint8_t* layer = src + kDiamondBytes;
    for (int n = 0; n < ex; ++n, layer += perLayer) {
        for (int i = 0; i < perLayer; ++i) {
            if (layer[i] == 0) continue;
            const LayerPixel p = layerPixelOf(dir, n, i);
            const int px = x + p.x * s, py = y + p.y * s;
            const std::uint32_t c = pal[layer[i]];
            if (s == 2 && px >= 0 && px + 2 <= target.width && py >= 0 && py + 2 <= target.height) {
                std::uint32_t* a = target.row(py) + px;
                std::uint32_t* b = a + target.stride;
                a[0] = a[1] = b[0] = b[1] = c;
            } else {
                writeBlock(target, px, py, s, c);
            }
        }
    }
}

std::optional<FrameRows> frameRows(const Tileset& tileset, int k, LayerKinds layers) {
    auto frame = frameData(tileset, k);
    if (!frame) return std::nullopt;
    const int dir = frame->entry.dir, ex = frame->entry.ex;
    if (ex == 0 || !drawsLayers(dir, layers)) return FrameRows{0, kDiamondRows};
    if (dir == 1) return FrameRows{0, kDiamondRows + ex};  // growing downward
    return FrameRows{-ex, kDiamondRows};                   // growing upward
}

void draw2x2Block(const PixelTarget& target, const Tileset& tileset, const Palette& palette, int a,
                  int scale, int x, int y, LayerKinds layers) {
    static constexpr int kAt[4][2] = {{29, 0}, {0, 15}, {58, 15}, {29, 30}};
    for (int i = 0; i < 4; ++i)
        drawFrame(target, tileset, palette, a + i, scale, x + kAt[i][0] * scale,
                  y + kAt[i][1] * scale, layers);
}

void draw3x3Block(const PixelTarget& target, const Tileset& tileset, const Palette& palette, int a,
                  int scale, int x, int y, LayerKinds layers) {
    static constexpr int kAt[9][2] = {{58, 0},   {29, 15}, {87, 15}, {0, 30}, {58, 30},
                                      {116, 30}, {29, 45}, {87, 45}, {58, 60}};
    for (int i = 0; i < 9; ++i)
        drawFrame(target, tileset, palette, a + i, scale, x + kAt[i][0] * scale,
                  y + kAt[i][1] * scale, layers);
}

void fillPixels(std::uint32_t* pixels, std::size_t n, std::uint32_t value) {
    std::size_t i = 0;
#if defined(__SSE2__)
    while (i < n && reinterpret_cast<std::uintptr_t>(pixels + i) % 16 != 0) pixels[i++] = value;
    const __m128i v = _mm_set1_epi32(int(value));
    for (; i + 4 <= n; i += 4) _mm_store_si128(reinterpret_cast<__m128i*>(pixels + i), v);
#endif
    for (; i < n; ++i) pixels[i] = value;
}

void fillDiamond(const PixelTarget& target, int x, int y, std::uint32_t pixel) {
    if (!target.pixels) return;
    for (int r = 0; r < kDiamondRows; ++r) {
        const int ty = y + r;
        if (ty < 0 || ty >= target.height) continue;
        const int x0 = std::max(x + diamondRowLeft(r), 0);
        const int x1 = std::min(x + diamondRowLeft(r) + diamondRowWidth(r), target.width);
        std::uint32_t* row = target.row(ty);
        for (int px = x0; px < x1; ++px) row[px] = pixel;
    }
}

}  // namespace d7::tiles
