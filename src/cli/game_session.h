// Opening a game directory for a command, as start-up does.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "cli/cli_args.h"
#include "core/model/editor_state.h"

namespace d7::cli {

// Options every command that takes a game directory understands.
inline const char* const kPl8Option = "--pl8";

// A fresh editor state with DIR as the game directory, the .pl8 directory from
// --pl8 or found as start-up finds it, and the map set of DIR loaded (map 0
// selected), telling of missing map files (sendLoadNoticesTo). Throws FileError when the map set
// cannot be loaded.
std::unique_ptr<EditorState> openGameDir(const std::string& dir, const Args& args);

// Where openGameDir tells which map files were missing (the command's error
// stream while it runs); nothing is told when it is null.
void sendLoadNoticesTo(std::ostream* err);

// Selects map number text (0..59); throws UsageError.
void selectMapArg(EditorState& st, const std::string& text);

}  // namespace d7::cli
