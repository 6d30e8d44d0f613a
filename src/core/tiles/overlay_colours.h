// The fixed colour tables of the overlays (domain numbers, trader numbers,
// trade routes) and the colour lookups. Colours are 0xRRGGBB.
#pragma once

#include <cstdint>

#include "core/tiles/graphics.h"

namespace d7::tiles {

inline constexpr std::uint32_t kWhite = 0xFFFFFF;

// Colour set numbers: the table each selects.
inline constexpr int kTableA = 0;
inline constexpr int kTableB = 1;
inline constexpr int kTableD = 3;

// Entry index of the set's table; white for an index outside the table or an
// unknown set.
std::uint32_t overlayColour(int index, int set);

// Entry index (0..20) of table A; white otherwise.
std::uint32_t tableAColour(int index);

// The highest index of table A whose colour is rgb; 0 when none is.
int tableAIndex(std::uint32_t rgb);

// The lowest palette index whose canvas colour is rgb; 0 when none is.
int paletteIndex(const Palette& palette, std::uint32_t rgb);

// The colour sets of the two brightness settings.
constexpr ColourSets brightColourSets() {
    return {kTableD, kTableD, kTableB};
}
constexpr ColourSets darkColourSets() {
    return {kTableA, kTableA, kTableB};
}

}  // namespace d7::tiles
