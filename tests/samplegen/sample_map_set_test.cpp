// The sample map set as the editor loads it: every file reads without error,
// the names are what the game expects, every one of the 60 maps keeps the
// game's rules, its Ext record follows from the map, and the same seed always
// gives the same bytes.
#include <gtest/gtest.h>

#include <set>

#include "core/analysis/analyse_map.h"
#include "core/analysis/name_generator.h"
#include "core/edit/geometry.h"
#include "core/model/auxiliary_planes.h"
#include "core/model/file_io.h"
#include "core/model/language_file.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "core/model/read_limits.h"
#include "core/tiles/graphics_loading.h"
#include "render/map_renderer.h"
#include "sample_fixture.h"
#include "samplegen/map_builder.h"
#include "samplegen/tileset_art.h"
#include "support/test_paths.h"

namespace d7 {
namespace {

TEST(SampleMapSet, LoadsThroughTheEditorsReadersAsTheGameDirectory) {
    auto st = test::openSample();
    EXPECT_EQ(std::filesystem::path(st->pl8Dir).filename(), "pl8");
    EXPECT_EQ(mapSubFolder(*st), kMapSubFolder);
    for (int f = 1; f <= kMapFileCount; ++f) {
        EXPECT_EQ(st->extStreams[std::size_t(f)].size(), kMapFileSize);
        EXPECT_FALSE(st->extChanged[std::size_t(f)]) << "map file " << f << " was not found";
    }
    EXPECT_FALSE(languageFileProblem(st->langStream).has_value());
    EXPECT_NO_THROW(
        tiles::loadPalette(st->gfx, tiles::gameFilePath(st->pl8Dir, tiles::kDefaultPaletteName)));
    for (int season = 0; season < 4; ++season)
        EXPECT_NO_THROW(tiles::loadTilesets(st->gfx, st->pl8Dir, season));
    // Start-up decides from base01.pl8 where the .pl8 files are; it must not be in the game
    // directory.
    EXPECT_FALSE(findCaseInsensitive(test::generatedSample().dir, "base01.pl8").has_value());
}

TEST(SampleMapSet, NamesOfMapsTradersAndDomains) {
    auto st = test::openSample();
    ASSERT_EQ(st->mapNames.size(), 60u);
    std::set<std::string> maps(st->mapNames.begin(), st->mapNames.end());
    EXPECT_EQ(maps.size(), 60u);
    for (const std::string& name : st->mapNames) {
        EXPECT_FALSE(name.empty());
        EXPECT_LE(name.size(), 11u) << name;
    }
    ASSERT_EQ(st->traderNames.size(), 6u);
    for (const std::string& name : st->traderNames) EXPECT_FALSE(name.empty());
    ASSERT_EQ(st->domainNames.size(), std::size_t(kMapCount * kDomainSlotsPerMap));
    for (int n = 0; n < kMapCount; ++n) {
        selectMap(*st, n);
        std::set<std::string> names;
        EXPECT_FALSE(domainNameSlot(*st, n, 0).empty());
        for (int d = 1; d < kDomainSlotsPerMap; ++d) {
            const std::string& name = domainNameSlot(*st, n, d);
            const bool used = d <= kMaxDomain && st->CountyTable[std::size_t(d)].used;
            EXPECT_EQ(name.empty(), !used) << "map " << n << " slot " << d;
            EXPECT_LE(name.size(), 20u);
            if (used) {
                EXPECT_TRUE(names.insert(name).second) << "map " << n << " repeats " << name;
            }
        }
    }
}

TEST(SampleMapSet, WordListHasPrefixesInfixesAndSuffixes) {
    const auto& files = test::generatedSample().files;
    const auto& words = files.at("names.txt");
    NameGenerator g;
    g.load(std::string_view(reinterpret_cast<const char*>(words.data()), words.size()));
    EXPECT_EQ(g.prefixes().size(), 60u);
    EXPECT_EQ(g.infixes().size(), 20u);
    EXPECT_EQ(g.suffixes().size(), 60u);
    // The copy installed beside the programs is the same list.
    const auto installed = readWholeFile(
        std::filesystem::path(D7_SOURCE_DIR) / "data" / "names.txt", kWordListReadLimit);
    EXPECT_EQ(installed, words);
}

// The rules the game checks hold on every map: per domain one castle and one
// town with road access, four villages, two resources that go together, 1 to
// 20 fields, room for the blacksmith, a trader at the town, a neighbour
// reached by road within 150 steps; five starting positions; six traders with
// a start; no gaps in the domain numbers, no cell without domain, no black cell.
TEST(SampleMapSet, EveryMapKeepsTheGamesRules) {
    auto st = test::openSample();
    std::set<int> domainCounts;
    for (int n = 0; n < kMapCount; ++n) {
        selectMap(*st, n);
        const auto problems = samplegen::mapProblems(*st);
        for (const std::string& p : problems) ADD_FAILURE() << "map " << n << ": " << p;
        int used = 0;
        for (int d = 1; d <= kMaxDomain; ++d) used += st->CountyTable[std::size_t(d)].used;
        EXPECT_GE(used, 6) << "map " << n;
        domainCounts.insert(used);
        std::set<int> starts;
        for (int k = 1; k <= 5; ++k) starts.insert(st->StartDomains[std::size_t(k)]);
        EXPECT_EQ(starts.size(), 5u) << "map " << n << ": two players start in one castle";
    }
    EXPECT_EQ(*domainCounts.rbegin(), 16);
    EXPECT_GE(domainCounts.size(), 9u);
}

// The feature code placement gives a cell, from its planes.
int expectedFeatureCode(const WorkingPlanes& p, int x, int y) {
    const int m0 = p.M0.at(x, y), m1 = p.M1.at(x, y), m2 = p.M2.at(x, y), m4 = p.M4.at(x, y);
    if (m0 == flags::kSea) return 4;
    if (m0 & flags::kRoad) return 63;
    if (m1 == tileset::kMountain) return m2 >= 16 ? 32 : 40;
    if (m0 & flags::kUnpassable) return 10;
    if (m0 & flags::kField) return 13;
    if (m0 & flags::kVillage) return 9;
    if (m0 == flags::kTown) return m4 ? 25 + m4 : 5;
    if (isResource(p, x, y)) return m2 == 0 ? 21 : m2 == 20 ? 8 : 14;
    if (isCastle(p, x, y)) return m4 ? 25 + m4 : 15;
    return 2;
}

TEST(SampleMapSet, ExtRecordsFollowFromTheMap) {
    auto st = test::openSample();
    for (int n = 0; n < kMapCount; ++n) {
        selectMap(*st, n);
        const WorkingPlanes stored = st->planes;
        int wrongCodes = 0;
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x) {
                EXPECT_EQ(stored.Ext3.at(x, y), stored.M5.at(x, y));
                wrongCodes += stored.Ext4.at(x, y) != expectedFeatureCode(stored, x, y);
            }
        EXPECT_EQ(wrongCodes, 0) << "map " << n;
        buildDomainMask(*st);
        buildOutsideMap(*st);
        buildOutline(*st);
        EXPECT_EQ(st->planes.Ext1, stored.Ext1) << "map " << n;
        EXPECT_EQ(st->planes.Ext5, stored.Ext5) << "map " << n;
        EXPECT_EQ(st->planes.Outline, stored.Outline) << "map " << n;
        // The minimap image picks 11 or 12 at random inside domains.
        buildMinimapImage(*st);
        int differ = 0;
        for (std::size_t i = 0; i < stored.Ext2.bytes.size(); ++i) {
            const int a = stored.Ext2.bytes[i], b = st->planes.Ext2.bytes[i];
            differ += a != b && !((a == 11 || a == 12) && (b == 11 || b == 12));
        }
        EXPECT_EQ(differ, 0) << "map " << n;
    }
}

TEST(SampleMapSet, MapsDifferAndHeadersAreOurOwn) {
    const auto& files = test::generatedSample().files;
    const auto& store = files.at(kMapStoreName);
    std::set<std::vector<std::uint8_t>> blocks;
    for (int n = 0; n < kMapCount; ++n)
        blocks.emplace(store.begin() + std::ptrdiff_t(blockOffset(n)),
                       store.begin() + std::ptrdiff_t(blockOffset(n + 1)));
    EXPECT_EQ(blocks.size(), 60u);
    std::set<std::vector<std::uint8_t>> headers;
    for (int f = 1; f <= kMapFileCount; ++f) {
        const auto& file = files.at("pl8/" + mapFileName(f));
        headers.emplace(file.begin(), file.begin() + kMapFileHeaderSize);
        EXPECT_EQ(std::string(file.begin(), file.begin() + 6), "D7KMAP");
    }
    EXPECT_EQ(headers.size(), 15u);
}

TEST(SampleMapSet, SameSeedGivesTheSameBytes) {
    const auto& files = test::generatedSample().files;
    using samplegen::Season;
    EXPECT_EQ(samplegen::tilesetFile(tiles::kRoadTiles, Season::Winter),
              files.at("pl8/roads1d.pl8"));
    EXPECT_EQ(samplegen::tilesetFile(tiles::kCastleTiles, Season::Autumn),
              files.at("pl8/castle1c.pl8"));

    // The first maps again, built on their own.
    constexpr int kMaps = 3;
    const auto again = samplegen::mapSetFiles(samplegen::kDefaultSeed, kMaps);
    const auto& store = files.at(kMapStoreName);
    const auto& storeAgain = again.at(kMapStoreName);
    EXPECT_TRUE(std::equal(store.begin(), store.begin() + std::ptrdiff_t(blockOffset(kMaps)),
                           storeAgain.begin()));
    const auto& file = files.at("pl8/map01.pl8");
    const auto& fileAgain = again.at("pl8/map01.pl8");
    const std::size_t end = extRecordOffset(kMaps);
    EXPECT_TRUE(std::equal(file.begin(), file.begin() + std::ptrdiff_t(end), fileAgain.begin()));

    // Another seed, other maps.
    const auto other = samplegen::mapSetFiles(samplegen::kDefaultSeed + 1, 1);
    EXPECT_FALSE(std::equal(store.begin(), store.begin() + std::ptrdiff_t(blockOffset(1)),
                            other.at(kMapStoreName).begin()));
}

// Drawn as the map window draws it, in spring and in winter, no cell of a
// few maps shows black at its centre: every tile and piece has its frame.
TEST(SampleMapSet, RenderedMapsShowNoBlackCell) {
    auto st = test::openSample();
    tiles::loadPalette(st->gfx, tiles::gameFilePath(st->pl8Dir, tiles::kDefaultPaletteName));
    st->view.zoom = 1;
    render::MapRenderer renderer(*st);
    for (int season : {0, 3}) {
        tiles::loadTilesets(st->gfx, st->pl8Dir, season);
        for (int n : {0, 29, 59}) {
            selectMap(*st, n);
            renderer.redrawMap();
            int black = 0;
            for (int y = 0; y < kGrid; ++y)
                for (int x = 0; x < kGrid; ++x) {
                    const PixelPoint p = cellToScreen(x, y, 1);
                    black += renderer.pixel(p.x + 29, p.y + 15) == tiles::kBlackPixel;
                }
            EXPECT_EQ(black, 0) << "map " << n << " season " << season;
        }
    }
}

}  // namespace
}  // namespace d7
