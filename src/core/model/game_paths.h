// Where the game's files are found, as start-up decides it.
#pragma once

#include <optional>
#include <string>

namespace d7 {

// The directory of the .pl8 files when the configuration names none: the game
// directory itself when it holds "base01.pl8", else its "pl8" sub-directory
// (under whatever letter case it exists, "pl8" when it does not).
std::string defaultPl8Dir(const std::string& gameDir);

// Why a language file name from the configuration cannot be used, or nothing:
// it must name a file inside the game directory, so it is a plain file name
// (no directory part, not "." or "..", no control characters).
std::optional<std::string> languageFileNameProblem(const std::string& name);

}  // namespace d7
