// Turns a map plan into a map of the editor's state, through the editor's
// own operations (cell writers, placement, roads, coast and border tiles,
// markers and the derived Ext planes), so that the planes, the map store and
// the Extstreams stay consistent exactly as editing would leave them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/model/editor_state.h"
#include "samplegen/map_plan.h"

namespace d7::samplegen {

// Builds the plan into map plan.number of st, which must hold a map store and
// map files of the full sizes; the map's block and record should be zero.
// The map is selected, and st.rng is reseeded from variantSeed for the
// random tile variants. Returns the messages the placement operations gave
// (none when every placement was accepted).
std::vector<std::string> buildMap(EditorState& st, const MapPlan& plan, std::uint64_t variantSeed);

// The rules the game checks, on the current map after an analysis pass:
// every broken one as a line; empty when the map is sound. Covers the
// contents of each domain, road access and road distances between the towns
// of neighbouring domains (at most 150 steps along roads), starting
// positions, traders, domain numbering, cells without domain and black
// cells, and the agreement of the Ext record with the map.
std::vector<std::string> mapProblems(EditorState& st);

}  // namespace d7::samplegen
