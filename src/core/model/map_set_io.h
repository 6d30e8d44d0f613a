// Loading a map set from a directory and saving it into one, in the game's
// own formats, byte for byte.
#pragma once

#include <memory>
#include <string>

#include "core/model/editor_state.h"

namespace d7 {

inline constexpr const char* kMapStoreName = "k7_maps.dat";
inline constexpr const char* kMapStoreSaveName = "K7_MAPS.DAT";
inline constexpr const char* kLanguageSaveName = "K7.ENG";
inline constexpr const char* kMapSubFolder = "PL8";

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

// A fresh editor state whose game directory, .pl8 directory and language
// file are the ones given, holding the map set of dir loaded as above (map 0
// selected): what loading dir into such an editor gives. Used to compare a
// map set with another; throws FileError.
std::unique_ptr<EditorState> loadMapSetOf(const std::string& dir, const std::string& gameDir,
                                          const std::string& pl8Dir, const std::string& langFile);

// Writes the map store, the language file when names changed, and every map
// file marked changed into dir. Each file is replaced atomically. Throws
// FileError naming the file that could not be written; flags stay as they were.
// Only a save that wrote every file clears the unsaved-changes count.
void saveMapSet(EditorState& st, const std::string& dir);

// A map file as the editor creates a missing one: the header of map01.pl8
// (zero bytes when map01.pl8 is missing or empty too) and four zeroed Ext records.
Bytes createMapFile(const Bytes& firstMapFile);
// The same into file, reusing its memory (file must not be firstMapFile).
void createMapFileInto(const Bytes& firstMapFile, Bytes& file);

}  // namespace d7
