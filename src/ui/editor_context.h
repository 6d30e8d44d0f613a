// What every window of the editor works with: the state, the map picture,
// the ways to ask the user, and the program directory.
#pragma once

#include <filesystem>

#include "core/analysis/name_generator.h"
#include "core/model/editor_state.h"
#include "core/model/ports.h"
#include "render/map_renderer.h"
#include "ui/dialogs/file_dialogs.h"

namespace d7::ui {

struct EditorContext {
    EditorState& st;
    render::MapRenderer& renderer;
    Prompt& prompt;
    FileDialogs& dialogs;
    // Where "D7Irir.ini", "snapshots" and "names.txt" live.
    std::filesystem::path programDir;
    // The word lists of random county names (empty until start-up reads them).
    NameGenerator names;
};

}  // namespace d7::ui
