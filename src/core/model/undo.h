// The one level of undo every editing command relies on.
#pragma once

#include <cstdint>

#include "core/model/editor_state.h"

namespace d7 {

// Copies the current map's image (block and Ext record as they stand in the
// map set) into the undo buffer and marks it valid. Every editing command
// calls it once before it changes anything.
void pushUndo(EditorState& st);

}  // namespace d7
