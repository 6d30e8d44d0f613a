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
    // Map files found nowhere when the set was loaded: blank ones stand in
    // for them, and a save writes them only when they are edited.
    std::vector<int> missingMapFiles;
    Bytes langStream;  // image of the language file
    bool namesChanged = false;
    // Writes into the images since the set was loaded or last saved; while it
    // is not zero the set in memory differs from its files.
    std::uint64_t unsavedWrites = 0;
    // Rises with every write into the images, every save and every load and
    // never goes back: whoever keeps a copy of the set can tell it is stale.
    std::uint64_t writeSerial = 0;

    std::vector<std::string> mapNames;     // entry 100, at least 60 items
    std::vector<std::string> domainNames;  // entry 99, 20 slots per map
    std::vector<std::string> traderNames;  // entry 4, at least 6 items
};

// Every write into the images reports itself through one of these, so that
// the change flags (which files a save writes) and the unsaved-changes count
// never disagree.
inline void markMapFileChanged(MapSet& set, int fileNumber) {
    set.extChanged[std::size_t(fileNumber)] = true;
    ++set.unsavedWrites;
    ++set.writeSerial;
}
inline void markNamesChanged(MapSet& set) {
    set.namesChanged = true;
    ++set.unsavedWrites;
    ++set.writeSerial;
}
// The map store is always written by a save; it has no flag of its own.
inline void markMapStoreChanged(MapSet& set) {
    ++set.unsavedWrites;
    ++set.writeSerial;
}
inline bool hasUnsavedChanges(const MapSet& set) {
    return set.unsavedWrites != 0;
}

}  // namespace d7
