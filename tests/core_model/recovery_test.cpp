#include <gtest/gtest.h>

#include <fstream>

#include "core/model/file_io.h"
#include "core/model/history_steps.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "core/model/map_set_maintenance.h"
#include "core/model/recovery_file.h"
#include "core/model/recovery_schedule.h"
#include "core/model/recovery_store.h"
#include "core/model/recovery_writer.h"
#include "support/map_builder.h"

namespace d7 {
namespace {

using namespace std::chrono_literals;

class RecoveryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::writeMapSet(game.path(), 3);
        st = test::loadTestMapSet(game.path());
    }
    // Cells and names of two maps in different map files, and Ext planes.
    void editTwoMaps() {
        selectMap(*st, 5);
        storeBlockByte(*st, 0x41, 3, 4, 0, 5);
        extByte(*st, 0x22, 7, 8, 4, 5);
        setDomainName(*st, 2, "A Much Longer Domain Name Than Before");
        selectMap(*st, 42);
        storeBlockByte(*st, 0x43, 60, 61, 1, 42);
        storeOutlineByte(*st, 0x07, 10, 100, 42);
        extByte(*st, 0x33, 0, 0, 1, 42);
        setMapName(*st, "Renamed");
    }
    Recovery recoveryNow() {
        RecoverySnapshot snapshot;
        takeRecoverySnapshot(*st, 1'700'000'000, snapshot);
        return makeRecovery(*st->loadedImages, snapshot);
    }
    static void expectSameSet(const EditorState& a, const EditorState& b) {
        for (int i = 0; i < kSetImageCount; ++i) ASSERT_EQ(setImage(a, i), setImage(b, i)) << i;
        EXPECT_EQ(a.extChanged, b.extChanged);
        EXPECT_EQ(a.namesChanged, b.namesChanged);
        EXPECT_EQ(a.curMap, b.curMap);
        EXPECT_EQ(a.mapNames, b.mapNames);
        EXPECT_EQ(a.curDomainNames, b.curDomainNames);
    }
    test::TempDir game;
    test::TempDir home;
    std::unique_ptr<EditorState> st;
};

TEST_F(RecoveryTest, EveryKindOfChangeComesBackByteForByte) {
    editTwoMaps();
    const Recovery made = recoveryNow();
    const Bytes file = encodeRecovery(made);
    // What changed, not the set (a name of another length moves the rest of
    // the language file between the two renames).
    EXPECT_LT(file.size(), 32768u);

    auto fresh = test::loadTestMapSet(game.path());
    applyRecovery(*fresh, decodeRecovery(file, "r"), "r");
    expectSameSet(*fresh, *st);
    EXPECT_TRUE(hasUnsavedChanges(*fresh));
    // The recovered changes are unsaved whatever the history says.
    EXPECT_FALSE(undoStep(*fresh));
    EXPECT_TRUE(hasUnsavedChanges(*fresh));

    // Saved into its own directory, the set is its files again: nothing to recover.
    saveMapSet(*fresh, game.path().string());
    const Recovery after = [&] {
        RecoverySnapshot s;
        takeRecoverySnapshot(*fresh, 0, s);
        return makeRecovery(*fresh->loadedImages, s);
    }();
    for (const RecoveryImage& image : after.images) EXPECT_TRUE(image.ranges.empty());
}

TEST_F(RecoveryTest, ChangedFilesAreNamedAndNothingIsApplied) {
    editTwoMaps();
    const Recovery r = recoveryNow();
    Bytes mapFile = readWholeFile(game / "map11.pl8", kMapFileSize);
    mapFile[500] ^= 1;
    writeFileAtomic(game / "map11.pl8", mapFile);
    auto changed = test::loadTestMapSet(game.path());
    EXPECT_EQ(recoveryBaseMismatches(*changed, r, changed->langFile),
              std::vector<std::string>{"map11.pl8"});
    const Bytes before = changed->mapStore;
    EXPECT_THROW(applyRecovery(*changed, r, "r"), FileError);
    EXPECT_EQ(changed->mapStore, before);
    EXPECT_FALSE(hasUnsavedChanges(*changed));
}

// Damaged and hostile files are refused whole, and nothing is applied.
TEST_F(RecoveryTest, DamagedOrHostileFilesAreRefused) {
    editTwoMaps();
    const Recovery good = recoveryNow();
    const Bytes file = encodeRecovery(good);
    for (std::size_t cut :
         {std::size_t(0), std::size_t(10), std::size_t(40), file.size() / 2, file.size() - 1})
        EXPECT_THROW(decodeRecovery(std::span(file).first(cut), "r"), FileError) << cut;
    Bytes flipped = file;
    flipped[flipped.size() / 2] ^= 0x10;
    EXPECT_THROW(decodeRecovery(flipped, "r"), FileError);

    // Well-formed files (right checksum) that lie about sizes and ranges.
    std::vector<Recovery> lies(6, good);
    lies[0].images[0].ranges.front().offset = kMapStoreSize;  // past the end
    lies[1].images[0].size += 1;                              // a store of the wrong size
    lies[2].images[11].baseSize = 7;                          // no such map file
    lies[3].curMap = 60;
    auto& ranges = lies[4].images[0].ranges;
    ranges.push_back(ranges.front());  // overlapping, out of order
    lies[5].images[kLanguageSetImage].ranges.front().bytes.push_back(0);  // longer than recorded
    for (std::size_t k = 0; k < lies.size(); ++k)
        EXPECT_THROW(decodeRecovery(encodeRecovery(lies[k]), "r"), FileError) << k;

    // Accepted by the reader, but the result is not what was recorded.
    Recovery wrongBytes = good;
    wrongBytes.images[0].ranges.front().bytes[0] ^= 1;
    auto fresh = test::loadTestMapSet(game.path());
    const Bytes store = fresh->mapStore;
    EXPECT_THROW(applyRecovery(*fresh, decodeRecovery(encodeRecovery(wrongBytes), "r"), "r"),
                 FileError);
    EXPECT_EQ(fresh->mapStore, store);
}

TEST(RecoverySchedule, WritesWithinFiveSecondsButNotMoreOftenThanEveryFive) {
    RecoverySchedule s;
    const RecoverySchedule::Time t0{};
    EXPECT_FALSE(s.due(t0));
    s.changed(t0);
    EXPECT_FALSE(s.due(t0 + 900ms));
    EXPECT_TRUE(s.due(t0 + 1s));
    s.written(t0 + 1s);
    // A drag: changes every 100 ms for ten seconds.
    std::vector<RecoverySchedule::Time> writes;
    for (auto t = t0 + 1100ms; t <= t0 + 11s; t += 100ms) {
        s.changed(t);
        if (s.due(t)) {
            writes.push_back(t);
            s.written(t);
        }
    }
    EXPECT_EQ(writes, (std::vector<RecoverySchedule::Time>{t0 + 6s, t0 + 11s}));
    // A change long after the last write goes out a second after it; a
    // saved change needs no write.
    s.changed(t0 + 60s);
    EXPECT_EQ(s.dueAt(), t0 + 61s);
    s.forget();
    EXPECT_FALSE(s.due(t0 + 70s));
}

TEST_F(RecoveryTest, FilesAreWrittenWholeOutsideTheGameAndKeptAsideWhenDeclined) {
    const fs::path file = recoveryFilePath(home.path(), game.path().string());
    EXPECT_EQ(file.parent_path(), home / kRecoveryFolder);
    EXPECT_EQ(recoveryFilePath(home.path(), (game / ".").string()), file);
    EXPECT_FALSE(recoveryPlaceProblem(file, *st));
    EXPECT_EQ(recoveryFileFor(home.path(), *st), file);
    // Never among the game's files: not in the game directory, nor in a
    // folder inside it (an editor run from there), nor through a link.
    EXPECT_TRUE(recoveryPlaceProblem(game / "x.d7recovery", *st));
    EXPECT_TRUE(recoveryPlaceProblem(game / kRecoveryFolder / "x.d7recovery", *st));
    fs::create_directory_symlink(game.path(), home / "link");
    EXPECT_TRUE(recoveryPlaceProblem(home / "link" / kRecoveryFolder / "x", *st));
    EXPECT_NE(recoveryFileFor(game.path(), *st).parent_path().parent_path(), game.path());

    editTwoMaps();
    {
        RecoveryWriter writer;
        auto snapshot = writer.spareSnapshot();
        takeRecoverySnapshot(*st, 5, *snapshot);
        // A link planted at the file's place is replaced, never written through.
        fs::create_directories(file.parent_path());
        const fs::path victim = home / "victim";
        std::ofstream(victim) << "keep";
        fs::create_symlink(victim, file);
        writer.write(file, st->loadedImages, std::move(snapshot));
        writer.wait();
        EXPECT_FALSE(writer.takeError());
        EXPECT_FALSE(fs::is_symlink(file));
        EXPECT_EQ(readWholeFile(victim, 100).size(), 4u);
        EXPECT_GT(writer.lastTiming().bytes, 0u);
    }
    const auto read = readRecoveryFile(file);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->changedAt, 5);
    EXPECT_EQ(read->curMap, 42);
    EXPECT_EQ(read->mapSetDir, game.path().string());
    for (const auto& entry : fs::directory_iterator(file.parent_path()))
        EXPECT_FALSE(isTemporaryFileName(entry.path().filename().string()));

    const fs::path kept = keepRecoveryAside(file, 1'700'000'000);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_NE(kept.filename().string().find("-kept-"), std::string::npos);
    EXPECT_TRUE(readRecoveryFile(kept));
    EXPECT_FALSE(readRecoveryFile(file));
    // A directory or a FIFO in its place is reported, not read or removed.
    fs::create_directory(file);
    EXPECT_THROW(readRecoveryFile(file), FileError);
    EXPECT_THROW(removeRecoveryFile(file), FileError);
}

}  // namespace
}  // namespace d7
