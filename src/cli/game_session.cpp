#include "cli/game_session.h"

#include "core/model/game_paths.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"

namespace d7::cli {

std::unique_ptr<EditorState> openGameDir(const std::string& dir, const Args& args) {
    return loadMapSetOf(dir, dir, args.value(kPl8Option).value_or(defaultPl8Dir(dir)),
                        kDefaultLangFile);
}

void selectMapArg(EditorState& st, const std::string& text) {
    selectMap(st, parseInt(text, "MAP", 0, kMapCount - 1));
}

}  // namespace d7::cli
