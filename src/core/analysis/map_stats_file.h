// "Export Mapstats": the ";"-separated statistics of the current map's
// domains as a text file.
#pragma once

#include <filesystem>

#include "core/model/editor_state.h"

namespace d7 {

// Writes mapStatsLines as UTF-8 text, one line per entry, each ended by a
// line feed. The file is replaced as a whole or not at all: a path that
// cannot be written throws FileError and leaves nothing behind.
void writeMapStats(const EditorState& st, const std::filesystem::path& path);

}  // namespace d7
