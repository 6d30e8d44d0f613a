// The map set the edit command's tests work on, and running the command.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "cli/cli_run.h"
#include "cli/game_session.h"
#include "core/edit/cell_writer.h"
#include "core/model/game_paths.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "support/map_builder.h"

namespace d7::test {

inline CliRun run(const std::vector<std::string>& args) {
    return runCli(args);
}

inline std::unique_ptr<EditorState> open(const TempDir& dir) {
    return cli::openGameDir(dir.path().string(), cli::Args({}, {}));
}

// A map set whose map 3 is grassland of domain 1 with one sea cell at (50, 50);
// the other maps hold pattern bytes.
class EditCli : public ::testing::Test {
  protected:
    void SetUp() override {
        writeMapSet(raw.path(), 61, "pl8");
        auto st = open(raw);
        selectMap(*st, 3);
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x)
                setCell(*st, 3, x, y,
                        {.flags = 0, .tileset = 0, .tile = 6, .domain = 1, .code = 2});
        setCell(*st, 3, 50, 50, {.flags = 4, .tileset = 0, .tile = 22, .domain = 0, .code = 4});
        st->extChanged.fill(true);
        st->namesChanged = true;
        saveMapSet(*st, clean.path().string());
    }
    std::string dir(const TempDir& d) const { return d.path().string(); }
    // Map 3 of the map set saved into out (which holds no language file: the
    // names did not change, so they come from the game directory).
    std::unique_ptr<EditorState> result() {
        auto st = makeEditorState();
        st->gameDir = dir(clean);
        st->pl8Dir = defaultPl8Dir(st->gameDir);
        loadMapSet(*st, dir(out));
        selectMap(*st, 3);
        return st;
    }
    // Runs edit on map 3 of the clean map set into out with the given commands.
    CliRun edit(const std::vector<std::string>& commands) {
        std::vector<std::string> a = {"edit", dir(clean), dir(out), "--map", "3", "--seed", "9"};
        for (const std::string& c : commands) a.insert(a.end(), {"-e", c});
        return run(a);
    }
    TempDir raw, clean, out, out2;
};

}  // namespace d7::test
