// The sample game the build generates (build/sample-game, default seed), as
// the tests read it: its directory, its files, and the editor state opened
// on it the way start-up opens a game directory.
#pragma once

#include <filesystem>
#include <memory>

#include "core/model/editor_state.h"
#include "samplegen/sample_game.h"

namespace d7::test {

struct GeneratedSample {
    std::filesystem::path dir;  // the game directory
    samplegen::FileSet files;   // its files, by relative path with "/" separators
};

// Read once per test program.
const GeneratedSample& generatedSample();

// Editor state with the sample's game directory, its .pl8 directory as
// start-up finds it, and its map set loaded.
std::unique_ptr<EditorState> openSample();

}  // namespace d7::test
