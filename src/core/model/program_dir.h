// The program directory: where "D7Irir.ini", "snapshots" and "names.txt" live.
#pragma once

#include <filesystem>
#include <string>

namespace d7 {

// The data directory of an installed program (<prefix>/share/d7irir beside
// <prefix>/bin, holding the default "names.txt"), empty when the executable
// does not sit in such a layout (a build tree, a copy in a folder of its own).
std::filesystem::path installedDataDir(const std::filesystem::path& executableDir);

// The per-user data directory: $XDG_DATA_HOME/d7irir, else
// ~/.local/share/d7irir.
std::filesystem::path userDataDir();

// An installed program keeps its files in the per-user data directory, even
// when the user could write to <prefix>/bin (root can write /usr/bin). A
// program run from a folder of its own keeps them beside the executable when
// that is writable, else in the per-user data directory.
std::filesystem::path defaultProgramDir(const std::filesystem::path& executableDir);

}  // namespace d7
