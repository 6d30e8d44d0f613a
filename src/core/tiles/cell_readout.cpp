#include "core/tiles/cell_readout.h"

#include "core/tiles/graphics.h"

namespace d7::tiles {

namespace {

// M1 code of the castle tiles as the viewer knows it (the map itself draws
// castles from their flag).
constexpr std::uint8_t kCastleCode = 16;
// The town block's frames begin after the town tileset's single tiles.
constexpr int kTownBlockFirstFrame = 47;

const char* const kFlagNames[7] = {"Road ",    "Border ", "Sea ", "Unpassable ",
                                   "Village ", "Field ",  "Town "};

std::uint8_t value(const CellPlane& plane, int x, int y) {
    return CellPlane::contains(x, y) ? plane.at(x, y) : 0;
}

}  // namespace

const char* tilesetLabel(int kind) {
    static const char* const kLabels[kTilesetCount] = {"Base", "Roads", "Mtns", "Towns", "Castles"};
    return kind >= 0 && kind < kTilesetCount ? kLabels[kind] : "";
}

CellFrame cellFrame(const WorkingPlanes& planes, int x, int y) {
    const std::uint8_t m1 = value(planes.M1, x, y);
    CellFrame f{kBaseTiles, value(planes.M2, x, y)};
    switch (m1) {
        case tileset::kMountain:
            f.tileset = kMountainTiles;
            break;
        case tileset::kRoad:
            f.tileset = kRoadTiles;
            break;
        case tileset::kTown:
            f.tileset = kTownTiles;
            if (value(planes.M0, x, y) == flags::kTown) f.frame += kTownBlockFirstFrame;
            break;
        case kCastleCode:
            f.tileset = kCastleTiles;
            break;
        default:
            break;
    }
    return f;
}

std::string flagNames(std::uint8_t m0, std::uint8_t m1) {
    std::string names;
    for (int bit = 0; bit < 7; ++bit)
        if (m0 & (1u << bit)) names += kFlagNames[bit];
    if (m0 & flags::kBuilding) names += m1 == tileset::kTown ? "Resource " : "Castle ";
    return names;
}

CellLabels cellLabels(const WorkingPlanes& planes, int x, int y) {
    CellLabels l;
    const std::uint8_t m0 = value(planes.M0, x, y);
    l.planes[0] = "M0: " + std::to_string(m0) + " " + flagNames(m0, value(planes.M1, x, y));
    for (int p = 1; p < 6; ++p)
        l.planes[std::size_t(p)] =
            "M" + std::to_string(p) + ": " + std::to_string(value(planes.cellPlane(p), x, y));
    const std::uint8_t ext4 = value(planes.Ext4, x, y);
    std::string bits;
    for (int bit = 7; bit >= 0; --bit) bits += (ext4 >> bit) & 1 ? '1' : '0';
    l.ext4 = "Ext4: " + std::to_string(ext4) + " " + bits;
    return l;
}

CellLabels hiddenCellLabels() {
    CellLabels l;
    l.planes[0] = "M0: N/A ";
    for (int p = 1; p < 6; ++p) l.planes[std::size_t(p)] = "M" + std::to_string(p) + ": N/A";
    l.ext4 = "Ext4: N/A";
    return l;
}

std::array<std::string, 3> seaMemo(const WorkingPlanes& planes, int x, int y) {
    std::array<std::string, 3> lines;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const bool sea =
                CellPlane::contains(x + dx, y + dy) && planes.M0.at(x + dx, y + dy) == flags::kSea;
            lines[std::size_t(dy + 1)] += sea ? "4 " : "X ";
        }
    return lines;
}

}  // namespace d7::tiles
