// Where the recovery files live and how they are written, read, kept aside
// and removed: one file per game directory, in the folder "recovery" of the
// editor's program directory (never among the game's files).
#pragma once

#include <ctime>
#include <optional>
#include <string>

#include "core/model/recovery.h"

namespace d7 {

inline constexpr const char* kRecoveryFolder = "recovery";
inline constexpr const char* kRecoveryExtension = ".d7recovery";

// programDir/recovery/NAME-CRC.d7recovery, NAME the game directory's own name
// (letters, digits, '-' and '_' only) and CRC the checksum of its whole path.
fs::path recoveryFilePath(const fs::path& programDir, const std::string& gameDir);

// Why no recovery file may be written at file for st's map set: its folder
// is, or lies inside, a directory the game's files are read from or saved into.
std::optional<std::string> recoveryPlaceProblem(const fs::path& file, const EditorState& st);

// The recovery file of st's game directory: in programDir's folder, unless
// that lies among the game's files (an editor run from inside the game
// directory), then in the per-user data directory's (userDataDir()).
fs::path recoveryFileFor(const fs::path& programDir, const EditorState& st);

// Writes the bytes as the file's whole new content (temporary file and
// rename: a kill during the write leaves the file before whole); makes the
// folder, readable by the user only, when it is missing. Throws FileError.
void writeRecoveryFile(const fs::path& file, std::span<const std::uint8_t> bytes);

// The recovery in file, nothing when there is no such file; throws
// FileError when it cannot be read or is not a usable recovery file.
std::optional<Recovery> readRecoveryFile(const fs::path& file);

// Renames file to NAME-kept-YYYYMMDD-HHMMSS.d7recovery beside it (with -2,
// -3, ... when that name is taken) and returns the new path; throws FileError.
fs::path keepRecoveryAside(const fs::path& file, std::time_t now);

// Removes file when it is there (a link is removed, never what it points
// to); throws FileError when it cannot be.
void removeRecoveryFile(const fs::path& file);

}  // namespace d7
