// Seed inputs for the fuzz targets, made from the sample game directory: the
// start of each kind of tileset, the palette, the language file, the word
// list, single maps as the editor exports them, map set inputs and the
// configuration file as the editor writes it. Seeds start the fuzzer at files
// that the readers accept, so that it explores their insides rather than
// their first checks.
#pragma once

#include "fuzz/fuzz_targets.h"

namespace d7::fuzz {

std::vector<Seed> languageSeeds(const std::filesystem::path& sampleGame);
std::vector<Seed> tilesetSeeds(const std::filesystem::path& sampleGame);
std::vector<Seed> paletteSeeds(const std::filesystem::path& sampleGame);
std::vector<Seed> singleMapSeeds(const std::filesystem::path& sampleGame);
std::vector<Seed> mapReportSeeds(const std::filesystem::path& sampleGame);
std::vector<Seed> mapSetSeeds(const std::filesystem::path& sampleGame);
std::vector<Seed> namesSeeds(const std::filesystem::path& sampleGame);
std::vector<Seed> iniSeeds(const std::filesystem::path& sampleGame);

// Seeds larger than this are not committed: their files are named
// "generated-..." and made again before each fuzzing run.
inline constexpr std::size_t kCommittedSeedLimit = 16 * 1024;

// Writes every target's seeds into corpus/<target>/, returning how many.
int writeSeedCorpus(const std::filesystem::path& sampleGame, const std::filesystem::path& corpus);

}  // namespace d7::fuzz
