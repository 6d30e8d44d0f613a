// One entry point per reader of an outside file. Each takes arbitrary bytes,
// reads them the way the editor does and then uses the result the way the
// editor would; it must never read out of bounds or crash. A broken
// invariant (such as a rewritten language file the reader then refuses)
// throws FuzzInvariantBroken.
//
// The same functions back two drivers: libFuzzer binaries (fuzz_<name>,
// built with clang and -DD7_FUZZ=ON) and the mutation test that runs in every
// test build.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace d7::fuzz {

class FuzzInvariantBroken : public std::logic_error {
  public:
    using std::logic_error::logic_error;
};

using Input = std::span<const std::uint8_t>;

// A starting input for a target, made from the sample game (fuzz/seeds.h).
struct Seed {
    std::string name;  // a file name
    std::vector<std::uint8_t> bytes;
};

// Adding a target is one line in allFuzzTargets(): its name (which names
// its corpus directory fuzz/corpus/<name>/), its function and, when the
// sample game has files of its kind, the function that makes its seeds.
struct FuzzTarget {
    const char* name;
    void (*run)(Input bytes);
    std::vector<Seed> (*seeds)(const std::filesystem::path& sampleGame) = nullptr;
};

void languageFile(Input bytes);   // K7.ENG and other language files
void tilesetFile(Input bytes);    // the .pl8 tilesets
void paletteFile(Input bytes);    // .256 palettes
void singleMapFile(Input bytes);  // .k7map single maps and snapshots
void mapReports(Input bytes);     // a check or list on a single map
void mapSetFiles(Input bytes);    // k7_maps.dat, the map files and the language file
void namesFile(Input bytes);      // names.txt
void iniFile(Input bytes);        // D7Irir.ini
void bitmapFile(Input bytes);     // a bitmap imported as a plane or a painted map
void recoveryFile(Input bytes);   // the recovery file of unsaved changes

std::vector<Seed> recoverySeeds(const std::filesystem::path& sampleGame);

// mapReports runs one check or list per input, chosen by its first byte
// taken modulo this number.
int mapReportJobs();

// bitmapFile runs one of the imports per input, chosen by its first byte
// taken modulo this number.
inline constexpr int kBitmapImports = 4;

std::span<const FuzzTarget> allFuzzTargets();

}  // namespace d7::fuzz
