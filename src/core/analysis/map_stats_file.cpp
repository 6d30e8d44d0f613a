#include "core/analysis/map_stats_file.h"

#include "core/analysis/county_reports.h"
#include "core/model/file_io.h"
#include "core/model/windows1252.h"

namespace d7 {

void writeMapStats(const EditorState& st, const std::filesystem::path& path) {
    std::string text;
    for (const std::string& line : mapStatsLines(st)) text += utf8FromWindows1252(line) + "\n";
    writeFileAtomic(path,
                    std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace d7
