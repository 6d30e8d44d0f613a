// Builds map sets in memory and on disk for tests: every file in the game's
// format, with recognisable contents, and no binary fixture from elsewhere.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/model/editor_state.h"

namespace d7::test {

namespace fs = std::filesystem;

// A language file image with 320 entries; entries 4, 99 and 100 hold the
// given lists, every other entry k holds the single item "text k".
Bytes makeLanguageFile(const std::vector<std::string>& traders,
                       const std::vector<std::string>& domains,
                       const std::vector<std::string>& maps);

// Default names: "Trader 1".."Trader 6", "Land n"/"County n.k", "Map n".
Bytes makeDefaultLanguageFile();

// A map store whose bytes follow a pattern depending on seed, so that any
// misplaced byte shows.
Bytes makePatternMapStore(std::uint32_t seed);

// A map file whose header and records follow a pattern depending on seed and file.
Bytes makePatternMapFile(std::uint32_t seed, int fileNumber);

// Writes a complete map set into dir: k7_maps.dat, K7.ENG and, when
// subFolder is not empty, the map files into dir/subFolder, else into dir.
void writeMapSet(const fs::path& dir, std::uint32_t seed, const std::string& subFolder = "");

// A fresh temporary directory, removed when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }

  private:
    fs::path path_;
};

// Editor state with gameDir = pl8Dir = dir and the map set of dir loaded.
std::unique_ptr<EditorState> loadTestMapSet(const fs::path& dir);

// Map n of the map set saved into saved by a command, read as the editor
// reads it: the language file and the .pl8 directory come from gameDir when
// the command did not write them.
std::unique_ptr<EditorState> loadSavedMap(const fs::path& gameDir, const fs::path& saved, int n);

// A 2 x 2 town (building = flags::kTown) or castle (flags::kBuilding) of
// domain d at (x, y) on map n, written through setCell with the feature codes
// placement gives; parts 1..3 carry the markers.
void putBuilding(EditorState& st, int n, int x, int y, int building, int d,
                 std::array<int, 3> markers);

// Cell writer for tests that build maps in the working planes directly.
struct CellSpec {
    std::uint8_t m0 = 0, m1 = 0, m2 = 6, m3 = 0, m4 = 0, m5 = 0;
};
void putCell(EditorState& st, int x, int y, const CellSpec& c);

// Bytes of a file, and writing a file (replacing it) for tests.
Bytes fileBytes(const fs::path& path);
void writeBytes(const fs::path& path, const Bytes& bytes);

}  // namespace d7::test
