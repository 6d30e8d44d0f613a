#include "core/model/game_paths.h"

#include <algorithm>
#include <cstdint>

#include "core/model/file_io.h"
#include "core/model/name_encoding.h"

namespace d7 {

std::string defaultPl8Dir(const std::string& gameDir) {
    const fs::path game(gameDir);
    if (auto base = findCaseInsensitive(game, "base01.pl8"); base && isExistingFile(*base))
        return gameDir;
    if (auto sub = findCaseInsensitive(game, "pl8"); sub && isExistingDirectory(*sub))
        return sub->string();
    return (game / "pl8").string();
}

std::optional<std::string> languageFileNameProblem(const std::string& name) {
    const bool plain = !name.empty() && name != "." && name != ".." &&
                       std::none_of(name.begin(), name.end(), [](char c) {
                           return c == '/' || c == '\\' || std::uint8_t(c) < 0x20;
                       });
    if (plain) return std::nullopt;
    return "the language file " + quotedName(name) +
           " is not a file name inside the game directory";
}

}  // namespace d7
