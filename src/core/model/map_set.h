// The map set in memory: the whole-file images of the game's map store, its
// fifteen map files and its language file, with their changed flags and the
// name lists read from the language file.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/model/map_layout.h"

namespace d7 {

using Bytes = std::vector<std::uint8_t>;

struct MapSet {
    Bytes mapStore;  // image of k7_maps.dat: 60 map blocks
    // Images of map01.pl8 .. map15.pl8 at indices 1..15 (index 0 unused).
    std::array<Bytes, kMapFileCount + 1> extStreams;
    std::array<bool, kMapFileCount + 1> extChanged{};
    Bytes langStream;  // image of the language file
    bool namesChanged = false;

    std::vector<std::string> mapNames;     // entry 100, at least 60 items
    std::vector<std::string> domainNames;  // entry 99, 20 slots per map
    std::vector<std::string> traderNames;  // entry 4, at least 6 items
};

}  // namespace d7
