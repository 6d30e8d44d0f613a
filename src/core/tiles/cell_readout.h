// What the tile viewer says about one cell of the map: the frame drawn for
// it, the names of its M0 flags, the texts of its plane labels and the sea
// around it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/model/planes.h"

namespace d7::tiles {

// The tile viewer's names of the five tilesets, in load order.
const char* tilesetLabel(int kind);

// The tileset and frame the viewer shows for cell (x, y): the tileset its M1
// names (a town block's frames follow the 47 single town frames).
struct CellFrame {
    int tileset = 0;
    int frame = 0;
    bool operator==(const CellFrame&) const = default;
};
CellFrame cellFrame(const WorkingPlanes& planes, int x, int y);

// The names of the set flags of an M0 value, each followed by a blank, in
// bit order; bit 0x80 is a resource on a town tile and a castle elsewhere.
std::string flagNames(std::uint8_t m0, std::uint8_t m1);

// The texts of the labels lm0..lm5 and lext.
struct CellLabels {
    std::array<std::string, 6> planes;
    std::string ext4;
    bool operator==(const CellLabels&) const = default;
};
CellLabels cellLabels(const WorkingPlanes& planes, int x, int y);
// What the labels read while the viewer is hidden.
CellLabels hiddenCellLabels();

// Three lines for rows y - 1, y, y + 1, each with "4 " for a sea cell and
// "X " for any other cell (or a place off the map) in columns x - 1, x, x + 1.
std::array<std::string, 3> seaMemo(const WorkingPlanes& planes, int x, int y);

}  // namespace d7::tiles
