#include <gtest/gtest.h>

#include <algorithm>

#include "core/model/language_file.h"
#include "core/model/map_access.h"
#include "core/model/map_reset.h"
#include "core/model/map_set_io.h"
#include "support/map_builder.h"

namespace d7 {
namespace {

class ResetMap : public ::testing::Test {
  protected:
    void SetUp() override {
        test::writeMapSet(game.path(), 13);
        st = test::loadTestMapSet(game.path());
        selectMap(*st, 22);
    }
    test::TempDir game;
    std::unique_ptr<EditorState> st;
};

TEST_F(ResetMap, NoChangesNothing) {
    ScriptedPrompt no(false);
    const Bytes store = st->mapStore, lang = st->langStream;
    EXPECT_FALSE(resetCurrentMap(*st, no));
    ASSERT_EQ(no.questions.size(), 1u);
    EXPECT_EQ(no.questions[0].first, "Reset Map");
    EXPECT_EQ(no.questions[0].second,
              "This will reset the entire map and all its submaps. Do you wish to continue?");
    EXPECT_EQ(st->mapStore, store);
    EXPECT_EQ(st->langStream, lang);
    EXPECT_FALSE(st->namesChanged);
}

TEST_F(ResetMap, EmptiesTheMapAndWritesTheDefaultNames) {
    ScriptedPrompt yes(true);
    const Bytes block23(st->mapStore.begin() + std::ptrdiff_t(blockOffset(23)),
                        st->mapStore.begin() + std::ptrdiff_t(blockOffset(24)));
    ASSERT_TRUE(resetCurrentMap(*st, yes));

    auto storeBegin = st->mapStore.begin() + std::ptrdiff_t(blockOffset(22));
    EXPECT_TRUE(std::all_of(storeBegin, storeBegin + kBlockSize, [](auto b) { return b == 0; }));
    const Bytes& stream = st->extStreams[6];
    auto recordBegin = stream.begin() + std::ptrdiff_t(extRecordOffset(22));
    EXPECT_TRUE(
        std::all_of(recordBegin, recordBegin + kExtRecordSize, [](auto b) { return b == 0; }));
    // Neighbours in the map store and in the same map file keep their bytes.
    EXPECT_TRUE(std::equal(block23.begin(), block23.end(),
                           st->mapStore.begin() + std::ptrdiff_t(blockOffset(23))));
    EXPECT_NE(stream[extRecordOffset(23)] | stream[extRecordOffset(23) + 1] |
                  stream[extRecordOffset(23) + 2],
              0);
    EXPECT_TRUE(st->planes == WorkingPlanes{});

    EXPECT_TRUE(st->namesChanged);
    EXPECT_TRUE(st->extChanged[6]);
    EXPECT_EQ(st->mapNames[22], "Empty Map");
    std::vector<std::string> expected{"Empty Lands"};
    for (int k = 1; k <= 16; ++k) expected.push_back("CTY" + std::to_string(k));
    EXPECT_EQ(st->curDomainNames, expected);
    EXPECT_EQ(st->CountyTable[16].name, "CTY16");

    auto maps = readNameEntry(st->langStream, kMapNamesEntry);
    auto domains = readNameEntry(st->langStream, kDomainNamesEntry);
    EXPECT_EQ(maps[22], "Empty Map");
    EXPECT_EQ(maps[21], "Map 21");
    EXPECT_EQ(std::vector<std::string>(domains.begin() + 22 * 20, domains.begin() + 22 * 20 + 17),
              expected);
    EXPECT_EQ(domains[22 * 20 + 17], "County 22.17");
}

TEST_F(ResetMap, SavingAfterwardsWritesTheEmptyMapFileToo) {
    ScriptedPrompt yes(true);
    ASSERT_TRUE(resetCurrentMap(*st, yes));
    test::TempDir out;
    saveMapSet(*st, out.path().string());
    const Bytes saved = test::fileBytes(out / "map06.pl8");
    ASSERT_EQ(saved.size(), kMapFileSize);
    EXPECT_TRUE(std::all_of(saved.begin() + std::ptrdiff_t(extRecordOffset(22)),
                            saved.begin() + std::ptrdiff_t(extRecordOffset(22)) + kExtRecordSize,
                            [](auto b) { return b == 0; }));
}

}  // namespace
}  // namespace d7
