// A repair that a map check offers with one of its findings: what it does
// and where, so that it can be applied later, named in a report and tested
// again before it is applied (the map may have changed since the check).
#pragma once

#include <cstddef>
#include <string>

#include "core/analysis/analysis_tables.h"

namespace d7 {

enum class FixKind {
    NeighbourDomain,   // the cell takes the domain most of its neighbours carry
    PlaceCastleAgain,  // the castle is placed again on its own block
    ConnectCastle,     // a road from the castle's block to the nearest road
    ConnectTown,       // a road from the town's block to the nearest road
    PaveOffroad,       // the off-road cells of the walk between two towns become road
    RenumberDomains,   // the used domains become 1..k in their order
    BlackToGrass,      // the black tiles become grassland
    BlackToSea,        // the black tiles become sea
    CreateSubmaps,     // "Create and Set all Submaps", keeping a painted outside map
};

struct MapFix {
    FixKind kind = FixKind::CreateSubmaps;
    Point cell;      // the cell a domain fix names; a castle's or town's main cell
    int domain = 0;  // the domain offered; the domain whose town a walk starts at
    int other = 0;   // the domain whose town a walk ends at; the count of used domains

    bool operator==(const MapFix&) const = default;
};

// A fix offered for line `line` of a report. A line may have several (the
// black tiles: grassland or sea); the first is the one "Fix All" applies.
struct OfferedFix {
    std::size_t line = 0;
    MapFix fix;
};

// What the fix does, as a phrase: "lay a road from the town to the network".
std::string fixDescription(const MapFix& fix);

}  // namespace d7
