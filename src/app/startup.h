// What the editor does when its main window first shows: read the
// configuration, find (or ask for) the game directory, and load the palette,
// the map set and the spring tilesets into the windows.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "ui/editor.h"

namespace d7::app {

inline constexpr const char* kIniFileName = "D7Irir.ini";
inline constexpr const char* kNamesFileName = "names.txt";
inline constexpr const char* kGameDirCaption = "Thornvale2";
inline constexpr const char* kNoGameDirMessage =
    "No valid Thornvale2 directory found. Please select a directory.";
inline constexpr const char* kNotGameDirMessage = "Not a valid Thornvale2 directory!";
inline constexpr const char* kDefaultLanguageFile = "K7.ENG";

struct StartupSettings {
    // Where the configuration, the snapshots and the user's names.txt live.
    std::filesystem::path programDir;
    // Where the program is installed: the names.txt used when the program
    // directory has none.
    std::filesystem::path executableDir;
    // A game directory for this run only (the configuration is not written).
    std::optional<std::string> gameDir;
};

enum class StartupResult {
    MapShown,  // a map set is loaded and the map window shows it
    NoMapSet,  // the main window stays up with empty lists
    Ended,     // no game directory: the main window was closed
};

// The word list "names.txt": the program directory's, else the one the
// program came with (beside it, or in an installed program's data directory).
std::filesystem::path namesFilePath(const StartupSettings& settings);

// The first showing of the main window.
StartupResult runStartup(ui::Editor& ed, const StartupSettings& settings);

}  // namespace d7::app
