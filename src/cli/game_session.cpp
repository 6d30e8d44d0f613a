#include "cli/game_session.h"

#include "core/model/game_paths.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"

namespace d7::cli {

std::unique_ptr<EditorState> openGameDir(const std::string& dir, const Args& args) {
    auto st = makeEditorState();
    st->gameDir = dir;
    st->pl8Dir = args.value(kPl8Option).value_or(defaultPl8Dir(dir));
    loadMapSet(*st, dir);
    return st;
}

void selectMapArg(EditorState& st, const std::string& text) {
    selectMap(st, parseInt(text, "MAP", 0, kMapCount - 1));
}

}  // namespace d7::cli
