// Loading a map set from a directory and saving it into one, in the game's
// own formats, byte for byte.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/model/editor_state.h"
#include "core/model/file_io.h"

namespace d7 {

inline constexpr const char* kMapStoreName = "k7_maps.dat";
inline constexpr const char* kMapStoreSaveName = "K7_MAPS.DAT";
inline constexpr const char* kLanguageSaveName = "K7.ENG";
inline constexpr const char* kMapSubFolder = "PL8";

// Fills the name lists from the language file image, padding the lists the
// editor indexes by number so that every map and trader has a name.
void readNameLists(MapSet& set);

// "map" + NN + ".pl8" for file number 1..15.
std::string mapFileName(int fileNumber);

// The sub-folder that holds the map files: "PL8" when the game directory and
// the .pl8 directory differ as strings, else empty.
std::string mapSubFolder(const EditorState& st);

// Loads the map store, the fifteen map files and the names of directory dir,
// then selects map 0 (the new set has no unsaved changes). Map files and names missing from dir
// come from the game directory (and are not marked changed); map files missing there too are
// created in memory. Everything is checked before anything is replaced: on a
// FileError (unreadable file, wrong size, damaged language file) the map set
// loaded before stays as it was.
void loadMapSet(EditorState& st, const std::string& dir);

// Where the files of a map set being loaded came from: the paths the
// messages name, and which files come from another directory than the game's
// (they count as changed, so that a save writes them into the game directory).
struct MapSetOrigin {
    fs::path store;
    // Map files 1..15 (index 0 unused); none for a map file found nowhere,
    // which the load makes.
    std::array<std::optional<fs::path>, kMapFileCount + 1> mapFiles;
    std::array<bool, kMapFileCount + 1> mapFileFromElsewhere{};
    fs::path lang;
    bool langFromElsewhere = false;
};

// The second half of loadMapSet, for files already in memory:
// st.spareMapSet holds the images of the files origin names (the image of a
// map file found nowhere is made here). Checks them all and swaps them in,
// selecting map 0, or throws FileError and the map set loaded before stays.
void takeMapSetImages(EditorState& st, const MapSetOrigin& origin);

// A fresh editor state whose game directory, .pl8 directory and language
// file are the ones given, holding the map set of dir loaded as above (map 0
// selected): what loading dir into such an editor gives. Used to compare a
// map set with another; throws FileError.
std::unique_ptr<EditorState> loadMapSetOf(const std::string& dir, const std::string& gameDir,
                                          const std::string& pl8Dir, const std::string& langFile);

// What the user is told after loading a set with map files found nowhere:
// which ones, and that blank maps stand in for them. Nothing when all were found.
std::optional<std::string> missingMapFilesNotice(const MapSet& set);

// Writes the map store, the language file when names changed, and every map
// file marked changed into dir, as one transaction (writeFilesAtomic): a
// failure before the renames leaves every old file as it was. Throws
// FileError naming the file that could not be written; flags stay as they were.
// Only a save that wrote every file clears the unsaved-changes count and
// makes the present point of every map's edit history its saved point.
// Returns the files written, relative to dir, in the order written
// ("K7_MAPS.DAT", "K7.ENG", "PL8/map01.pl8").
std::vector<std::string> saveMapSet(EditorState& st, const std::string& dir);

// Keeps a copy of the set's images as the files they were loaded from hold
// them (st.loadedImages): after a load, and after a save into the directory
// the set came from.
void keepLoadedImages(EditorState& st);

// Whether a and b name the same directory (the same entry on disk, else the
// same path).
bool isSameDirectory(const std::string& a, const std::string& b);

// Marks every file of the set for the next save, so that it writes a whole
// map set rather than the changed files over the game directory's.
void markEveryFileForSaving(MapSet& set);

// Whether dir holds a map store of its own. A directory without one is an
// overlay: a save writes only the changed files into it, and loading it reads
// the rest from the game directory.
bool holdsMapStore(const std::string& dir);

// A map file as the editor creates a missing one: the header of map01.pl8
// (zero bytes when map01.pl8 is missing or empty too) and four zeroed Ext records.
Bytes createMapFile(const Bytes& firstMapFile);
// The same into file, reusing its memory (file must not be firstMapFile).
void createMapFileInto(const Bytes& firstMapFile, Bytes& file);

}  // namespace d7
