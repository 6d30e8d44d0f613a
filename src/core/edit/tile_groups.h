// Tile groups: runs of interchangeable variants of one tile inside a tileset,
// and the two ways a random variant is picked from a group.
#pragma once

#include "core/model/random.h"

namespace d7 {

// Base tileset landmarks.
inline constexpr int kFirstGrassTile = 6;   // 0..5 are black (unset) land
inline constexpr int kFirstSeaTile = 22;    // 6..21 grassland, 22..37 open sea
inline constexpr int kFirstCoastTile = 38;  // 38..122 coast

// Road tileset landmarks.
inline constexpr int kForestGroup = 30;  // 30..37
inline constexpr int kFieldTile = 80;

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
