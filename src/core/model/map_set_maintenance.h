// Name changes and the maintenance commands on the map files.
#pragma once

#include <string>

#include "core/model/editor_state.h"

namespace d7 {

// Renames domain list entry k (0..16) of the current map and rewrites entry 99.
void setDomainName(EditorState& st, int k, const std::string& text);
// Renames the current map and rewrites entry 100.
void setMapName(EditorState& st, const std::string& text);

// "Set Header": copies map01.pl8's header over the current map's file header.
void setHeader(EditorState& st);
// "Recreate Extstream": the current map's file becomes a fresh one (header of
// map01.pl8, all four Ext records zero) and is marked changed.
void recreateExtstream(EditorState& st);
// "Refill Extstream 64 from Map": Ext3 and the feature codes of Ext4 from the planes.
void refillExt64(EditorState& st);

// The feature code refillExt64 derives for cell (x, y), or -1 for none.
int refillFeatureCode(const WorkingPlanes& planes, int x, int y);

}  // namespace d7
