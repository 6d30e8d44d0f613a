#include "core/model/snapshots.h"

#include <sys/stat.h>

#include <charconv>
#include <system_error>

#include "core/model/file_io.h"
#include "core/model/name_encoding.h"
#include "core/model/single_map_file.h"
#include "core/model/windows1252.h"

namespace d7 {

namespace {

constexpr std::string_view kSuffix = ".k7map";
constexpr std::size_t kLongestSnapshotName = 255;

const std::string& currentMapName(const EditorState& st) {
    static const std::string kNone;
    const std::size_t n = std::size_t(st.curMap);
    return n < st.mapNames.size() ? st.mapNames[n] : kNone;
}

std::time_t modificationTime(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mtime : 0;
}

}  // namespace

fs::path snapshotDir(const fs::path& programDir) {
    return programDir / kSnapshotDirName;
}

std::int64_t snapshotTimestamp(const LocalDateTime& t) {
    return daySerialTimes100000(t);
}

std::string snapshotPrefix(const std::string& mapName) {
    return "Snap_" + utf8FromWindows1252(mapName) + "_";
}

std::string snapshotFileName(const std::string& mapName, std::int64_t timestamp) {
    return snapshotPrefix(mapName) + std::to_string(timestamp) + std::string(kSuffix);
}

std::optional<std::string> snapshotNameProblem(const std::string& mapName) {
    const std::string quoted = "the map name " + quotedName(mapName);
    for (char c : mapName) {
        if (c == '/' || c == '\\')
            return quoted + " cannot be part of a file name (it contains \"" + std::string(1, c) +
                   "\")";
        if (std::uint8_t(c) < 0x20 || c == 0x7F)
            return quoted + " cannot be part of a file name (it contains a control character)";
    }
    // The prefix, 14 digits of the time and the suffix must fit a file name.
    if (snapshotFileName(mapName, 0).size() + 14 > kLongestSnapshotName)
        return quoted + " cannot be part of a file name (it is too long)";
    return std::nullopt;
}

std::int64_t snapshotNumber(const std::string& fileName, const std::string& prefix) {
    if (fileName.size() <= prefix.size() + kSuffix.size()) return 0;
    if (fileName.compare(0, prefix.size(), prefix) != 0) return 0;
    if (!std::string_view(fileName).ends_with(kSuffix)) return 0;
    const char* first = fileName.data() + prefix.size();
    const char* last = fileName.data() + fileName.size() - kSuffix.size();
    std::int64_t value = 0;
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last) return 0;
    return value;
}

std::optional<SnapshotChoice> findLastSnapshot(const fs::path& dir, const std::string& mapName) {
    const std::string prefix = snapshotPrefix(mapName);
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    if (ec) throw FileError(dir, ec.message());
    std::optional<SnapshotChoice> best;
    std::string bestName;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) throw FileError(dir, ec.message());
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        const std::string name = it->path().filename().string();
        const std::int64_t number = snapshotNumber(name, prefix);
        if (number <= 0) continue;
        if (best && (number < best->number || (number == best->number && name > bestName)))
            continue;
        best = SnapshotChoice{it->path(), number, 0};
        bestName = name;
    }
    if (ec) throw FileError(dir, ec.message());
    if (best) best->modified = modificationTime(best->path);
    return best;
}

std::optional<fs::path> saveSnapshot(const EditorState& st, Prompt& prompt,
                                     const fs::path& programDir, const LocalDateTime& now) {
    const std::string& mapName = currentMapName(st);
    const fs::path dir = snapshotDir(programDir);
    // A name that cannot be part of a file name is not quoted whole in the path either.
    if (auto problem = snapshotNameProblem(mapName)) throw FileError(dir, *problem);
    const std::string fileName = snapshotFileName(mapName, snapshotTimestamp(now));

    std::error_code ec;
    if (!fs::is_directory(dir, ec)) {
        fs::create_directories(dir, ec);
        if (ec || !fs::is_directory(dir, ec)) {
            prompt.inform(kSnapshotCaption, kCouldNotCreateDirectory);
            return std::nullopt;
        }
    }
    const fs::path path = dir / fileName;
    saveSingleMap(st, path);
    return path;
}

bool loadLastSnapshot(EditorState& st, Prompt& prompt, const fs::path& programDir) {
    const fs::path dir = snapshotDir(programDir);
    if (!isExistingDirectory(dir)) {
        prompt.inform(kSnapshotCaption, kNoSnapshotDirectory);
        return false;
    }
    const std::optional<SnapshotChoice> choice = findLastSnapshot(dir, currentMapName(st));
    if (!choice) {
        prompt.inform(kSnapshotCaption, kNoSnapshotForMap);
        return false;
    }
    const std::string question =
        "Loading snapshot with timestamp " + formatLocalDateTime(choice->modified) + "\n\r" +
        "This will overwrite the currently selected map! " + "\n\r" + "Do you want to continue?";
    if (!prompt.askYesNo(kLoadSingleMapCaption, question)) return false;
    applySingleMap(st, readSingleMap(choice->path));
    return true;
}

}  // namespace d7
