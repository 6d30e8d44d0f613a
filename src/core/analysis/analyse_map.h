// The analysis pass: derives the per-domain facts, starting domains, trader
// stops and routes, domain adjacency and the two cost matrices from the
// planes of the current map.
#pragma once

#include "core/model/editor_state.h"

namespace d7 {

// Rebuilds every table of AnalysisTables from the working planes M0..M5.
// Allocates nothing.
void AnalyseMap(EditorState& st);

}  // namespace d7
