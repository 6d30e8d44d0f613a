// Whole-file reading and writing for game files, with the two rules every
// file the editor touches follows: names are found case-insensitively inside
// their directory (games copied from Windows spell them any way), and a file
// is replaced atomically (temporary file, then rename), so a failed save never
// leaves a half-written game file. Reads are bounded and writes cannot be
// redirected by links a shared folder may carry.
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

// Reads the whole file, at most limit bytes of it (read_limits.h has each
// format's limit). The file is opened without waiting (a FIFO does not block)
// and must be a regular file; a larger one is refused before anything is
// read. Throws FileError with the operating system's reason, "is not a
// regular file" or the size that is too large.
std::vector<std::uint8_t> readWholeFile(const fs::path& path, std::size_t limit);
// The same into bytes, reusing the memory it already has.
void readWholeFileInto(const fs::path& path, std::vector<std::uint8_t>& bytes, std::size_t limit);

// Replaces (or creates) the file with the bytes: writes a temporary file of
// an unpredictable name in the same directory (created exclusively, never
// through a link), flushes it to disk, renames it over the target and
// flushes the directory. A target that is a link is replaced by the file, not
// written through. On failure the target is left as it was and FileError
// names the target and the reason.
void writeFileAtomic(const fs::path& path, std::span<const std::uint8_t> bytes);

// One file of a save of several.
struct FileToWrite {
    fs::path path;
    std::span<const std::uint8_t> bytes;
};

// Writes every file as writeFileAtomic does, as one transaction: all
// temporary files are written and flushed first; only then are they renamed
// over their targets, one after another. A failure before the renames
// removes the temporary files and leaves every target as it was. Leftover
// temporary files of the editor's own naming in the directories written into
// are removed first.
void writeFilesAtomic(const std::vector<FileToWrite>& files);

// Creates path for writing, exclusively and without following a link: -1
// (errno EEXIST) when anything is there already, a link too, dangling or not.
// Every temporary file of a save is made so.
int createFileExclusively(const fs::path& path);

// Whether the entry name is a temporary file of writeFileAtomic's naming
// (".NAME.d7irir-" and six letters or digits, or "tmp" as older versions
// named it).
bool isTemporaryFileName(const std::string& name);

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
