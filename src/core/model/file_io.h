// Whole-file reading and writing for game files, with the two rules every
// file the editor touches follows: names are found case-insensitively inside
// their directory (games copied from Windows spell them any way), and a file
// is replaced atomically (temporary file, then rename), so a failed save never
// leaves a half-written game file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace d7 {

namespace fs = std::filesystem;

// A file could not be read or written, or its contents are not what the
// editor can use. what() is "<path>: <reason>".
class FileError : public std::runtime_error {
  public:
    FileError(const fs::path& path, const std::string& reason)
        : std::runtime_error(path.string() + ": " + reason), path_(path), reason_(reason) {}
    const fs::path& path() const { return path_; }
    const std::string& reason() const { return reason_; }

  private:
    fs::path path_;
    std::string reason_;
};

// Reads the whole file. Throws FileError with the operating system's reason.
std::vector<std::uint8_t> readWholeFile(const fs::path& path);
// The same into bytes, reusing the memory it already has.
void readWholeFileInto(const fs::path& path, std::vector<std::uint8_t>& bytes);

// Replaces (or creates) the file with the bytes: writes a temporary file in the
// same directory and renames it over the target. On failure the target is left
// as it was and FileError names the target and the reason.
void writeFileAtomic(const fs::path& path, std::span<const std::uint8_t> bytes);

// The entry of directory dir whose name equals name ignoring ASCII letter case;
// the exact spelling wins when both exist. Nothing when none exists.
std::optional<fs::path> findCaseInsensitive(const fs::path& dir, const std::string& name);

// Follows a relative path component by component through findCaseInsensitive.
std::optional<fs::path> findPathCaseInsensitive(const fs::path& dir,
                                                const std::vector<std::string>& components);

// The path to write name in dir: the existing entry under any letter case, or
// dir/name when there is none.
fs::path pathForWriting(const fs::path& dir, const std::string& name);

bool isExistingFile(const fs::path& path);
bool isExistingDirectory(const fs::path& path);

}  // namespace d7
