#include "core/tiles/frame_cache.h"

#include <algorithm>
#include <cstring>

#include "core/tiles/tileset_file.h"

namespace d7::tiles {

namespace {

constexpr int kBoxWidth = 58;
constexpr int kTransparent = -1;

bool sameImage(const Tileset& ts, const std::uint8_t* data, std::size_t size, int frameCount) {
    return ts.data.data() == data && ts.data.size() == size && ts.frameCount == frameCount;
}

}  // namespace

void FrameCache::sync(const Graphics& gfx, int scale) {
    const bool paletteChanged = gfx.palette.pixel != palette_;
    const bool rescaled = scale != scale_;
    gfx_ = &gfx;
    palette_ = gfx.palette.pixel;
    scale_ = scale;
    bool imagesChanged = false;
    for (int kind = 0; kind < kTilesetCount; ++kind) {
        const Tileset& ts = gfx.tilesets[std::size_t(kind)];
        Sheet& sheet = sheets_[std::size_t(kind)];
        if (!paletteChanged && !rescaled && sameImage(ts, sheet.data, sheet.size, sheet.frameCount))
            continue;
        imagesChanged = imagesChanged || !sameImage(ts, sheet.data, sheet.size, sheet.frameCount);
        // Tilesets are replaced, never rewritten in place, so a file image at
        // the same address with the same size is the same image.
        sheet.data = ts.data.data();
        sheet.size = ts.data.size();
        sheet.frameCount = ts.frameCount;
        sheet.sprites.assign(std::size_t(std::max(ts.frameCount, 0)), Sprite{});
        sheet.runs.clear();
        sheet.pixels.clear();
    }
    if (imagesChanged) measureReach(gfx);
}

// Reads only the frames' headers: cheap enough to do whenever a tileset is
// replaced.
void FrameCache::measureReach(const Graphics& gfx) {
    reach_ = FrameRows{0, kDiamondRows};
    for (const Tileset& ts : gfx.tilesets) {
        for (int k = 0; k < ts.frameCount; ++k) {
            if (const auto rows = frameRows(ts, k)) {
                reach_.top = std::min(reach_.top, rows->top);
                reach_.bottom = std::max(reach_.bottom, rows->bottom);
            }
        }
    }
}

const FrameCache::Sprite* FrameCache::sprite(int kind, int k) {
    if (!gfx_ || kind < 0 || kind >= kTilesetCount) return nullptr;
    Sheet& sheet = sheets_[std::size_t(kind)];
    if (k < 0 || std::size_t(k) >= sheet.sprites.size()) return nullptr;
    Sprite& sp = sheet.sprites[std::size_t(k)];
    if (!sp.decoded) decode(sheet, gfx_->tilesets[std::size_t(kind)], sp, k);
    return &sp;
}

// Lays the diamond and then the layers into one picture of palette indices,
// in the order drawFrame writes them, so that a layer pixel over the diamond
// wins as it does there; then cuts every row into runs of opaque pixels.
void FrameCache::decode(Sheet& sheet, const Tileset& tileset, Sprite& sp, int k) {
    sp.decoded = true;
    const auto frame = frameData(tileset, k);
    const auto rows = frameRows(tileset, k);
    if (!frame || !rows) return;
    sp.drawsNothing = false;
    sp.rows = *rows;
    const int height = rows->bottom - rows->top;
    std::vector<int> canvas(std::size_t(height) * kBoxWidth, kTransparent);
    auto put = [&](int col, int row, int index) {
        if (col < 0 || col >= kBoxWidth || row < rows->top || row >= rows->bottom) return;
        canvas[std::size_t(row - rows->top) * kBoxWidth + std::size_t(col)] = index;
    };
    const std::uint8_t* src = frame->pixels;
    for (int r = 0; r < kDiamondRows; ++r)
        for (int j = 0; j < diamondRowWidth(r); ++j)
            put(diamondRowLeft(r) + j, r, src[diamondRowStart(r) + j]);
    const int dir = frame->entry.dir, ex = frame->entry.ex;
    if (dir >= 2 && dir <= 4) {
        const int perLayer = layerBytes(dir);
        const std::uint8_t* layer = src + kDiamondBytes;
        for (int n = 0; n < ex; ++n, layer += perLayer)
            for (int i = 0; i < perLayer; ++i)
                if (layer[i] != 0) {
                    const LayerPixel p = layerPixel(dir, n, i);
                    put(p.x, p.y, layer[i]);
                }
    }

    const int s = scale_;
    sp.firstRun = std::uint32_t(sheet.runs.size());
    for (int row = rows->top; row < rows->bottom; ++row) {
        const int* line = canvas.data() + std::size_t(row - rows->top) * kBoxWidth;
        for (int col = 0; col < kBoxWidth;) {
            if (line[col] == kTransparent) {
                ++col;
                continue;
            }
            const int start = col;
            const std::uint32_t offset = std::uint32_t(sheet.pixels.size());
            for (; col < kBoxWidth && line[col] != kTransparent; ++col)
                sheet.pixels.insert(sheet.pixels.end(), std::size_t(s),
                                    palette_[std::size_t(line[col])]);
            sheet.runs.push_back(
                Run{std::int16_t(row), std::int16_t(start), std::int16_t(col - start), offset});
        }
    }
    sp.runCount = std::uint32_t(sheet.runs.size()) - sp.firstRun;
}

void FrameCache::draw(const PixelTarget& target, int kind, int k, int x, int y) {
    const Sprite* sp = sprite(kind, k);
    if (!sp || sp->drawsNothing || !target.pixels || scale_ < 1) return;
    const Sheet& sheet = sheets_[std::size_t(kind)];
    const int s = scale_;
    const Run* run = sheet.runs.data() + sp->firstRun;
    const Run* end = run + sp->runCount;
    for (; run != end; ++run) {
        const int ty = y + run->row * s;
        if (ty >= target.height) break;  // runs go down row by row
        const int y0 = std::max(ty, 0), y1 = std::min(ty + s, target.height);
        if (y0 >= y1) continue;
        const int tx = x + run->col * s;
        const int from = std::max(tx, 0), to = std::min(tx + run->width * s, target.width);
        if (from >= to) continue;
        const std::uint32_t* pixels = sheet.pixels.data() + run->offset + (from - tx);
        const std::size_t bytes = std::size_t(to - from) * sizeof(std::uint32_t);
        for (int yy = y0; yy < y1; ++yy) std::memcpy(target.row(yy) + from, pixels, bytes);
    }
}

std::optional<FrameRows> FrameCache::rows(int kind, int k) {
    const Sprite* sp = sprite(kind, k);
    if (!sp || sp->drawsNothing) return std::nullopt;
    return sp->rows;
}

std::size_t FrameCache::memoryBytes() const {
    std::size_t bytes = 0;
    for (const Sheet& sheet : sheets_)
        bytes += sheet.sprites.capacity() * sizeof(Sprite) + sheet.runs.capacity() * sizeof(Run) +
                 sheet.pixels.capacity() * sizeof(std::uint32_t);
    return bytes;
}

}  // namespace d7::tiles
