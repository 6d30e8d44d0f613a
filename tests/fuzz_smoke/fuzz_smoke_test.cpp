// Runs every fuzz target over valid inputs and thousands of damaged
// variants of them (bytes flipped, cut, repeated, inserted), so that each
// reader of an outside file meets hostile data in every test run, under the
// sanitizers too.
#include <gtest/gtest.h>

#include <random>

#include "core/model/bmp_file.h"
#include "core/model/map_access.h"
#include "core/model/single_map_file.h"
#include "fuzz/fuzz_targets.h"
#include "fuzz/run_editors.h"
#include "support/map_builder.h"
#include "support/test_paths.h"
#include "support/tileset_builder.h"

namespace d7 {
namespace {

using fuzz::Input;

// One damaged copy of a seed; the kind of damage and its place come from gen.
Bytes mutate(const Bytes& seed, std::mt19937& gen) {
    Bytes b = seed;
    auto pick = [&](std::size_t n) { return n == 0 ? 0 : std::size_t(gen() % n); };
    const int edits = 1 + int(gen() % 4);
    for (int e = 0; e < edits; ++e) {
        switch (gen() % 6) {
            case 0:  // flip bits
                if (!b.empty()) b[pick(b.size())] ^= std::uint8_t(1u << (gen() % 8));
                break;
            case 1:  // an extreme byte
                if (!b.empty()) b[pick(b.size())] = (gen() & 1) ? 0xFF : 0x00;
                break;
            case 2:  // cut the end off
                b.resize(pick(b.size() + 1));
                break;
            case 3: {  // a 32-bit field set to a large or small number
                if (b.size() >= 4) {
                    std::size_t at = pick(b.size() - 3);
                    std::uint32_t v = (gen() & 1) ? gen() : std::uint32_t(gen() % 64);
                    for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
                }
                break;
            }
            case 4:  // insert bytes
                b.insert(b.begin() + std::ptrdiff_t(pick(b.size() + 1)), 1 + gen() % 8,
                         std::uint8_t(gen()));
                break;
            default:  // repeat a piece
                if (!b.empty()) {
                    std::size_t at = pick(b.size()),
                                n = 1 + pick(std::min<std::size_t>(64, b.size() - at));
                    Bytes piece(b.begin() + std::ptrdiff_t(at), b.begin() + std::ptrdiff_t(at + n));
                    b.insert(b.begin() + std::ptrdiff_t(pick(b.size() + 1)), piece.begin(),
                             piece.end());
                }
                break;
        }
    }
    return b;
}

void runMutations(void (*target)(Input), const std::vector<Bytes>& seeds, int rounds) {
    std::mt19937 gen(12345);
    for (const Bytes& seed : seeds) ASSERT_NO_THROW(target(seed));
    ASSERT_NO_THROW(target({}));
    for (int i = 0; i < rounds; ++i) {
        const Bytes input = mutate(seeds[std::size_t(i) % seeds.size()], gen);
        ASSERT_NO_THROW(target(input)) << "round " << i;
    }
}

Bytes textBytes(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

TEST(FuzzSmoke, LanguageFile) {
    runMutations(
        fuzz::languageFile,
        {test::makeDefaultLanguageFile(), test::makeLanguageFile({"T"}, {"\"q;\""}, {"A"})}, 1500);
}

TEST(FuzzSmoke, TilesetFile) {
    runMutations(fuzz::tilesetFile, {test::makeTestTileset(2, 0), test::makeTestTileset(4, 3)},
                 400);
}

TEST(FuzzSmoke, PaletteFile) {
    runMutations(fuzz::paletteFile, {test::makeTestPaletteFile()}, 500);
}

TEST(FuzzSmoke, SingleMapFile) {
    test::TempDir dir;
    test::writeMapSet(dir.path(), 5);
    auto st = test::loadTestMapSet(dir.path());
    selectMap(*st, 3);
    runMutations(fuzz::singleMapFile, {encodeSingleMap(*st)}, 150);
    // The first byte chooses the check or list.
    std::vector<Bytes> jobs;
    for (int job = 0; job < fuzz::mapReportJobs(); ++job) {
        jobs.push_back({std::uint8_t(job)});
        const Bytes map = encodeSingleMap(*st);
        jobs.back().insert(jobs.back().end(), map.begin(), map.end());
    }
    runMutations(fuzz::mapReports, jobs, 64);
    EXPECT_TRUE(fuzz::KeptEditor::isAsStarted(fuzz::Start::BlankMapSet));
}

TEST(FuzzSmoke, MapSetFiles) {
    // Flags, then the lengths of the map store and the map file; the rest is the language
    // file. The set loaded is compared with itself or, by flag 8, written as a diff.
    Bytes lang = test::makeDefaultLanguageFile();
    Bytes toLanguage = {0, 0, 0, 0, 0, 0, 0, 0, 0};
    toLanguage.insert(toLanguage.end(), lang.begin(), lang.end());
    Bytes padded = {3, 100, 0, 0, 0, 100, 0, 0, 0};
    padded.insert(padded.end(), 200, 1);
    padded.insert(padded.end(), lang.begin(), lang.end());
    Bytes diffText = padded;
    diffText[0] |= 8;
    Bytes missingMapFiles = padded;  // made by the load
    missingMapFiles[0] |= 4;
    runMutations(fuzz::mapSetFiles, {toLanguage, padded, diffText, missingMapFiles}, 60);
    EXPECT_TRUE(fuzz::KeptEditor::isAsStarted(fuzz::Start::Fresh));
}

TEST(FuzzSmoke, NamesFile) {
    runMutations(
        fuzz::namesFile,
        {textBytes("[Prefixes]\r\nAsh\nBram ;x\n[Infixes]\nan \n[Suffixes]\nford\nton;hill\n")},
        2000);
}

TEST(FuzzSmoke, IniFile) {
    runMutations(
        fuzz::iniFile,
        {textBytes(
            "; c\r\n[Path]\r\nkvarpath=C:\\Games\r\npl8=\r\n[LangFile]\r\ntextfile=K7.ENG\r\n")},
        2000);
}

TEST(FuzzSmoke, BitmapFile) {
    // Files of every kind a converter writes, and the sizes the imports take,
    // each behind the byte that chooses the import.
    std::vector<Bytes> files;
    for (const char* name : {"two-1bit.bmp", "few-4bit-rle.bmp", "many-8bit.bmp",
                             "many-8bit-rle.bmp", "many-24bit.bmp", "many-32bit.bmp"})
        files.push_back(
            test::fileBytes(test::fs::path(D7_SOURCE_DIR) / "tests/data/bitmaps" / name));
    for (auto [w, h] : {std::pair(65, 129), std::pair(128, 128)})
        files.push_back(
            encodeBmp32(w, h, std::vector<std::uint32_t>(std::size_t(w * h), 0x808000)));
    std::vector<Bytes> seeds;
    for (int kind = 0; kind < fuzz::kBitmapImports; ++kind)
        for (const Bytes& file : files) {
            seeds.push_back({std::uint8_t(kind)});
            seeds.back().insert(seeds.back().end(), file.begin(), file.end());
        }
    runMutations(fuzz::bitmapFile, seeds, 600);
    EXPECT_TRUE(fuzz::KeptEditor::isAsStarted(fuzz::Start::BlankMapSet));
}

TEST(FuzzSmoke, RecoveryFile) {
    std::vector<Bytes> seeds;
    for (const fuzz::Seed& seed : fuzz::recoverySeeds({})) seeds.push_back(seed.bytes);
    runMutations(fuzz::recoveryFile, seeds, 400);
}

TEST(FuzzSmoke, EveryTargetIsListed) {
    EXPECT_EQ(fuzz::allFuzzTargets().size(), 10u);
}

}  // namespace
}  // namespace d7
