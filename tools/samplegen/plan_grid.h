// Small helpers shared by the planning steps: neighbour offsets, searches
// over the grid and the distance of domain cells from their domain's edge.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "samplegen/map_plan.h"

namespace d7::samplegen::planning {

inline constexpr std::array<std::array<int, 2>, 4> kOrthogonal = {
    {{0, -1}, {1, 0}, {0, 1}, {-1, 0}}};
inline constexpr std::array<std::array<int, 2>, 8> kAround = {
    {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}}};

// Value noise on the grid, smooth between integer lattice points, in [0, 1].
double gridNoise(double x, double y, std::uint32_t seed);
// Four octaves of gridNoise with the first at the given scale (cells).
double fractalNoise(double x, double y, double scale, std::uint32_t seed);

// For every cell of a domain, its Chebyshev distance to the nearest cell
// outside the domain (sea, another domain or off the map): 1 on the domain's
// edge. 0 for sea.
CellGrid<int> edgeDistance(const MapPlan& plan);

// Chebyshev distance between two cells.
int chebyshev(Cell a, Cell b);

// Whether any of the eight cells around (x, y) has one of the uses.
bool touchesUse(const MapPlan& plan, int x, int y, std::initializer_list<Use> uses);

// Whether the cell would show a domain edge: an upper neighbour ((x-1, y) or
// (x, y-1)) is land of another domain.
bool wouldBeBordered(const MapPlan& plan, int x, int y);

// The eight cells around a 2 x 2 block whose top-left cell is (x, y).
std::array<Cell, 8> blockRing(Cell origin);
// The four cells of a 2 x 2 block.
std::array<Cell, 4> blockCells(Cell origin);

// A uniformly random element index below n drawn from rng.
inline int pick(Random& rng, int n) {
    return rng.below(n);
}

}  // namespace d7::samplegen::planning
