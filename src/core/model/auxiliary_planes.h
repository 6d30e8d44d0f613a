// The pictures the game keeps beside each map, derived from the map itself:
// the minimap domain mask (Ext1), the minimap image (Ext2), the map of the
// outside lands (Ext5) and the outline (Outline).
#pragma once

#include "core/model/editor_state.h"

namespace d7 {

// Ext1 from M5: each cell with a domain 1..16 covers two pixels of its column
// x - y + 64, rows x + y and x + y + 1.
void buildDomainMask(EditorState& st);
// Ext2 from Ext1: 63 on domain edges, 10 around them, 11 or 12 (at random)
// inside domains.
void buildMinimapImage(EditorState& st);
// Ext5 from M0: 4 for sea cells, 3 for other cells, 9 where no cell falls.
void buildOutsideMap(EditorState& st);
// Outline from Ext5: 22 where the outside map holds more than 3, else 6.
void buildOutline(EditorState& st);

// All four, each written back into the current map's record and block, with
// the map file marked changed ("Create and Set all Submaps").
void createAllSubmaps(EditorState& st);

}  // namespace d7
