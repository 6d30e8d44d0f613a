// Tilesets, palette and overlay colour sets: everything the map picture is
// drawn with. Loaded from the game's .pl8 directory.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace d7::tiles {

// The five tilesets, in load order.
enum TilesetKind : int {
    kBaseTiles = 0,
    kRoadTiles = 1,
    kMountainTiles = 2,
    kTownTiles = 3,
    kCastleTiles = 4
};
inline constexpr int kTilesetCount = 5;

struct Tileset {
    std::vector<std::uint8_t> data;  // the whole file
    int frameCount = 0;              // byte 2 of the file
};

struct Palette {
    std::vector<std::uint8_t> raw;            // the palette file as read
    std::array<std::uint32_t, 256> pixel{};   // pixel word per index: blue lowest, top byte 0
    std::array<std::uint32_t, 256> canvas{};  // the same colour as 0xRRGGBB
};

// Which overlay colour table each overlay uses: 0 table A, 1 table B, 3 table D.
struct ColourSets {
    int domain = 3;
    int route = 3;
    int trader = 1;
};

struct Graphics {
    std::array<Tileset, kTilesetCount> tilesets;
    bool tilesetsLoaded = false;
    int season = 0;  // 0 spring, 1 summer, 2 autumn, 3 winter
    Palette palette;
    bool paletteLoaded = false;
    double brightness = 3.0;  // 3.0 "Bright", 1.5 "Dark"
    ColourSets colourSets;
};

}  // namespace d7::tiles
