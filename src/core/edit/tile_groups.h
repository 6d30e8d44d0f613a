// Tile groups: runs of interchangeable variants of one tile inside a tileset,
// and the two ways a random variant is picked from a group.
#pragma once

#include <array>

#include "core/model/random.h"

namespace d7 {

// Base tileset landmarks.
inline constexpr int kFirstGrassTile = 6;   // 0..5 are black (unset) land
inline constexpr int kFirstSeaTile = 22;    // 6..21 grassland, 22..37 open sea
inline constexpr int kFirstCoastTile = 38;  // 38..122 coast

// Road tileset landmarks.
inline constexpr int kForestGroup = 30;  // 30..37
inline constexpr int kFieldTile = 80;

// The pieces of 2 x 2 and 3 x 3 objects by part number (i + w * j for the
// cell in column i, row j of the block): the town's tiles, the offsets of a
// 2 x 2 mountain of type t from tile 4t, and the 3 x 3 mountain's tiles.
inline constexpr std::array<int, 4> kTownPartTiles = {0, 2, 1, 3};
inline constexpr std::array<int, 4> kMountain2x2PartTiles = {0, 2, 1, 3};
inline constexpr std::array<int, 9> kMountain3x3Tiles = {16, 18, 21, 17, 20, 23, 19, 22, 24};

// Number of variants of the group that starts at tile first of the tileset
// (M1 code); 0 when no group starts there.
int groupSize(int tileset, int first);

// The short pick: first + R(k - 1). The last variant is never chosen (grass
// 6..20, sea 22..36).
int shortPick(Random& rng, int tileset, int first);

// The half pick: first + R(2k - 1) div 2. Every variant can occur, the last
// one half as often as each other; a group of one gives its first tile.
int halfPick(Random& rng, int tileset, int first);

}  // namespace d7
