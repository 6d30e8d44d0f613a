#include "cli/game_session.h"

#include <ostream>

#include "core/model/game_paths.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"

namespace d7::cli {

namespace {

std::ostream* loadNotices = nullptr;

}  // namespace

void sendLoadNoticesTo(std::ostream* err) {
    loadNotices = err;
}

std::unique_ptr<EditorState> openGameDir(const std::string& dir, const Args& args) {
    auto st = loadMapSetOf(dir, dir, args.value(kPl8Option).value_or(defaultPl8Dir(dir)),
                           kDefaultLangFile);
    if (auto notice = missingMapFilesNotice(*st); notice && loadNotices)
        *loadNotices << "d7irir-cli: " << dir << ": " << *notice << "\n";
    return st;
}

void selectMapArg(EditorState& st, const std::string& text) {
    selectMap(st, parseInt(text, "MAP", 0, kMapCount - 1));
}

}  // namespace d7::cli
