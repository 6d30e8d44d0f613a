// The edit command's area commands: the clipboard, fills, domains and roads
// over rectangles, the whole-map helpers, undo and redo.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/model/area_buffer.h"
#include "core/model/editor_state.h"
#include "core/model/ports.h"

namespace d7::cli {

// An edit command that could not be carried out on the map it ran on; the
// message says why. Nothing of the script is saved then.
class EditFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

enum class AreaOp {
    Copy,
    Transform,
    Paste,
    PasteSpecial,
    Fill,
    DomainRect,
    RemoveRoads,
    RoadLine,
    FillMap,
    FillBlack,
    LandWithoutDomain,
    Shift,
    Undo,
    Redo
};

struct AreaCommand {
    AreaOp op = AreaOp::Copy;
    CellRect rect;        // the corners as given, or the position in left and top
    int value = 0;        // transform op, fill kind, domain or shift direction
    int distance = 0;     // shift distance
    bool option = false;  // "keep", "transformed"
};

// A domain argument D: 0, 1 to 16 or 32; anything else is a usage error.
int parseDomain(const std::string& text);

// The command named by words[0], or nullopt when it is none of these.
// Throws UsageError for wrong arguments.
std::optional<AreaCommand> parseAreaCommand(const std::vector<std::string>& words);

// Runs the command on the current map. Throws EditFailure when it cannot.
void runAreaCommand(EditorState& st, Prompt& prompt, const AreaCommand& c);

}  // namespace d7::cli
