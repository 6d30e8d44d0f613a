#include <gtest/gtest.h>

#include <fstream>

#include "core/model/file_io.h"
#include "core/model/language_file.h"
#include "core/model/map_access.h"
#include "core/model/map_set_maintenance.h"
#include "core/model/single_map_file.h"
#include "core/model/undo.h"
#include "support/map_builder.h"

namespace d7 {
namespace {

using test::TempDir;

using test::writeBytes;

Bytes block(const EditorState& st, int n) {
    auto at = st.mapStore.begin() + std::ptrdiff_t(blockOffset(n));
    return Bytes(at, at + kBlockSize);
}

Bytes extRecord(const EditorState& st, int n) {
    auto at = st.extStreams[std::size_t(fileOfMap(n))].begin() + std::ptrdiff_t(extRecordOffset(n));
    return Bytes(at, at + kExtRecordSize);
}

// Everything a refused load must leave alone.
struct Snapshot {
    explicit Snapshot(const EditorState& st)
        : mapStore(st.mapStore),
          extStreams(st.extStreams),
          extChanged(st.extChanged),
          langStream(st.langStream),
          namesChanged(st.namesChanged),
          mapNames(st.mapNames),
          domainNames(st.domainNames),
          curDomainNames(st.curDomainNames),
          undoBuffer(st.undoBuffer),
          undoValid(st.undoValid),
          planes(st.planes) {}
    void expectSame(const EditorState& st) const {
        EXPECT_EQ(st.mapStore, mapStore);
        EXPECT_EQ(st.extStreams, extStreams);
        EXPECT_EQ(st.extChanged, extChanged);
        EXPECT_EQ(st.langStream, langStream);
        EXPECT_EQ(st.namesChanged, namesChanged);
        EXPECT_EQ(st.mapNames, mapNames);
        EXPECT_EQ(st.domainNames, domainNames);
        EXPECT_EQ(st.curDomainNames, curDomainNames);
        EXPECT_EQ(st.undoBuffer, undoBuffer);
        EXPECT_EQ(st.undoValid, undoValid);
        EXPECT_TRUE(st.planes == planes);
    }
    Bytes mapStore;
    std::array<Bytes, kMapFileCount + 1> extStreams;
    std::array<bool, kMapFileCount + 1> extChanged;
    Bytes langStream;
    bool namesChanged;
    std::vector<std::string> mapNames, domainNames, curDomainNames;
    Bytes undoBuffer;
    bool undoValid;
    WorkingPlanes planes;
};

class SingleMapFile : public ::testing::Test {
  protected:
    void SetUp() override {
        test::writeMapSet(game.path(), 5);
        st = test::loadTestMapSet(game.path());
    }
    TempDir game, files;
    std::unique_ptr<EditorState> st;
};

TEST_F(SingleMapFile, FileIsTheMapImageFollowedByTheNames) {
    selectMap(*st, 6);
    setDomainName(*st, 2, "Say \"Hi\"");
    const fs::path path = files / "six.k7map";
    saveSingleMap(*st, path);
    Bytes file = test::fileBytes(path);
    ASSERT_GE(file.size(), std::size_t(kMapImageSize));
    EXPECT_EQ(Bytes(file.begin(), file.begin() + kBlockSize), block(*st, 6));
    EXPECT_EQ(Bytes(file.begin() + kBlockSize, file.begin() + kMapImageSize), extRecord(*st, 6));

    std::string expected("Map 6\0Land 6\0County 6.1\0\"Say \"\"Hi\"\"\"\0", 37);
    for (int k = 3; k <= 16; ++k) expected += "County 6." + std::to_string(k) + '\0';
    EXPECT_EQ(std::string(file.begin() + kMapImageSize, file.end()), expected);
}

TEST_F(SingleMapFile, SavedAndLoadedIntoTheSameMapChangesNothingButTheFlags) {
    selectMap(*st, 6);
    setDomainName(*st, 5, "Say \"Hi\"; bye");
    st->namesChanged = false;
    const fs::path path = files / "six.k7map";
    saveSingleMap(*st, path);
    Snapshot before(*st);
    pushUndo(*st);

    loadSingleMap(*st, path);
    EXPECT_EQ(st->mapStore, before.mapStore);
    EXPECT_EQ(st->extStreams, before.extStreams);
    EXPECT_EQ(st->langStream, before.langStream);
    EXPECT_EQ(st->mapNames, before.mapNames);
    EXPECT_EQ(st->domainNames, before.domainNames);
    EXPECT_EQ(st->curDomainNames, before.curDomainNames);
    EXPECT_TRUE(st->extChanged[2]);
    EXPECT_FALSE(st->extChanged[1]);
    EXPECT_TRUE(st->namesChanged);
    EXPECT_FALSE(st->undoValid);  // the map was selected again
}

TEST_F(SingleMapFile, LoadingIntoAnotherMapCopiesPlanesAndNames) {
    selectMap(*st, 6);
    const fs::path path = files / "six.k7map";
    saveSingleMap(*st, path);
    const Bytes block6 = block(*st, 6), record6 = extRecord(*st, 6);

    selectMap(*st, 41);
    loadSingleMap(*st, path);
    EXPECT_EQ(st->curMap, 41);
    EXPECT_EQ(block(*st, 41), block6);
    EXPECT_EQ(extRecord(*st, 41), record6);
    EXPECT_TRUE(st->extChanged[11]);
    EXPECT_EQ(st->planes.M2.at(9, 4), block6[2 * 4096 + 4 * 64 + 9]);
    EXPECT_EQ(st->planes.Ext5.at(64, 128), record6[0xA000 + 128 * 65 + 64]);
    EXPECT_EQ(st->mapNames[41], "Map 6");
    EXPECT_EQ(st->curDomainNames[16], "County 6.16");
    EXPECT_EQ(st->CountyTable[1].name, "County 6.1");
    // The language file carries the new names; slots 17..19 of the map are kept.
    EXPECT_EQ(readNameEntry(st->langStream, kMapNamesEntry)[41], "Map 6");
    auto domains = readNameEntry(st->langStream, kDomainNamesEntry);
    EXPECT_EQ(domains[41 * 20], "Land 6");
    EXPECT_EQ(domains[41 * 20 + 17], "County 41.17");
    EXPECT_EQ(domains[40 * 20 + 16], "County 40.16");
}

TEST_F(SingleMapFile, CommaInADomainNameSplitsItAndShiftsTheFollowingNames) {
    selectMap(*st, 3);
    setDomainName(*st, 4, "North,South");
    const fs::path path = files / "three.k7map";
    saveSingleMap(*st, path);
    loadSingleMap(*st, path);
    EXPECT_EQ(st->curDomainNames[3], "County 3.3");
    EXPECT_EQ(st->curDomainNames[4], "North");
    EXPECT_EQ(st->curDomainNames[5], "South");
    EXPECT_EQ(st->curDomainNames[6], "County 3.5");
    EXPECT_EQ(st->curDomainNames[16], "County 3.15");
    EXPECT_EQ(st->domainNames[3 * 20 + 16], "County 3.15");
}

TEST(NamesText, MapNameRunsToTheFirstZeroAndTheLastTerminatorEndsTheList) {
    MapNames n = parseNamesText(std::string_view("Isle\0a\0b,c\0\0", 12));
    EXPECT_EQ(n.mapName, "Isle");
    EXPECT_EQ(n.domainNames, (std::vector<std::string>{"a", "b", "c", ""}));
    EXPECT_TRUE(parseNamesText("no terminator").domainNames.empty());
}

class BadSingleMap : public SingleMapFile {
  protected:
    void SetUp() override {
        SingleMapFile::SetUp();
        selectMap(*st, 6);
        pushUndo(*st);
        st->planes.M0.at(1, 1) ^= 0xFF;  // an edit in progress: the undo record matters
        good = encodeSingleMap(*st);
    }
    void expectRefused(const Bytes& bytes, const std::string& reasonPart) {
        const fs::path path = files / "bad.k7map";
        writeBytes(path, bytes);
        Snapshot before(*st);
        try {
            loadSingleMap(*st, path);
            FAIL() << "accepted";
        } catch (const FileError& e) {
            EXPECT_EQ(e.path(), path);
            EXPECT_NE(std::string(e.what()).find("bad.k7map"), std::string::npos);
            EXPECT_NE(e.reason().find(reasonPart), std::string::npos) << e.reason();
        }
        before.expectSame(*st);
    }
    Bytes good;
};

TEST_F(BadSingleMap, ShorterThanAMapImage) {
    expectRefused(Bytes(good.begin(), good.begin() + kMapImageSize - 1), "82305 bytes");
    expectRefused(Bytes(), "0 bytes");
}

TEST_F(BadSingleMap, FewerThan17Names) {
    Bytes image(good.begin(), good.begin() + kMapImageSize);
    expectRefused(image, "holds 0 domain names");
    Bytes sixteen = image;
    std::string text("Map\0", 4);
    for (int k = 0; k < 16; ++k) text += "n" + std::to_string(k) + '\0';
    sixteen.insert(sixteen.end(), text.begin(), text.end());
    expectRefused(sixteen, "holds 16 domain names");
    Bytes noTerminator = image;
    std::string mapOnly = "just a map name, with commas, and more, than, seventeen,,,,,,,,,,,,,,";
    noTerminator.insert(noTerminator.end(), mapOnly.begin(), mapOnly.end());
    expectRefused(noTerminator, "holds 0 domain names");
}

TEST_F(BadSingleMap, MissingFileIsAFileErrorAndChangesNothing) {
    Snapshot before(*st);
    EXPECT_THROW(loadSingleMap(*st, files / "missing.k7map"), FileError);
    before.expectSame(*st);
}

TEST_F(BadSingleMap, SeventeenNamesWithoutTheFinalTerminatorAreEnough) {
    Bytes file(good.begin(), good.end() - 1);
    const fs::path path = files / "ok.k7map";
    writeBytes(path, file);
    loadSingleMap(*st, path);
    EXPECT_EQ(st->curDomainNames[16], "County 6.16");
}

}  // namespace
}  // namespace d7
