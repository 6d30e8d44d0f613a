// What tells the seasons apart: the colours of the ground, the sea, the trees,
// the fields and the snow on roofs, and the ground and water textures every
// tile is painted on.
#pragma once

#include <cstdint>

#include "samplegen/palette_art.h"
#include "samplegen/raster.h"

namespace d7::samplegen {

enum class Season : int { Spring = 0, Summer = 1, Autumn = 2, Winter = 3 };
inline constexpr int kSeasons = 4;

struct SeasonStyle {
    Season season;
    Ramp ground;      // grassland (snow in winter)
    int groundLevel;  // middle shade of the ground
    Ramp sand;        // beaches (snow in winter)
    int sandLevel;
    Ramp shallows;  // water next to the land (ice in winter)
    Ramp leaves;    // crowns of broad-leaved trees
    bool bareTrees;
    bool snowOnTops;  // roofs, conifers and mountains carry snow
    double snowLine;  // height share above which mountains are white

    bool winter() const { return season == Season::Winter; }
};

SeasonStyle styleOf(Season s);

// The ground at cell point p of box pixel (px, py). variant changes the
// patches inside the cell but not along its edges, so all ground tiles of a
// season join without seams.
std::uint8_t groundColour(const SeasonStyle& st, CellPoint p, int px, int py, int variant);
// The ground with its small details (flowers, leaves, snow glitter).
std::uint8_t groundWithDetail(const SeasonStyle& st, CellPoint p, int px, int py, int variant);
// Open water at cell point p; variant as for the ground.
std::uint8_t seaColour(const SeasonStyle& st, CellPoint p, int px, int py, int variant);

// Shades a colour of a ramp by steps (negative darker), staying in its ramp.
std::uint8_t shadeWithin(std::uint8_t colour, int steps);

}  // namespace d7::samplegen
