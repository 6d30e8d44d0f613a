// The sample game directory: a complete game of the project's own making,
// generated deterministically from a seed.
//
//   OUT/k7_maps.dat         the 60 kingdom maps
//   OUT/K7.ENG              names of maps, domains and traders
//   OUT/names.txt           the word list of the name generator
//   OUT/pl8/Base01.256      the palette
//   OUT/pl8/base1a.pl8 ..   the tilesets, five per season (a..d)
//   OUT/pl8/map01.pl8 ..    the map files (Ext records), map01 .. map15
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace d7::samplegen {

inline constexpr std::uint64_t kDefaultSeed = 7;
inline constexpr const char* kGraphicsFolder = "pl8";

// Relative path (with "/" separators) -> file bytes.
using FileSet = std::map<std::string, std::vector<std::uint8_t>>;

// The palette and the twenty tilesets, keyed as in the directory.
FileSet graphicsFiles();

// The map store, the map files, the language file and the word list. Only
// maps 0 .. mapCount-1 are built (the rest stay empty), which tests use to
// rebuild a few maps quickly; each map comes out the same whatever mapCount.
FileSet mapSetFiles(std::uint64_t seed, int mapCount = 60);

// Everything above.
FileSet sampleGameFiles(std::uint64_t seed);

// Writes the files into out (directories created when missing; files are replaced).
void writeFileSet(const std::filesystem::path& out, const FileSet& files);

// Writes the sample game into out.
void writeSampleGame(const std::filesystem::path& out, std::uint64_t seed);

// The 328-byte header of map file number 1..15.
std::vector<std::uint8_t> mapFileHeader(int fileNumber, std::uint64_t seed);

}  // namespace d7::samplegen
