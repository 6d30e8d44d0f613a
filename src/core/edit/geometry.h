// The isometric grid: map bounds, the projection between cells and pixels of
// the map picture, the neighbourhoods the editing rules look at, and the
// predicates that classify a cell from its planes. Nothing here changes a map.
#pragma once

#include <array>
#include <optional>

#include "core/analysis/analysis_tables.h"
#include "core/model/planes.h"

namespace d7 {

struct Offset {
    int dx;
    int dy;
};

// Directions 0..7 clockwise from (x, y - 1).
inline constexpr std::array<Offset, 8> kDirections = {
    {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}}};

// (x-1, y), (x+1, y), (x, y-1), (x, y+1).
inline constexpr std::array<Offset, 4> kFourNeighbours = {{{-1, 0}, {1, 0}, {0, -1}, {0, 1}}};
// The two cells whose common edge with (x, y) lies on the upper side of the diamond.
inline constexpr std::array<Offset, 2> kUpperNeighbours = {{{-1, 0}, {0, -1}}};
// The ring around the 2 x 2 block whose top-left cell is (x, y).
inline constexpr std::array<Offset, 8> kBlockRing = {
    {{-1, 0}, {-1, 1}, {0, -1}, {1, -1}, {2, 0}, {2, 1}, {0, 2}, {1, 2}}};

// Size of a tile box at zoom 1, and the x offset of cell (0, 0)'s box.
inline constexpr int kTileWidth = 58;
inline constexpr int kTileHeight = 30;
inline constexpr int kMapOriginX = 1827;  // 63 * 29: cell (0, 63) starts at x = 0
inline constexpr int kMapPictureWidth = 3712;
inline constexpr int kMapPictureHeight = 1920;

constexpr bool inMap(int x, int y) {
    return x >= 0 && x < kGrid && y >= 0 && y < kGrid;
}

struct PixelPoint {
    int x;
    int y;
    bool operator==(const PixelPoint&) const = default;
};

// Top-left pixel of the cell's tile box in the map picture at zoom z.
constexpr PixelPoint cellToScreen(int x, int y, int z) {
    return {(29 * (x - y) + kMapOriginX) * z, 15 * (x + y) * z};
}

// num / den rounded to the nearest integer, halves to the even neighbour
// (den > 0): the projections round this way so that halves are exact.
long long roundHalfEven(long long num, long long den);

// The cell under a pixel of the map picture (nearest, halves to even). May
// lie off the map; callers test it with inMap.
Point screenToCell(int px, int py, int z);

// Cell predicates on the working planes. Off the map they are all false.
bool isRoad(const WorkingPlanes& p, int x, int y);
bool isBorder(const WorkingPlanes& p, int x, int y);
bool isSea(const WorkingPlanes& p, int x, int y);
bool isForest(const WorkingPlanes& p, int x, int y);
bool isMountain(const WorkingPlanes& p, int x, int y);
bool isVillage(const WorkingPlanes& p, int x, int y);
bool isField(const WorkingPlanes& p, int x, int y);
bool isTown(const WorkingPlanes& p, int x, int y);
bool isCastle(const WorkingPlanes& p, int x, int y);
bool isResource(const WorkingPlanes& p, int x, int y);

// Footprint of the object covering the cell: 3 for mountain tiles 16 and up,
// 2 for other mountain tiles, castles and towns, 1 otherwise.
int objectSize(const WorkingPlanes& p, int x, int y);
// The part-0 cell of a w x w object from the cell's part number.
Point objectOrigin(const WorkingPlanes& p, int x, int y, int w);
// 1 when the four cells of the 2 x 2 block at (x, y) share one domain, more
// otherwise. A block that leaves the map never counts as one domain.
int blockDomainCount(const WorkingPlanes& p, int x, int y);
// Road cells in the ring of the 2 x 2 block at (x, y); cells off the map do not count.
int blockRoadCount(const WorkingPlanes& p, int x, int y);
// The domain number entry i of the domain list stands for: 32 for entry 0.
constexpr int listDomain(int i) {
    return i == 0 ? kLandWithoutDomain : i;
}

// Which tileset frame draws a cell (castle pieces and villages are drawn over it).
struct DrawSource {
    int tileset;  // tiles::TilesetKind: base, roads, mountains or towns
    int frame;
};
std::optional<DrawSource> drawSource(const WorkingPlanes& p, int x, int y);

}  // namespace d7
