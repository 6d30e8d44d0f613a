#include <gtest/gtest.h>

#include <fstream>

#include "core/model/file_io.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "core/model/map_set_maintenance.h"
#include "core/model/undo.h"
#include "support/map_builder.h"

namespace d7 {
namespace {

using test::fileBytes;
using test::TempDir;

using test::writeBytes;

std::vector<std::string> filesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (auto& e : fs::recursive_directory_iterator(dir))
        if (e.is_regular_file()) names.push_back(fs::relative(e.path(), dir).string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(MapSetIo, SaveWithEverythingMarkedReproducesEveryFile) {
    TempDir game, out;
    test::writeMapSet(game.path(), 7);
    auto st = test::loadTestMapSet(game.path());
    markEveryFileForSaving(*st);
    EXPECT_EQ(saveMapSet(*st, out.path().string()).size(), 17u);

    EXPECT_EQ(fileBytes(out / "K7_MAPS.DAT"), fileBytes(game / "k7_maps.dat"));
    EXPECT_EQ(fileBytes(out / "K7.ENG"), fileBytes(game / "K7.ENG"));
    for (int i = 1; i <= 15; ++i)
        EXPECT_EQ(fileBytes(out / mapFileName(i)), fileBytes(game / mapFileName(i))) << i;
}

TEST(MapSetIo, LoadingTheGameDirectoryMarksNothingAndSavesOnlyTheMapStore) {
    TempDir game, out;
    test::writeMapSet(game.path(), 3);
    auto st = test::loadTestMapSet(game.path());
    for (int i = 1; i <= 15; ++i) EXPECT_FALSE(st->extChanged[i]);
    EXPECT_FALSE(st->namesChanged);
    saveMapSet(*st, out.path().string());
    EXPECT_EQ(filesIn(out.path()), std::vector<std::string>{"K7_MAPS.DAT"});
}

TEST(MapSetIo, LoadingAnotherDirectoryMarksExactlyTheFilesFoundThere) {
    TempDir game, other, out;
    test::writeMapSet(game.path(), 1);
    test::writeMapSet(other.path(), 2);
    // The other directory holds only map03.pl8 and map09.pl8, and its own names.
    for (int i = 1; i <= 15; ++i)
        if (i != 3 && i != 9) fs::remove(other / mapFileName(i));

    auto st = test::loadTestMapSet(game.path());
    loadMapSet(*st, other.path().string());
    for (int i = 1; i <= 15; ++i) EXPECT_EQ(st->extChanged[i], i == 3 || i == 9) << i;
    EXPECT_TRUE(st->namesChanged);
    EXPECT_EQ(st->extStreams[3], test::makePatternMapFile(2, 3));
    EXPECT_EQ(st->extStreams[4], test::makePatternMapFile(1, 4));
    EXPECT_EQ(st->mapStore, test::makePatternMapStore(2));

    EXPECT_EQ(st->mapSetDir, other.path().string());
    EXPECT_FALSE(holdsMapStore(out.path().string()));
    EXPECT_EQ(saveMapSet(*st, out.path().string()),
              (std::vector<std::string>{"K7_MAPS.DAT", "K7.ENG", "map03.pl8", "map09.pl8"}));
    EXPECT_EQ(filesIn(out.path()),
              (std::vector<std::string>{"K7.ENG", "K7_MAPS.DAT", "map03.pl8", "map09.pl8"}));
    EXPECT_TRUE(holdsMapStore(out.path().string()));
}

TEST(MapSetIo, MissingMapFilesAreCreatedFromMap01sHeader) {
    TempDir game;
    test::writeMapSet(game.path(), 5);
    fs::remove(game / "map07.pl8");
    auto st = test::loadTestMapSet(game.path());
    const Bytes& created = st->extStreams[7];
    ASSERT_EQ(created.size(), kMapFileSize);
    EXPECT_TRUE(std::equal(created.begin(), created.begin() + 328, st->extStreams[1].begin()));
    EXPECT_TRUE(std::all_of(created.begin() + 328, created.end(), [](auto b) { return b == 0; }));
    EXPECT_FALSE(st->extChanged[7]);
}

// Images already in memory load as the same files would, and are checked the
// same way: a bad one is refused by the path it came from, changing nothing.
TEST(MapSetIo, ImagesInMemoryLoadAndAreRefusedLikeFiles) {
    TempDir game;
    test::writeMapSet(game.path(), 4);
    auto st = test::loadTestMapSet(game.path());
    MapSetOrigin origin{"mem/k7_maps.dat", {}, {}, "mem/K7.ENG"};
    auto lend = [&](Bytes mapFile2) {
        st->spareMapSet.mapStore = test::makePatternMapStore(6);
        st->spareMapSet.extStreams[1] = test::makePatternMapFile(6, 1);
        st->spareMapSet.extStreams[2] = std::move(mapFile2);
        st->spareMapSet.langStream = fileBytes(game / "K7.ENG");
    };
    origin.mapFiles[1] = "mem/map01.pl8";
    origin.mapFiles[2] = "mem/map02.pl8";
    origin.mapFileFromElsewhere[2] = true;
    lend(Bytes(kMapFileSize - 1, 0));
    try {
        takeMapSetImages(*st, origin);
        ADD_FAILURE() << "a short map file was taken";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("mem/map02.pl8"), std::string::npos) << e.what();
    }
    EXPECT_EQ(st->mapStore, test::makePatternMapStore(4));

    lend(test::makePatternMapFile(6, 2));
    takeMapSetImages(*st, origin);
    EXPECT_EQ(st->mapStore, test::makePatternMapStore(6));
    for (int i = 1; i <= 15; ++i) EXPECT_EQ(st->extChanged[i], i == 2) << i;
    // Map files found nowhere are made from map01's header.
    EXPECT_TRUE(std::equal(st->extStreams[9].begin(), st->extStreams[9].begin() + 328,
                           st->extStreams[1].begin()));
    EXPECT_FALSE(st->namesChanged);
    EXPECT_EQ(st->curMap, 0);
}

TEST(MapSetIo, MapFilesLiveInThePl8SubFolderWhenTheDirectoriesDiffer) {
    TempDir game, out;
    test::writeMapSet(game.path(), 9, "pl8");
    auto st = makeEditorState();
    st->gameDir = game.path().string();
    st->pl8Dir = (game / "pl8").string();
    loadMapSet(*st, st->gameDir);
    EXPECT_EQ(st->extStreams[15], test::makePatternMapFile(9, 15));

    st->extChanged[2] = true;
    EXPECT_EQ(saveMapSet(*st, out.path().string()),
              (std::vector<std::string>{"K7_MAPS.DAT", "PL8/map02.pl8"}));
    EXPECT_EQ(fileBytes(out / "PL8" / "map02.pl8"), test::makePatternMapFile(9, 2));
}

TEST(MapSetIo, FilesAreFoundAndOverwrittenUnderAnyLetterCase) {
    TempDir game;
    test::writeMapSet(game.path(), 4, "Pl8");
    fs::rename(game / "k7_maps.dat", game / "K7_Maps.DAT");
    fs::rename(game / "K7.ENG", game / "k7.eng");
    fs::rename(game / "Pl8" / "map05.pl8", game / "Pl8" / "MAP05.PL8");

    auto st = makeEditorState();
    st->gameDir = game.path().string();
    st->pl8Dir = (game / "pl8").string();
    loadMapSet(*st, st->gameDir);
    EXPECT_EQ(st->extStreams[5], test::makePatternMapFile(4, 5));

    st->extChanged[5] = true;
    st->namesChanged = true;
    st->mapStore[0] ^= 0xFF;
    saveMapSet(*st, st->gameDir);
    // The existing spellings were written; no second file appeared beside them.
    EXPECT_EQ(filesIn(game.path()).size(), 17u);
    EXPECT_EQ(fileBytes(game / "K7_Maps.DAT"), st->mapStore);
    EXPECT_TRUE(fs::exists(game / "k7.eng"));
    EXPECT_TRUE(fs::exists(game / "Pl8" / "MAP05.PL8"));
}

class BadMapSet : public ::testing::Test {
  protected:
    void SetUp() override {
        test::writeMapSet(game.path(), 11);
        test::writeMapSet(other.path(), 12);
        st = test::loadTestMapSet(game.path());
        selectMap(*st, 5);
        before = std::make_unique<EditorState>(*st);
    }

