// Placing what the tile selector offers: base tiles, road-tileset tiles,
// mountains and buildings, with the rules for what each covers and replaces.
#pragma once

#include "core/model/editor_state.h"
#include "core/model/ports.h"

namespace d7 {

// The tile selector's palettes ("Tileset" radio items).
enum class TileKind : int { Base = 0, Roads = 1, Mountains = 2, Buildings = 3 };

// Indices of the "Buildings" palette.
namespace building {
inline constexpr int kQuarry = 0;
inline constexpr int kLumber = 1;
inline constexpr int kMine = 2;
inline constexpr int kVillage = 3;
inline constexpr int kTown = 4;
inline constexpr int kCastle = 5;
}  // namespace building

// Index of the 3 x 3 block in the "Mountains" palette (0..4 are 2 x 2 blocks).
inline constexpr int kMountain3x3Index = 6;

// Footprint (1, 2 or 3) of palette index tile of kind, as the tile selector gives it.
int footprintOf(TileKind kind, int tile);

// Places palette index tile of kind with its top-left cell at (x, y); size is
// the footprint. Takes the undo snapshot first and runs the analysis pass
// last, also when a rule refuses the placement. Refusals and the questions
// before a town or castle is replaced go through prompt.
void placeTile(EditorState& st, Prompt& prompt, int x, int y, int tile, int size, TileKind kind);

}  // namespace d7
