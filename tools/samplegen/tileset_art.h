// The tileset art of the sample game: five tilesets for each of the four
// seasons, every frame painted from the palette of palette_art.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/tiles/graphics.h"
#include "samplegen/season_style.h"
#include "samplegen/tileset_writer.h"

namespace d7::samplegen {

// Frame counts of the five tilesets.
inline constexpr int kBaseFrames = 123;
inline constexpr int kRoadFrames = 84;
inline constexpr int kMountainFrames = 25;
inline constexpr int kTownFrames = 60;
inline constexpr int kCastleFrames = 12;

std::vector<Frame> baseFrames(const SeasonStyle& style);
std::vector<Frame> roadFrames(const SeasonStyle& style);
std::vector<Frame> mountainFrames(const SeasonStyle& style);
std::vector<Frame> townFrames(const SeasonStyle& style);
std::vector<Frame> castleFrames(const SeasonStyle& style);

// The frames of one tileset (tiles::TilesetKind) of one season.
std::vector<Frame> tilesetFrames(int kind, Season season);

// The file bytes of one tileset of one season, named by tiles::tilesetFileName.
std::vector<std::uint8_t> tilesetFile(int kind, Season season);

// Which land neighbours a coast tile group shows, as the nine cells of the
// 3 x 3 neighbourhood row by row from (x-1, y-1) (true = land); the canonical
// case of each group of the coast table. Nothing for base tiles outside 38..122.
struct CoastShape {
    int firstTile;
    int variants;
    const char* land;  // nine characters '0' / '1'
};
const CoastShape* coastShapeOf(int tile);

}  // namespace d7::samplegen
