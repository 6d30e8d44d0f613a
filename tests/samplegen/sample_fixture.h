// The sample game, generated once per test program into a temporary
// directory, and helpers to open it as the editor does.
#pragma once

#include <filesystem>
#include <memory>

#include "core/model/editor_state.h"
#include "samplegen/sample_game.h"

namespace d7::test {

struct GeneratedSample {
    std::filesystem::path dir;  // the game directory
    samplegen::FileSet files;   // what was written, by relative path
};

// Generated with the default seed on first use.
const GeneratedSample& generatedSample();

// Editor state with the sample's game directory, its .pl8 directory as
// start-up finds it, and its map set loaded.
std::unique_ptr<EditorState> openSample();

}  // namespace d7::test
