// The text form of a map set comparison, one line per difference:
//   map N "NAME": K cells changed
//     X,Y  M0 a->b  M5 a->b          (only the planes that changed)
//     minimap mask: 12 bytes changed
//     domain 3 name "Ashby" -> "Ashford"
// and, after the maps, "map set:" with the trader names and map file headers.
// Names stay the byte strings they are in the game's files.
#pragma once

#include <ostream>
#include <string>

#include "core/model/map_set_diff.h"

namespace d7 {

// The lines of one map (nothing when it does not differ), each ending in '\n'.
void appendMapDiffText(std::string& out, const MapDiff& diff);

// Every differing map, then the set-wide lines; nothing when the sets are identical.
void writeMapSetDiffText(std::ostream& out, const MapSetDiff& diff);
std::string mapSetDiffText(const MapSetDiff& diff);

}  // namespace d7