    // Loading the other directory fails with a message naming the file, and the
    // map set loaded before is unchanged and still usable.
    void expectRefused(const std::string& fileName) {
        try {
            loadMapSet(*st, other.path().string());
            FAIL() << "load was not refused";
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(fileName), std::string::npos) << e.what();
        }
        EXPECT_EQ(st->mapStore, before->mapStore);
        EXPECT_EQ(st->extStreams, before->extStreams);
        EXPECT_EQ(st->langStream, before->langStream);
        EXPECT_EQ(st->mapNames, before->mapNames);
        EXPECT_EQ(st->curMap, 5);
        EXPECT_EQ(st->planes.M2, before->planes.M2);
        EXPECT_EQ(st->extChanged, before->extChanged);
        selectMap(*st, 6);
        EXPECT_EQ(st->curMap, 6);
    }

    TempDir game, other;
    std::unique_ptr<EditorState> st, before;
};

TEST_F(BadMapSet, MapStoreOfTheWrongSize) {
    Bytes store = fileBytes(other / "k7_maps.dat");
    store.pop_back();
    writeBytes(other / "k7_maps.dat", store);
    expectRefused("k7_maps.dat");
}

TEST_F(BadMapSet, MissingMapStore) {
    fs::remove(other / "k7_maps.dat");
    expectRefused("k7_maps.dat");
}

TEST_F(BadMapSet, MapFileOfTheWrongSize) {
    writeBytes(other / "map04.pl8", Bytes(1000, 1));
    expectRefused("map04.pl8");
}

TEST_F(BadMapSet, LanguageFileShorterThanItsTable) {
    writeBytes(other / "K7.ENG", Bytes(500, 0));
    expectRefused("K7.ENG");
}

TEST_F(BadMapSet, LanguageFileOffsetOutsideTheFile) {
    Bytes lang = fileBytes(other / "K7.ENG");
    lang[12 + 4 * 50 + 3] = 0x7F;
    writeBytes(other / "K7.ENG", lang);
    expectRefused("K7.ENG");
}

TEST(MapSetIo, EmptyMapFileIsToleratedAndKeepsThePreviousExtPlanes) {
    TempDir game;
    test::writeMapSet(game.path(), 6);
    writeBytes(game / "map02.pl8", {});
    auto st = test::loadTestMapSet(game.path());
    EXPECT_TRUE(st->extStreams[2].empty());
    selectMap(*st, 3);
    auto ext3 = st->planes.Ext3;
    selectMap(*st, 4);  // lives in the empty map02.pl8
    EXPECT_EQ(st->planes.Ext3, ext3);
    EXPECT_EQ(st->curMap, 4);
    // Writers leave the empty file empty instead of writing past it.
    extByte(*st, 9, 0, 0, kExt3, 4);
    EXPECT_TRUE(st->extStreams[2].empty());
    EXPECT_TRUE(st->extChanged[2]);
}

TEST(MapSetIo, ShortEntry100LoadsWhatIsThere) {
    TempDir game;
    test::writeMapSet(game.path(), 6);
    writeBytes(game / "K7.ENG", test::makeLanguageFile({"A"}, {}, {"One", "Two"}));
    auto st = test::loadTestMapSet(game.path());
    ASSERT_EQ(st->mapNames.size(), 60u);
    EXPECT_EQ(st->mapNames[1], "Two");
    EXPECT_EQ(st->mapNames[2], "");
    EXPECT_EQ(st->traderNames, (std::vector<std::string>{"A", "Trader 2", "Trader 3", "Trader 4",
                                                         "Trader 5", "Trader 6"}));
    selectMap(*st, 59);
    EXPECT_EQ(st->curDomainNames, std::vector<std::string>(17));
}

TEST(MapSetIo, NamesRoundTripByteForByte) {
    TempDir game, out;
    test::writeMapSet(game.path(), 6);
    auto st = test::loadTestMapSet(game.path());
    selectMap(*st, 2);
    const std::string odd = "\xC4rger \"Wald\"\x01\xFF";
    setMapName(*st, odd);
    setDomainName(*st, 3, "Caf\xE9;s");
    saveMapSet(*st, out.path().string());

    auto again = makeEditorState();
    again->gameDir = game.path().string();
    again->pl8Dir = again->gameDir;
    loadMapSet(*again, out.path().string());
    EXPECT_EQ(again->mapNames[2], odd);
    selectMap(*again, 2);
    EXPECT_EQ(again->curDomainNames[3], "Caf\xE9;s");
    EXPECT_EQ(again->curDomainNames[4], "County 2.4");
    EXPECT_EQ(again->domainNames.size(), 1200u);
}

// A directory where map05.pl8 should be, in the middle of a save of every
// file: nothing is renamed, so the store, the names and every map file keep
// their old bytes, and no temporary file is left behind.
TEST(MapSetIo, FailedSaveLeavesEveryOldFileAndReportsIt) {
    TempDir game, out;
    test::writeMapSet(game.path(), 8);
    test::writeMapSet(out.path(), 9);
    auto st = test::loadTestMapSet(game.path());
    st->extChanged.fill(true);
    st->namesChanged = true;
    fs::remove(out / "map05.pl8");
    fs::create_directory(out / "map05.pl8");
    const std::vector<std::string> before = filesIn(out.path());
    std::vector<Bytes> old;
    for (const std::string& name : before) old.push_back(fileBytes(out / name));
    try {
        saveMapSet(*st, out.path().string());
        FAIL() << "save did not fail";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("map05.pl8"), std::string::npos);
    }
    ASSERT_EQ(filesIn(out.path()), before);
    for (std::size_t k = 0; k < before.size(); ++k) EXPECT_EQ(fileBytes(out / before[k]), old[k]);
    EXPECT_TRUE(st->extChanged[5] && st->namesChanged);  // the flags stay for another try
}

