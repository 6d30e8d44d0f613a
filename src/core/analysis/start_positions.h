// The five players' starting positions: the number 1..5 that the part-1 cell
// of a castle carries in M4. Castle cells are those with the building flag on
// a tileset other than the resources'.
#pragma once

#include "core/model/editor_state.h"
#include "core/model/ports.h"

namespace d7 {

inline constexpr const char* kStartposCaption = "Startpos";

// Takes starting position k off the castles that carry it (x outer, y inner)
// and runs the analysis pass.
void RemoveStart(EditorState& st, int k);
// Puts starting position k on the part-1 cell of the first castle of domain d
// (x outer, y inner), sets StartDomains[k] and runs the analysis pass; false,
// and nothing changed, when the domain has no such cell.
bool AssignStart(EditorState& st, int k, int d);

// The domain list's "Starting Position" k for list entry d: refuses entries
// below 1 ("Invalid County Nr!"), else moves position k to domain d, and says
// "No Castle found!" when the domain has no castle (k is then unassigned).
void setStartingPosition(EditorState& st, Prompt& prompt, int k, int d);

// The map popup's "Set Starting Position" k on cell (x, y): the castle
// covering the cell gets position k on its part-1 cell. False, and nothing
// changed, when the cell is no castle cell or its castle's part-1 cell lies
// off the map.
bool setStartAt(EditorState& st, int x, int y, int k);

}  // namespace d7
