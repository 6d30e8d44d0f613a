// The editor's own single-map files (".k7map"): one map's image (its block,
// then its Ext record) followed by the names text, which is the map name and
// the 17 domain list names, each ended by a zero byte. No header, no version.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/editor_state.h"
#include "core/model/ports.h"

namespace d7 {

inline constexpr const char* kSingleMapExtension = "k7map";
inline constexpr const char* kSingleMapFilter = "D7Irir Mapfile|*.k7map";
inline constexpr const char* kLoadSingleMapCaption = "Load Single Map";
inline constexpr const char* kOverwriteMapQuestion =
    "This will overwrite the currently selected map! \n\rDo you want to continue?";

// The names a single-map file carries.
struct MapNames {
    std::string mapName;
    std::vector<std::string> domainNames;  // the domain list, slot 0 first
};

// A single-map file that has been checked: a whole map image and at least
// the 17 names of a domain list.
struct SingleMap {
    Bytes image;  // kMapImageSize bytes
    MapNames names;
};

// The names text of the current map: its map list item, then the 17 names of
// the current domain list, joined by the name-list rule with zero bytes as
// delimiters. Missing names are written empty, so the file is always complete.
std::string namesTextOf(const EditorState& st);

// The whole file for the current map, and writing it (atomically; FileError).
Bytes encodeSingleMap(const EditorState& st);
void saveSingleMap(const EditorState& st, const std::filesystem::path& path);

// Splits a names text: the map name runs to the first zero byte; in the rest
// every zero byte and every comma separates names (so a name holding a comma
// comes back as two). The zero byte that ends the last name ends the list.
MapNames parseNamesText(std::string_view text);

// Checks the bytes of a single-map file and splits them. Throws FileError
// naming path when the file is shorter than a map image or its names text
// holds fewer than 17 names.
SingleMap parseSingleMap(std::span<const std::uint8_t> bytes, const std::filesystem::path& path);
// The same into map, reusing its memory; map is unchanged when the file is
// refused.
void parseSingleMapInto(std::span<const std::uint8_t> bytes, const std::filesystem::path& path,
                        SingleMap& map);
SingleMap readSingleMap(const std::filesystem::path& path);

// Applies a names text to the current map: the map list item and the domain
// names of the current map change, entries 100 and 99 of the language file
// are rewritten, and namesChanged is set.
void readNamesText(EditorState& st, std::string_view text);

// Puts a checked single map over the current map (its map file is marked
// changed, its names are applied) and selects the map again, which drops the
// undo record.
void applySingleMap(EditorState& st, const SingleMap& map);

// "Load Single Map...": the question asked before the file is chosen.
bool confirmOverwriteMap(Prompt& prompt);

// Reads, checks and applies the file. A bad file throws FileError before
// anything changes.
void loadSingleMap(EditorState& st, const std::filesystem::path& path);

}  // namespace d7
