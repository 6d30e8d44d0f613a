// The main window's editing controls: the "Edittype" group and the controls
// each edit type shows (tilesets, brush fill and panel, paste options, road
// tool, distances, closest towns, blacksmiths and the quick selection).
#pragma once

#include "core/model/editor_state.h"

namespace d7::ui {

class Tmainform;

// Creates the controls in the main window's client area (the brush icon
// shows st's brush) and stores them in
// the window's members of the same names. Only the reactions among these
// controls themselves are connected here; what they do to the map is the
// editing's (map_editing.h).
void buildEditingControls(Tmainform& main, const EditorState& st);

// Hides every control that belongs to one edit type and puts "Paste
// Options" back on "None", as choosing any edit type does first.
void hideEditTypeControls(Tmainform& main);
// Shows the controls of edit type i.
void showEditTypeControls(Tmainform& main, int editType);

}  // namespace d7::ui
