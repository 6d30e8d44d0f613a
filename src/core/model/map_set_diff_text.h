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
#include <vector>

#include "core/model/map_set_diff.h"

namespace d7 {

// The lines of one map (nothing when it does not differ), each ending in '\n'.
void appendMapDiffText(std::string& out, const MapDiff& diff);

// The report of map n as separate lines: its lines (or "map N "NAME": no
// differences"), then the set-wide lines.
std::vector<std::string> mapDiffReport(const MapSetDiff& diff, int n, const std::string& name);

// Every differing map, then the set-wide lines; nothing when the sets are identical.
void writeMapSetDiffText(std::ostream& out, const MapSetDiff& diff);
std::string mapSetDiffText(const MapSetDiff& diff);

}  // namespace d7
