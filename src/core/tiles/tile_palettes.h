// The four tile palettes of the tile selector: pictures of the tilesets from
// which the "Maptiles" edit type's tile is chosen, what each index of a
// palette stands for, and which index a click on a palette picture chooses.
// Positions and sizes are in pixels at tile scale s (1 or 2).
#pragma once

#include <optional>

#include "core/tiles/frame_drawing.h"
#include "core/tiles/graphics.h"

namespace d7::tiles {

enum PaletteType : int {
    kBasePalette = 0,
    kRoadPalette = 1,
    kMountainPalette = 2,
    kBuildingPalette = 3,
};
inline constexpr int kPaletteTypes = 4;

// Indices of the palettes that are not a plain run of frames.
inline constexpr int kBigMountainIndex = 6;  // the 3 x 3 mountain
inline constexpr int kTownIndex = 4;
inline constexpr int kCastleIndex = 5;

struct PixelSize {
    int width = 0;
    int height = 0;
    bool operator==(const PixelSize&) const = default;
};

// The last frame a 7-column palette shows: the tileset's last frame, but no
// further than the palette goes (-1 for an empty tileset). Other palettes: -1.
int lastPaletteFrame(const Graphics& gfx, int type);

// The picture size of a palette.
PixelSize paletteSize(const Graphics& gfx, int type, int s);

// What choosing an index of a palette puts on the map, and where its
// selection frame lies on the palette picture.
struct TileChoice {
    int blockSize = 1;  // cells per side: 1, 2 or 3
    int tileset = kBaseTiles;
    int firstFrame = 0;
    int frameX = 0;  // top-left corner of the selection frame at scale 1
    int frameY = 0;
    bool operator==(const TileChoice&) const = default;
};

// Nothing for an index the palette does not have: above 122 in "Base", above
// 83 in "Roads", 5 or above 6 in "Mountains", above 5 in "Buildings".
std::optional<TileChoice> tileChoice(int type, int index);

// The index a click at (px, py) on the palette picture chooses; nothing for
// the empty places of a palette, including the places after the last frame of
// a 7-column palette (frames the tileset does not have).
std::optional<int> paletteIndexAt(const Graphics& gfx, int type, int px, int py, int s);

// The next index after (step > 0) or before (step < 0) index that the
// palette shows, moving |step| frames at a time in the 7-column palettes and
// one choice at a time in the others; index itself when there is none.
int neighbourPaletteIndex(const Graphics& gfx, int type, int index, int step);

// Draws the palette picture into target (of paletteSize) on black. The
// tilesets are drawn as they are, whatever their state: callers clear the
// picture instead when the editor is not Ready.
void drawTilePalette(const PixelTarget& target, const Graphics& gfx, int type, int s);

// Draws the choice as a 1 x 1, 2 x 2 or 3 x 3 block from its first frame
// with the top-left corner of the block's box at (x, y).
void drawTileChoice(const PixelTarget& target, const Graphics& gfx, const TileChoice& choice, int s,
                    int x, int y);

}  // namespace d7::tiles
