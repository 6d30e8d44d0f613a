// "Reset Current Map": the current map becomes empty and gets default names.
#pragma once

#include "core/model/editor_state.h"
#include "core/model/ports.h"

namespace d7 {

inline constexpr const char* kResetMapCaption = "Reset Map";
inline constexpr const char* kResetMapQuestion =
    "This will reset the entire map and all its submaps. Do you wish to continue?";
inline constexpr const char* kEmptyMapName = "Empty Map";
inline constexpr const char* kEmptyLandsName = "Empty Lands";

// After a Yes: zeroes the current map's block and Ext record (its map file is
// marked changed, so a save writes the empty record too), names the map
// "Empty Map", the land without domain "Empty Lands" and the domains
// "CTY1".."CTY16", and selects the map again. Returns true when it reset.
bool resetCurrentMap(EditorState& st, Prompt& prompt);

}  // namespace d7
