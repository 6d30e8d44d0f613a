// The "Map Helper" commands that change every cell of the current map:
// filling, giving land without domain the number 32, and shifting the map.
// Each takes the undo snapshot first and ends with the analysis pass and a
// redraw of the whole map.
#pragma once

#include <string>

#include "core/edit/area_rect.h"
#include "core/model/editor_state.h"
#include "core/model/ports.h"

namespace d7 {

// "Fill All": every cell becomes a random variant of kind.
void fillMap(EditorState& st, FillKind kind);
// "Fill Black": every empty cell (M0 and M2 both 0) becomes a random variant of kind.
void fillBlack(EditorState& st, FillKind kind);
// "Set Land without Domain to 32": every land cell that has no domain gets 32.
void setLandWithoutDomain(EditorState& st);

// "Shift Map" directions: the map moves towards larger or smaller x or y.
enum class ShiftDirection : int { XPlus = 0, XMinus = 1, YPlus = 2, YMinus = 3 };

// The question "Shift Map" asks, and the message for a distance outside 1..63.
inline constexpr const char* kShiftCaption = "Distance";
inline constexpr const char* kShiftQuestion =
    "How far do you want to shift? (Map over edge will be lost)";
inline constexpr const char* kShiftWarningCaption = "Warning";
inline constexpr const char* kShiftWarning = "Only positive values<64!";

inline constexpr int kMaxShift = 63;

// The answer to the question as a number; -1 for anything that is not one.
int readShiftDistance(const std::string& answer);

// Moves every cell (all of M0..M5 and Ext4) distance cells the given way.
// Cells that come in over the near edge are empty; castles, towns and
// mountains that the far edge cuts become random grassland. A distance
// outside 1..63 shows the warning through prompt and changes nothing
// (returns false).
bool shiftMap(EditorState& st, Prompt& prompt, int distance, ShiftDirection direction);

}  // namespace d7
