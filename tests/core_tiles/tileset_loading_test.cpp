#include <gtest/gtest.h>

#include <fstream>

#include "core/model/file_io.h"
#include "core/tiles/graphics_commands.h"
#include "core/tiles/graphics_loading.h"
#include "core/tiles/tileset_file.h"
#include "support/counting_sink.h"
#include "support/map_builder.h"
#include "support/tileset_builder.h"

namespace d7 {
namespace {

using test::TempDir;

TEST(TilesetFile, DirectoryEntriesGiveOffsetDirAndEx) {
    auto bytes = test::makeTilesetFile(
        {test::solidFrame(1), test::solidFrame(2, 3, 4, 5), test::solidFrame(3, 255, 200)});
    const auto ts = tiles::makeTileset(bytes);
    EXPECT_EQ(ts.frameCount, 3);
    const auto e1 = tiles::frameEntry(ts, 1);
    ASSERT_TRUE(e1);
    EXPECT_EQ(e1->dataOffset, 8u + 3 * 16 + 900);
    EXPECT_EQ(e1->dir, 3);
    EXPECT_EQ(e1->ex, 4);
    EXPECT_EQ(tiles::frameDataOffset(ts, 1), e1->dataOffset);
    const auto e2 = tiles::frameEntry(ts, 2);
    ASSERT_TRUE(e2);
    EXPECT_EQ(e2->dir, 255);  // unsigned bytes
    EXPECT_EQ(e2->ex, 200);
    EXPECT_FALSE(tiles::frameEntry(ts, 3));
    EXPECT_EQ(tiles::frameDataOffset(ts, 3), 0u);
}

TEST(TilesetFile, ShortFilesHaveNoFrames) {
    EXPECT_EQ(tiles::makeTileset({}).frameCount, 0);
    EXPECT_EQ(tiles::makeTileset({1, 2}).frameCount, 0);
    const auto ts = tiles::makeTileset({1, 2, 9});  // claims 9 frames, has no directory
    EXPECT_EQ(ts.frameCount, 9);
    EXPECT_FALSE(tiles::frameEntry(ts, 0));
    EXPECT_FALSE(tiles::frameData(ts, 0));
}

using test::CountingSink;

class SeasonLoading : public ::testing::Test {
  protected:
    void SetUp() override {
        test::writeTestGraphics(dir.path());
        st->pl8Dir = dir.path().string();
        st->sink = &sink;
    }
    TempDir dir;
    std::unique_ptr<EditorState> st = makeEditorState();
    CountingSink sink;
};

TEST_F(SeasonLoading, LoadsTheFiveTilesetsOfTheSeasonUnderAnyLetterCase) {
    fs::rename(dir / "mtns1c.pl8", dir / "MTNS1C.PL8");
    fs::rename(dir / "town1c.pl8", dir / "Town1C.pl8");
    tiles::selectSeason(*st, 2);
    EXPECT_TRUE(st->gfx.tilesetsLoaded);
    EXPECT_EQ(st->gfx.season, 2);
    for (int kind = 0; kind < tiles::kTilesetCount; ++kind) {
        EXPECT_EQ(st->gfx.tilesets[std::size_t(kind)].data, test::makeTestTileset(kind, 2)) << kind;
        EXPECT_EQ(st->gfx.tilesets[std::size_t(kind)].frameCount, test::kTestFrames);
    }
    EXPECT_EQ(sink.redraws, 0);  // no map loaded: nothing to redraw
    st->mapLoaded = true;
    tiles::selectSeason(*st, 3);
    EXPECT_EQ(sink.redraws, 1);
}

TEST_F(SeasonLoading, AMissingFileKeepsTheTilesetsLoadedBefore) {
    tiles::selectSeason(*st, 0);
    st->mapLoaded = true;
    fs::remove(dir / "town1b.pl8");
    try {
        tiles::selectSeason(*st, 1);
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("town1b.pl8"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(st->gfx.tilesetsLoaded);
    EXPECT_EQ(st->gfx.season, 0);
    for (int kind = 0; kind < tiles::kTilesetCount; ++kind)
        EXPECT_EQ(st->gfx.tilesets[std::size_t(kind)].data, test::makeTestTileset(kind, 0)) << kind;
    EXPECT_EQ(sink.redraws, 0);
}

TEST_F(SeasonLoading, AFailedFirstLoadLeavesTheTilesetsNotLoaded) {
    fs::remove(dir / "base1a.pl8");
    EXPECT_THROW(tiles::selectSeason(*st, 0), FileError);
    EXPECT_FALSE(st->gfx.tilesetsLoaded);
}

TEST_F(SeasonLoading, ReadyNeedsMapPaletteAndTilesets) {
    EXPECT_FALSE(tiles::isReady(*st));
    tiles::selectSeason(*st, 0);
    st->mapLoaded = true;
    EXPECT_FALSE(tiles::isReady(*st));
    tiles::loadDefaultPalette(*st);
    EXPECT_TRUE(tiles::isReady(*st));
    st->mapLoaded = false;
    EXPECT_FALSE(tiles::isReady(*st));
}

TEST_F(SeasonLoading, EmptyAndTruncatedFilesLoadWithoutFrames) {
    std::ofstream(dir / "base1a.pl8", std::ios::binary | std::ios::trunc);
    std::ofstream(dir / "roads1a.pl8", std::ios::binary | std::ios::trunc) << "ab";
    tiles::selectSeason(*st, 0);
    EXPECT_EQ(st->gfx.tilesets[tiles::kBaseTiles].frameCount, 0);
    EXPECT_EQ(st->gfx.tilesets[tiles::kRoadTiles].frameCount, 0);
    EXPECT_TRUE(st->gfx.tilesetsLoaded);
}

}  // namespace
}  // namespace d7
