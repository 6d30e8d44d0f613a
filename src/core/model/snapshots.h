// Snapshots: single-map files in the "snapshots" directory of the program
// directory, named "Snap_" + map name + "_" + timestamp + ".k7map", where the
// timestamp is the local day serial times 100000 as a whole number.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

#include "core/model/day_serial.h"
#include "core/model/editor_state.h"
#include "core/model/ports.h"

namespace d7 {

inline constexpr const char* kSnapshotDirName = "snapshots";
inline constexpr const char* kSnapshotCaption = "Snapshot";
inline constexpr const char* kCouldNotCreateDirectory = "Could not create directory.";
inline constexpr const char* kNoSnapshotDirectory = "No Snapshot directory found";
inline constexpr const char* kNoSnapshotForMap = "No Snapshot for this map found.";

std::filesystem::path snapshotDir(const std::filesystem::path& programDir);

// The number in a snapshot name for a moment.
std::int64_t snapshotTimestamp(const LocalDateTime& t);

// "Snap_" + map name + "_" as it stands in file names (the Windows-1252 map
// name written in UTF-8).
std::string snapshotPrefix(const std::string& mapName);
std::string snapshotFileName(const std::string& mapName, std::int64_t timestamp);

// Why the map name cannot be part of a file name (it holds a path separator
// or a control character), or nothing when it can.
std::optional<std::string> snapshotNameProblem(const std::string& mapName);

// The number a file name carries between prefix and ".k7map": 0 when the name
// does not match, holds nothing there, or what it holds is not a number.
std::int64_t snapshotNumber(const std::string& fileName, const std::string& prefix);

struct SnapshotChoice {
    std::filesystem::path path;
    std::int64_t number = 0;
    std::time_t modified = 0;
};

// The snapshot of the map with the largest number above 0 in dir; among
// equal numbers the name that sorts first, so the choice never depends on the
// order the directory lists its files in. Throws FileError when dir cannot be
// listed.
std::optional<SnapshotChoice> findLastSnapshot(const std::filesystem::path& dir,
                                               const std::string& mapName);

// "Save Snapshot": writes the current map into the snapshots directory
// (created when missing) under its name and the given moment, without asking.
// Returns the file written, or nothing when the directory could not be
// created (the prompt says so). A map name that cannot be part of a file name
// throws FileError before anything is created or written.
std::optional<std::filesystem::path> saveSnapshot(const EditorState& st, Prompt& prompt,
                                                  const std::filesystem::path& programDir,
                                                  const LocalDateTime& now);

// "Load Last Snapshot": finds the current map's latest snapshot, asks, and
// loads it over the current map (names included), then selects the map again.
// Returns true when it loaded one. Refusals go through the prompt; file
// errors and bad snapshot files throw FileError before anything changes.
bool loadLastSnapshot(EditorState& st, Prompt& prompt, const std::filesystem::path& programDir);

}  // namespace d7
