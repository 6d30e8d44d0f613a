// The edit commands that build whole planes of a map: the auxiliary planes
// from the map, and land, sea and domains from a painted bitmap.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/model/editor_state.h"

namespace d7::cli {

using MapAction = std::function<void(EditorState&)>;

// The command the words name, ready to run on the current map; nothing when
// they name none of these. Throws UsageError for wrong arguments and
// FileError for a bitmap that cannot be read (read here, before any map
// changes).
std::optional<MapAction> parseSubmapCommand(const std::vector<std::string>& words);

}  // namespace d7::cli
