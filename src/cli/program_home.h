// Where d7irir-cli keeps what the editor keeps in its program directory
// ("snapshots"): --home DIR, else the editor's default program directory.
#pragma once

#include <filesystem>

#include "cli/cli_args.h"

namespace d7::cli {

inline const char* const kHomeOption = "--home";

// The directory of the running executable, empty when it cannot be found.
std::filesystem::path executableDir();

// --home when given, else the default program directory of this executable.
std::filesystem::path programDirFromArgs(const Args& args);

}  // namespace d7::cli
