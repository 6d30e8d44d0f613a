// The editor's command line.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace d7::app {

struct AppOptions {
    // --game-dir DIR: the game directory of this run; the configuration is
    // neither read for it nor written.
    std::optional<std::string> gameDir;
    // --home DIR: the program directory (ini file, snapshots, names.txt).
    std::optional<std::filesystem::path> home;
    // --startup-time: print the milliseconds from process start to the first
    // painted map window.
    bool startupTime = false;
    // --quit-after-startup: end right after that first paint.
    bool quitAfterStartup = false;
    bool help = false;
};

// Parses the arguments (without the program name). Throws
// std::invalid_argument with a message for the user on a bad option.
AppOptions parseAppOptions(const std::vector<std::string>& args);

std::string appUsage();

}  // namespace d7::app
