// The one level of undo every editing command relies on, and the map image it
// is made of (a map's block followed by its Ext record, as single-map files
// also store it).
#pragma once

#include <cstdint>
#include <span>

#include "core/model/editor_state.h"

namespace d7 {

// Copies the current map's image (block and Ext record as they stand in the
// map set) into the undo buffer and marks it valid. Every editing command
// calls it once before it changes anything.
void pushUndo(EditorState& st);

// Writes a map image back as the current map: the block into the map store
// and the Ext record into the map file, which is marked changed. The working
// planes are not touched (reloadCurrentMap or selectMap follows). The image
// must hold at least kMapImageSize bytes; only those are used.
void writeMapImage(EditorState& st, std::span<const std::uint8_t> image);

// The map window's "Undo": when an undo record exists, restores the current
// map's planes from it (names stay as they are), forgets the record, reloads
// the map with its analysis pass and marks every trade route for
// recomputation. Does nothing without a record. The caller redraws.
void undoLastEdit(EditorState& st);

}  // namespace d7
