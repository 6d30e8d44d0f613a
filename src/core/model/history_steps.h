// Steps of the edit history on the editor's state. The history keeps a copy
// of the current map's images (block, map file, language file) as the last
// step left them; recording a step is the difference of the images to that
// copy. So a command needs nothing but a recordStep after it, wherever it
// ran from; a mouse drag is recorded once, when the button is released.
// Undo and redo write the bytes back, then reload the map as selecting it
// does (working planes, names, analysis pass, routes marked stale), so the
// state is the one the step started from (or ended in), byte for byte.
#pragma once

#include <cstddef>
#include <string_view>

#include "core/model/editor_state.h"

namespace d7 {

// The name of a step whose command recorded none of its own (changes found
// before an undo, a save or another map is selected).
inline constexpr const char* kUnnamedStep = "Edit";

// Records what changed on the current map since the last step as one step
// named name; true when a step was recorded (nothing changed: no step).
bool recordStep(EditorState& st, std::string_view name);

// Undo and redo one step of the current map; false (and nothing changed)
// when there is nothing to undo or redo.
bool undoStep(EditorState& st);
bool redoStep(EditorState& st);
// Undoes or redoes steps until position of the current map's history is
// reached (0: as loaded, steps().size(): after the last step).
bool goToStep(EditorState& st, std::size_t position);

// The name of the step undo or redo would take back or bring back (empty
// when there is none).
std::string_view undoStepName(const EditorState& st);
std::string_view redoStepName(const EditorState& st);

// Takes the copy of the current map's images the next step is measured
// against (selectMap calls it when another map becomes current).
void takeHistoryBase(EditorState& st);
// After a save: every map's present point is its saved point.
void markHistorySaved(EditorState& st);

}  // namespace d7
