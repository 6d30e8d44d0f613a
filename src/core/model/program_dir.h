// The program directory: where "D7Irir.ini", "snapshots" and "names.txt" live.
#pragma once

#include <filesystem>
#include <string>

namespace d7 {

// The directory of the executable when it is writable, otherwise the per-user
// data directory ($XDG_DATA_HOME/d7irir, else ~/.local/share/d7irir).
std::filesystem::path defaultProgramDir(const std::filesystem::path& executableDir);

}  // namespace d7
