// Copying a rectangle of the map into the clipboard, turning or mirroring it
// into the transformed buffer, and pasting a buffer back (plainly, or with the
// roads, coast and borders of the pasted cells fixed afterwards).
#pragma once

#include "core/model/area_buffer.h"
#include "core/model/editor_state.h"

namespace d7 {

// How "Paste Options" turn the clipboard (0 "None" leaves it as it is).
enum class AreaTransform : int {
    Rotate90 = 1,
    Rotate180 = 2,
    Rotate270 = 3,
    MirrorX = 4,  // top and bottom swap
    MirrorY = 5,  // left and right swap
};

// "Copy Area": fills the clipboard with the cells of r (any two opposite
// corners). A castle or town that r cuts is stored as plain land: a cut town
// cell as random grassland, a cut castle cell without its castle flag. Whole
// castles and towns lose their starting position and trader numbers. Takes no
// undo snapshot and changes no cell.
void copyArea(EditorState& st, const CellRect& r);

// "Paste Options": the clipboard turned or mirrored into the transformed
// buffer, with the part numbers and tiles of castles, towns and mountains
// made to match their new places. An empty clipboard gives an empty buffer.
void transformArea(EditorState& st, AreaTransform op);

// Whether the popup's "Paste Area" accepts position (x, y): it keeps the
// last column and row of the map free (x + width < 64, y + height < 64).
bool pasteAreaFits(const AreaBuffer& area, int x, int y);
// Whether the whole area lies on the map with its top-left cell at (x, y).
bool areaFits(const AreaBuffer& area, int x, int y);

// Writes the area with its top-left cell at (x, y): castles and towns under
// it are removed first, the target cells keep their domains, cells off the
// map are skipped. Undo snapshot first, analysis pass and a full redraw last.
// Nothing at all when the buffer holds no area.
void pasteArea(EditorState& st, int x, int y, const AreaBuffer& area);

// pasteArea, then every pasted cell gets its road piece, coast tile and
// border again, so the area joins what lies around it.
void pasteSpecial(EditorState& st, int x, int y, const AreaBuffer& area);

}  // namespace d7
