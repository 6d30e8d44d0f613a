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
    int frameCount = 0;              // byte 2 of the file (0 when the file is shorter)
};

// Every pixel word the editor draws carries 0xFF in its top byte (see
// docs/ARCHITECTURE.md, "Pixels"); colours written #RRGGBB are the low 24 bits.
inline constexpr std::uint32_t kOpaque = 0xFF000000u;
inline constexpr std::uint32_t kBlackPixel = kOpaque;
constexpr std::uint32_t pixelOf(std::uint32_t rgb) {
    return kOpaque | (rgb & 0x00FFFFFFu);
}
constexpr std::uint32_t rgbOf(std::uint32_t pixel) {
    return pixel & 0x00FFFFFFu;
}

struct Palette {
    std::vector<std::uint8_t> raw;            // the palette file as read
    std::array<std::uint32_t, 256> pixel{};   // pixel word per index: 0xFFRRGGBB, blue lowest
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
    double brightness = 3.0;  // factor the palette tables were computed with
    bool dark = false;        // the brightness menu: false "Bright", true "Dark"
    ColourSets colourSets;
};

}  // namespace d7::tiles
