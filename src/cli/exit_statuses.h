// What each command's exit status means, for its "--help".
#pragma once

#include <string>
#include <string_view>

namespace d7::cli {

// The lines "Exit status:" and one per status of the command.
std::string exitStatusHelp(std::string_view command);

}  // namespace d7::cli
