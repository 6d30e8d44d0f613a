// Where the game's files are found, as start-up decides it.
#pragma once

#include <string>

namespace d7 {

// The directory of the .pl8 files when the configuration names none: the game
// directory itself when it holds "base01.pl8", else its "pl8" sub-directory
// (under whatever letter case it exists, "pl8" when it does not).
std::string defaultPl8Dir(const std::string& gameDir);

}  // namespace d7
