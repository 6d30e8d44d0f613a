#include "core/model/game_paths.h"

#include "core/model/file_io.h"

namespace d7 {

std::string defaultPl8Dir(const std::string& gameDir) {
    const fs::path game(gameDir);
    if (auto base = findCaseInsensitive(game, "base01.pl8"); base && isExistingFile(*base))
        return gameDir;
    if (auto sub = findCaseInsensitive(game, "pl8"); sub && isExistingDirectory(*sub))
        return sub->string();
    return (game / "pl8").string();
}

}  // namespace d7
