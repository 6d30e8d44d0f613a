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
// The same layout into any plane: the 65 x 129 picture of the cells.
void layOutOutsidePoints(const CellPlane& m0, OutsidePlane& out);
// Outline from Ext5: 22 where the outside map holds more than 3, else 6.
void buildOutline(EditorState& st);

// The same derivations from any planes into any plane, for comparing what a
// map holds with what it would be given.
void domainMaskOf(const CellPlane& m5, MinimapPlane& mask);
void minimapImageOf(const MinimapPlane& domainMask, MinimapPlane& image, Random& rng);
void outlineOf(const OutsidePlane& outside, OutsidePlane& outline);

// The commands on the current map: each builds one plane and writes it back
// into the map's Ext record or block. Those that write the Ext record mark
// the map file changed; the outline lives in the map store, which is always
// saved.
// "Map of Outside Lands" > "Create from Map": Ext5 (the outline stays).
void createOutsideMapFromMap(EditorState& st);
// "Set Basic Outline Map from Outside Map".
void setOutlineFromOutsideMap(EditorState& st);
// "Minimap Domain Mask" > "Create from Map": Ext1.
void createDomainMaskFromMap(EditorState& st);
// "Set Minimap Image from Domain Mask": Ext2.
void setMinimapImageFromMask(EditorState& st);
// All four, in that order ("Create and Set all Submaps").
void createAllSubmaps(EditorState& st);

// A click of the outside-map painter on point (column, row): the left button
// turns sea (4) into land (3) and open outside (9) into 2, the right button
// undoes both; other values and buttons change nothing, but the map file is
// marked changed by any click on the plane. Returns whether a point changed.
enum class PointerButton { Left, Right, Other };
bool clickOutsidePoint(EditorState& st, int column, int row, PointerButton button);

}  // namespace d7
