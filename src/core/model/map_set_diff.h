// What differs between two map sets: map by map the cells whose M0..M5
// differ, the number of changed bytes in the outline and in each Ext plane,
// the map and domain names; over the whole set the trader names and the map
// files' headers. The first set is the earlier one ("before"), the second the
// later one ("after").
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/model/map_set.h"

namespace d7 {

// One cell whose planes differ; bit p of `changed` is set when Mp differs.
struct CellChange {
    std::uint8_t x = 0;
    std::uint8_t y = 0;
    std::uint8_t changed = 0;
    std::array<std::uint8_t, 6> before{};
    std::array<std::uint8_t, 6> after{};

    bool planeChanged(int p) const { return (changed >> p) & 1; }
};

// The planes compared as a count of changed bytes, in report order.
enum AuxPlane : int { kAuxOutline, kAuxExt1, kAuxExt2, kAuxExt3, kAuxExt4, kAuxExt5, kAuxPlanes };
// Their plane names (as keys) and what the game uses them for (as labels).
inline constexpr const char* kAuxPlaneKeys[kAuxPlanes] = {"Outline", "Ext1", "Ext2",
                                                          "Ext3",    "Ext4", "Ext5"};
inline constexpr const char* kAuxPlaneLabels[kAuxPlanes] = {
    "outline", "minimap mask", "minimap image", "domain copy", "feature codes", "outside lands"};

// A changed name: the map's own name, domain list entry `index` (0 the land
// without domain, 1..16 the domains) or trader `index` (1..6).
struct NameChange {
    enum Kind { kMap, kDomain, kTrader } kind = kMap;
    int index = 0;
    std::string before;
    std::string after;
};

struct MapDiff {
    int map = 0;
    std::string name;               // the map's name in the later set
    std::vector<CellChange> cells;  // y, then x
    std::array<int, kAuxPlanes> auxBytes{};
    std::vector<NameChange> names;  // the map name first, then domains in list order

    bool empty() const;
};

// A map file whose header (the bytes both files hold of it) or size differs.
struct MapFileChange {
    int file = 0;  // 1..15
    int headerBytes = 0;
    std::size_t sizeBefore = 0;
    std::size_t sizeAfter = 0;
};

struct MapSetDiff {
    std::vector<MapDiff> maps;  // only maps that differ, in map order
    std::vector<NameChange> traderNames;
    std::vector<MapFileChange> mapFiles;

    bool identical() const { return maps.empty() && traderNames.empty() && mapFiles.empty(); }
};

// Map n of the two sets. A block or Ext record a buffer is too short to hold
// (an empty map file) compares as zero bytes; nothing outside a plane is read.
MapDiff compareMap(const MapSet& before, const MapSet& after, int n);

// Every map and the set-wide facts.
MapSetDiff compareMapSets(const MapSet& before, const MapSet& after);
// Only the maps listed (each 0..59, in the order given) and the set-wide
// facts: what a comparison of one map's view needs.
MapSetDiff compareMapSets(const MapSet& before, const MapSet& after, std::span<const int> maps);

}  // namespace d7
