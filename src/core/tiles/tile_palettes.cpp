#include "core/tiles/tile_palettes.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace d7::tiles {

namespace {

constexpr int kColumns = 7;
constexpr int kTileW = 58;
constexpr int kTileH = 30;
constexpr int kLastBaseFrame = 122;
constexpr int kLastRoadFrame = 83;
constexpr int kMountainBlocks = 5;
// The single buildings of the "Buildings" palette: quarry, lumber, mine, village.
constexpr std::array<int, 4> kSingleBuildingFrames = {0, 20, 30, 59};
constexpr int kTownBlockFrame = 47;
// Rows of the "Buildings" palette: the single tiles, then two rows each for
// the town and the castle.
constexpr int kTownRows = 1;
constexpr int kCastleRows = 3;
constexpr int kBuildingRows = 5;
// The choices of the palettes that are not a run of frames, in their order.
constexpr std::array<int, 6> kMountainIndices = {0, 1, 2, 3, 4, kBigMountainIndex};
constexpr std::array<int, 6> kBuildingIndices = {0, 1, 2, 3, kTownIndex, kCastleIndex};

bool isFramePalette(int type) {
    return type == kBasePalette || type == kRoadPalette;
}

int framePaletteTileset(int type) {
    return type == kBasePalette ? kBaseTiles : kRoadTiles;
}

int framePaletteLimit(int type) {
    return type == kBasePalette ? kLastBaseFrame : kLastRoadFrame;
}

}  // namespace

int lastPaletteFrame(const Graphics& gfx, int type) {
    if (!isFramePalette(type)) return -1;
    const int n = gfx.tilesets[std::size_t(framePaletteTileset(type))].frameCount;
    return std::min(n - 1, framePaletteLimit(type));
}

PixelSize paletteSize(const Graphics& gfx, int type, int s) {
    switch (type) {
        case kBasePalette:
        case kRoadPalette: {
            const int last = lastPaletteFrame(gfx, type);
            const int rows = last < 0 ? 1 : last / kColumns + 1;
            return {kColumns * kTileW * s, rows * kTileH * s};
        }
        case kMountainPalette:
            return {6 * kTileW * s, 7 * kTileH * s};
        case kBuildingPalette:
            return {4 * kTileW * s, kBuildingRows * kTileH * s};
        default:
            return {};
    }
}

std::optional<TileChoice> tileChoice(int type, int index) {
    if (index < 0) return std::nullopt;
    switch (type) {
        case kBasePalette:
        case kRoadPalette:
            if (index > framePaletteLimit(type)) return std::nullopt;
            return TileChoice{1, framePaletteTileset(type), index, kTileW * (index % kColumns),
                              kTileH * (index / kColumns)};
        case kMountainPalette:
            if (index == kBigMountainIndex)
                return TileChoice{3, kMountainTiles, 4 * kMountainBlocks - 4, 0, 4 * kTileH};
            if (index >= kMountainBlocks) return std::nullopt;
            return TileChoice{2, kMountainTiles, 4 * index, 2 * kTileW * (index % 3),
                              2 * kTileH * (index / 3)};
        case kBuildingPalette:
            if (index < int(kSingleBuildingFrames.size()))
                return TileChoice{1, kTownTiles, kSingleBuildingFrames[std::size_t(index)],
                                  kTileW * index, 0};
            if (index == kTownIndex)
                return TileChoice{2, kTownTiles, kTownBlockFrame, 0, kTownRows * kTileH};
            if (index == kCastleIndex)
                return TileChoice{2, kCastleTiles, 0, 0, kCastleRows * kTileH};
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

std::optional<int> paletteIndexAt(const Graphics& gfx, int type, int px, int py, int s) {
    const PixelSize size = paletteSize(gfx, type, s);
    if (s < 1 || px < 0 || py < 0 || px >= size.width || py >= size.height) return std::nullopt;
    const int column = px / (kTileW * s), row = py / (kTileH * s);
    switch (type) {
        case kBasePalette:
        case kRoadPalette: {
            const int k = row * kColumns + column;
            if (k > lastPaletteFrame(gfx, type)) return std::nullopt;
            return k;
        }
        case kMountainPalette: {
            if (row >= 4) return kBigMountainIndex;
            const int blockRow = row / 2, blockColumn = column / 2;
            // The second row holds two blocks; the place of a third stays empty.
            const int i = 3 * blockRow + blockColumn;
            if (i >= kMountainBlocks) return std::nullopt;
            return i;
        }
        case kBuildingPalette:
            if (row == 0) return column;
            if (row <= kTownRows + 1) return kTownIndex;
            if (row < kBuildingRows) return kCastleIndex;
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

int neighbourPaletteIndex(const Graphics& gfx, int type, int index, int step) {
    if (step == 0) return index;
    if (isFramePalette(type)) {
        const int next = index + step;
        return next >= 0 && next <= lastPaletteFrame(gfx, type) ? next : index;
    }
    const auto& order = type == kMountainPalette ? kMountainIndices : kBuildingIndices;
    const auto at = std::find(order.begin(), order.end(), index);
    if (at == order.end()) return order.front();
    if (step > 0) return at + 1 == order.end() ? index : *(at + 1);
    return at == order.begin() ? index : *(at - 1);
}

void drawTileChoice(const PixelTarget& target, const Graphics& gfx, const TileChoice& choice, int s,
                    int x, int y) {
    const Tileset& ts = gfx.tilesets[std::size_t(choice.tileset)];
    switch (choice.blockSize) {
        case 1:
            drawFrame(target, ts, gfx.palette, choice.firstFrame, s, x, y);
            break;
        case 2:
            draw2x2Block(target, ts, gfx.palette, choice.firstFrame, s, x, y);
            break;
        case 3:
            draw3x3Block(target, ts, gfx.palette, choice.firstFrame, s, x, y);
            break;
        default:
            break;
    }
}

void drawTilePalette(const PixelTarget& target, const Graphics& gfx, int type, int s) {
    if (!target.pixels) return;
    for (int y = 0; y < target.height; ++y)
        fillPixels(target.row(y), std::size_t(target.width), kBlackPixel);
    if (isFramePalette(type)) {
        const Tileset& ts = gfx.tilesets[std::size_t(framePaletteTileset(type))];
        for (int k = 0; k <= lastPaletteFrame(gfx, type); ++k)
            drawFrame(target, ts, gfx.palette, k, s, kTileW * s * (k % kColumns),
                      kTileH * s * (k / kColumns));
        return;
    }
    const auto& order = type == kMountainPalette ? kMountainIndices : kBuildingIndices;
    for (int index : order)
        if (auto c = tileChoice(type, index)) {
            // A block's box starts where its selection frame does.
            drawTileChoice(target, gfx, *c, s, c->frameX * s, c->frameY * s);
        }
}

}  // namespace d7::tiles
