// The byte planes of one map. Working planes are stored as the files store
// them (row by row, y as the row), so loading and writing back are plain copies.
#pragma once

#include <array>
#include <cstdint>

#include "core/model/map_layout.h"

namespace d7 {

template <int Width, int Height>
struct BytePlane {
    static constexpr int kWidth = Width;
    static constexpr int kHeight = Height;
    static constexpr int kSize = Width * Height;

    std::array<std::uint8_t, kSize> bytes{};

    std::uint8_t& at(int column, int row) { return bytes[std::size_t(row) * Width + column]; }
    std::uint8_t at(int column, int row) const { return bytes[std::size_t(row) * Width + column]; }
    static constexpr bool contains(int column, int row) {
        return column >= 0 && column < Width && row >= 0 && row < Height;
    }
    void fill(std::uint8_t v) { bytes.fill(v); }
    bool operator==(const BytePlane&) const = default;
};

using CellPlane = BytePlane<kGrid, kGrid>;                      // M0..M5, Ext3, Ext4
using MinimapPlane = BytePlane<kMinimapSide, kMinimapSide>;     // Ext1, Ext2
using OutsidePlane = BytePlane<kOutsideWidth, kOutsideHeight>;  // Outline, Ext5

// M0 cell flags.
namespace flags {
inline constexpr std::uint8_t kRoad = 0x01;
inline constexpr std::uint8_t kBorder = 0x02;
inline constexpr std::uint8_t kSea = 0x04;
inline constexpr std::uint8_t kUnpassable = 0x08;
inline constexpr std::uint8_t kVillage = 0x10;
inline constexpr std::uint8_t kField = 0x20;
inline constexpr std::uint8_t kTown = 0x40;
inline constexpr std::uint8_t kBuilding = 0x80;  // castle, or resource when M1 & 0x0C == 0x0C
}  // namespace flags

// M1 tileset codes.
namespace tileset {
inline constexpr std::uint8_t kBase = 0;
inline constexpr std::uint8_t kMountain = 4;
inline constexpr std::uint8_t kRoad = 8;
inline constexpr std::uint8_t kTown = 12;
}  // namespace tileset

// The working copy of the current map: its block (M0..M5, Outline) and its Ext record.
struct WorkingPlanes {
    CellPlane M0, M1, M2, M3, M4, M5;
    OutsidePlane Outline;
    MinimapPlane Ext1, Ext2;
    CellPlane Ext3, Ext4;
    OutsidePlane Ext5;

    // Plane p of the map block, 0..5 for M0..M5.
    CellPlane& cellPlane(int p) { return *blockPlanes()[std::size_t(p)]; }
    const CellPlane& cellPlane(int p) const {
        return *const_cast<WorkingPlanes*>(this)->blockPlanes()[std::size_t(p)];
    }
    bool operator==(const WorkingPlanes&) const = default;

  private:
    std::array<CellPlane*, 6> blockPlanes() { return {&M0, &M1, &M2, &M3, &M4, &M5}; }
};

}  // namespace d7