TEST(MapSetIo, SaveIntoMissingDirectoryFails) {
    TempDir game;
    test::writeMapSet(game.path(), 8);
    auto st = test::loadTestMapSet(game.path());
    EXPECT_THROW(saveMapSet(*st, (game / "no" / "such").string()), FileError);
}

TEST(MapSetIo, UnsavedChangesCountEveryWriteUntilASaveSucceedsOrASetIsLoaded) {
    TempDir game, out;
    test::writeMapSet(game.path(), 8);
    auto st = test::loadTestMapSet(game.path());
    EXPECT_FALSE(hasUnsavedChanges(*st));
    selectMap(*st, 3);  // looking at maps changes nothing
    EXPECT_FALSE(hasUnsavedChanges(*st));

    setMapName(*st, "Renamed");
    EXPECT_TRUE(hasUnsavedChanges(*st));
    EXPECT_THROW(saveMapSet(*st, (game / "no" / "such").string()), FileError);
    EXPECT_TRUE(hasUnsavedChanges(*st));
    saveMapSet(*st, out.path().string());
    EXPECT_FALSE(hasUnsavedChanges(*st));

    // Each kind of write on its own: a block byte, an Ext byte, a whole map image.
    storeBlockByte(*st, 9, 1, 1, 2, 3);
    EXPECT_TRUE(hasUnsavedChanges(*st));
    loadMapSet(*st, game.path().string());
    EXPECT_FALSE(hasUnsavedChanges(*st));
    extByte(*st, 9, 1, 1, kExt4, 3);
    EXPECT_TRUE(hasUnsavedChanges(*st));
    loadMapSet(*st, game.path().string());
    EXPECT_FALSE(hasUnsavedChanges(*st));  // also when the set before is reused for the new one
    Bytes image(kMapImageSize);
    readMapImage(*st, 0, image.data());
    writeMapImage(*st, image);
    EXPECT_TRUE(hasUnsavedChanges(*st));
}

}  // namespace
}  // namespace d7
