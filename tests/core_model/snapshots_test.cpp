#include <gtest/gtest.h>

#include <fstream>

#include "core/model/day_serial.h"
#include "core/model/file_io.h"
#include "core/model/map_access.h"
#include "core/model/map_set_maintenance.h"
#include "core/model/single_map_file.h"
#include "core/model/snapshots.h"
#include "support/map_builder.h"

namespace d7 {
namespace {

using test::TempDir;

using test::writeBytes;

std::vector<std::string> entriesBelow(const fs::path& dir) {
    std::vector<std::string> names;
    for (auto& e : fs::recursive_directory_iterator(dir))
        names.push_back(fs::relative(e.path(), dir).string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(DaySerial, KnownDatesAndTimes) {
    EXPECT_EQ(daysSinceSerialEpoch(1899, 12, 30), 0);
    EXPECT_EQ(daysSinceSerialEpoch(1900, 1, 1), 2);
    EXPECT_EQ(daysSinceSerialEpoch(2024, 1, 1), 45292);
    EXPECT_EQ(daysSinceSerialEpoch(2024, 3, 1), 45352);  // 2024 is a leap year
    EXPECT_DOUBLE_EQ(daySerial({2024, 3, 15, 18, 0, 0, 0}), 45366.75);

    EXPECT_EQ(snapshotTimestamp({2024, 3, 15, 12, 0, 0, 0}), 4536650000);
    EXPECT_EQ(snapshotTimestamp({2026, 7, 4, 9, 30, 15, 500}), 4620739601);
    // One unit is 864 ms, and the number is truncated, never rounded up.
    EXPECT_EQ(snapshotTimestamp({2024, 1, 1, 0, 0, 0, 863}), 4529200000);
    EXPECT_EQ(snapshotTimestamp({2024, 1, 1, 0, 0, 0, 864}), 4529200001);
    EXPECT_EQ(snapshotTimestamp({2024, 1, 1, 23, 59, 59, 999}), 4529299999);
}

TEST(SnapshotNames, NameAndNumber) {
    EXPECT_EQ(snapshotFileName("Isle", 4600000000), "Snap_Isle_4600000000.k7map");
    // Windows-1252 names become UTF-8 file names.
    EXPECT_EQ(snapshotFileName("\xC6r\xF8 \x80", 1), "Snap_\xC3\x86r\xC3\xB8 \xE2\x82\xAC_1.k7map");

    const std::string p = snapshotPrefix("Isle");
    EXPECT_EQ(snapshotNumber("Snap_Isle_4600000000.k7map", p), 4600000000);
    EXPECT_EQ(snapshotNumber("Snap_Isle_old.k7map", p), 0);
    EXPECT_EQ(snapshotNumber("Snap_Isle_.k7map", p), 0);
    EXPECT_EQ(snapshotNumber("Snap_Isle_12.k7map.bak", p), 0);
    EXPECT_EQ(snapshotNumber("Snap_Isle2_4600000000.k7map", p), 0);
    EXPECT_EQ(snapshotNumber("Snap_Isle_-5.k7map", p), -5);
    EXPECT_EQ(snapshotNumber("Snap_Isle_99999999999999999999.k7map", p), 0);
    EXPECT_EQ(snapshotNumber("Snap_Isle_12 .k7map", p), 0);

    EXPECT_FALSE(snapshotNameProblem("Isle of \"Dogs\"..."));
    EXPECT_TRUE(snapshotNameProblem("a/b"));
    EXPECT_TRUE(snapshotNameProblem("a\\b"));
    EXPECT_TRUE(snapshotNameProblem("a\nb"));
}

class Snapshots : public ::testing::Test {
  protected:
    void SetUp() override {
        test::writeMapSet(game.path(), 17);
        st = test::loadTestMapSet(game.path());
        selectMap(*st, 7);
        setMapName(*st, "Isle");
        st->namesChanged = false;
    }
    fs::path snapDir() const { return home / "snapshots"; }
    void touch(const std::string& name) {
        fs::create_directories(snapDir());
        writeBytes(snapDir() / name, encodeSingleMap(*st));
    }
    std::optional<std::string> chosen() {
        auto c = findLastSnapshot(snapDir(), "Isle");
        if (!c) return std::nullopt;
        return c->path.filename().string();
    }
    TempDir game, home;
    std::unique_ptr<EditorState> st;
};

TEST_F(Snapshots, LargestNumberWinsWhateverTheOrder) {
    touch("Snap_Isle_4599999999.k7map");
    touch("Snap_Isle_4600000000.k7map");
    touch("Snap_Isle_999999999.k7map");  // sorts last as text, not as a number
    touch("Snap_Isle_old.k7map");
    touch("Snap_Isle2_4700000000.k7map");
    touch("Snap_Isle_-4800000000.k7map");
    fs::create_directories(snapDir() / "Snap_Isle_4900000000.k7map");  // a directory
    EXPECT_EQ(chosen(), "Snap_Isle_4600000000.k7map");

    fs::remove_all(snapDir());
    touch("Snap_Isle_4600000000.k7map");  // the other way round
    touch("Snap_Isle_4599999999.k7map");
    EXPECT_EQ(chosen(), "Snap_Isle_4600000000.k7map");

    // Equal numbers: the name that sorts first, not the one listed first.
    touch("Snap_Isle_04600000000.k7map");
    EXPECT_EQ(chosen(), "Snap_Isle_04600000000.k7map");
}

TEST_F(Snapshots, OnlyUnnumberedOrOtherMapsMeansNone) {
    touch("Snap_Isle_old.k7map");
    touch("Snap_Isle2_4700000000.k7map");
    touch("Snap_Isle_0.k7map");
    EXPECT_FALSE(chosen());
    ScriptedPrompt yes(true);
    EXPECT_FALSE(loadLastSnapshot(*st, yes, home.path()));
    EXPECT_TRUE(yes.questions.empty());
    ASSERT_EQ(yes.messages.size(), 1u);
    EXPECT_EQ(yes.messages[0],
              (std::pair<std::string, std::string>{"Snapshot", "No Snapshot for this map found."}));
}

TEST_F(Snapshots, NoDirectory) {
    ScriptedPrompt yes(true);
    const Bytes store = st->mapStore;
    EXPECT_FALSE(loadLastSnapshot(*st, yes, home.path()));
    ASSERT_EQ(yes.messages.size(), 1u);
    EXPECT_EQ(yes.messages[0],
              (std::pair<std::string, std::string>{"Snapshot", "No Snapshot directory found"}));
    EXPECT_EQ(st->mapStore, store);
}

TEST_F(Snapshots, SaveCreatesTheDirectoryAndNamesTheFileByTime) {
    const fs::path programDir = home / "not" / "yet";
    ScriptedPrompt prompt;
    auto path = saveSnapshot(*st, prompt, programDir, {2024, 3, 15, 12, 0, 0, 0});
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, programDir / "snapshots" / "Snap_Isle_4536650000.k7map");
    EXPECT_EQ(test::fileBytes(*path), encodeSingleMap(*st));
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_TRUE(prompt.questions.empty());
}

TEST_F(Snapshots, DirectoryThatCannotBeCreated) {
    writeBytes(home / "file", Bytes{1});
    ScriptedPrompt prompt;
    EXPECT_FALSE(saveSnapshot(*st, prompt, home / "file", {2024, 1, 1}));
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0],
              (std::pair<std::string, std::string>{"Snapshot", "Could not create directory."}));
}

TEST_F(Snapshots, MapNameThatCannotBePartOfAFileName) {
    const std::vector<std::string> badNames{"../../escaped", "a\\b", std::string("nul\0l", 5),
                                            "tab\there"};
    for (const std::string& name : badNames) {
        setMapName(*st, name);
        ScriptedPrompt prompt;
        try {
            saveSnapshot(*st, prompt, home.path(), {2024, 1, 1});
            ADD_FAILURE() << "saved under " << name;
        } catch (const FileError& e) {
            EXPECT_NE(e.reason().find("cannot be part of a file name"), std::string::npos);
        }
    }
    EXPECT_TRUE(entriesBelow(home.path()).empty());

    // Dots alone are harmless: the name stays one file inside the directory.
    setMapName(*st, "..");
    ScriptedPrompt prompt;
    auto path = saveSnapshot(*st, prompt, home.path(), {2024, 1, 1});
    ASSERT_TRUE(path);
    EXPECT_EQ(entriesBelow(home.path()),
              (std::vector<std::string>{"snapshots", "snapshots/Snap_.._4529200000.k7map"}));
}

TEST_F(Snapshots, SaveThenLoadRestoresPlanesAndNames) {
    ScriptedPrompt prompt(true);
    ASSERT_TRUE(saveSnapshot(*st, prompt, home.path(), {2024, 1, 1}));
    const Bytes store = st->mapStore, stream = st->extStreams[2];
    const auto names = st->curDomainNames;

    extByte(*st, 0x5A, 0, 0, 0, 7);
    storeBlockByte(*st, 0x5A, 0, 0, 0, 7);
    setDomainName(*st, 1, "Changed");
    ASSERT_TRUE(loadLastSnapshot(*st, prompt, home.path()));

    ASSERT_EQ(prompt.questions.size(), 1u);
    EXPECT_EQ(prompt.questions[0].first, "Load Single Map");
    const std::string& q = prompt.questions[0].second;
    EXPECT_EQ(q.rfind("Loading snapshot with timestamp ", 0), 0u) << q;
    const std::string tail =
        "\n\rThis will overwrite the currently selected map! \n\rDo you want to continue?";
    ASSERT_GT(q.size(), tail.size() + 32);
    EXPECT_EQ(q.substr(q.size() - tail.size()), tail);

    EXPECT_EQ(st->mapStore, store);
    EXPECT_EQ(st->extStreams[2], stream);
    EXPECT_EQ(st->curDomainNames, names);
    EXPECT_EQ(st->mapNames[7], "Isle");
    EXPECT_TRUE(st->namesChanged);
    EXPECT_EQ(st->planes.M0.at(0, 0), store[blockOffset(7)]);
}

TEST_F(Snapshots, NoLeavesTheMapAlone) {
    touch("Snap_Isle_4600000000.k7map");
    setDomainName(*st, 1, "Changed");
    storeBlockByte(*st, 0x5A, 0, 0, 0, 7);
    const Bytes store = st->mapStore;
    ScriptedPrompt no(false);
    EXPECT_FALSE(loadLastSnapshot(*st, no, home.path()));
    EXPECT_EQ(no.questions.size(), 1u);
    EXPECT_EQ(st->mapStore, store);
    EXPECT_EQ(st->curDomainNames[1], "Changed");
}

TEST_F(Snapshots, BrokenSnapshotIsAFileErrorNamingItAndChangesNothing) {
    fs::create_directories(snapDir());
    writeBytes(snapDir() / "Snap_Isle_4600000000.k7map", Bytes(100, 7));
    const Bytes store = st->mapStore, lang = st->langStream;
    ScriptedPrompt yes(true);
    try {
        loadLastSnapshot(*st, yes, home.path());
        FAIL() << "accepted";
    } catch (const FileError& e) {
        EXPECT_EQ(e.path().filename(), "Snap_Isle_4600000000.k7map");
    }
    EXPECT_EQ(st->mapStore, store);
    EXPECT_EQ(st->langStream, lang);
    EXPECT_FALSE(st->namesChanged);
}

}  // namespace
}  // namespace d7
