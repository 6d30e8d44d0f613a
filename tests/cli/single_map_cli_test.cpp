#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/cli_run.h"
#include "cli/commands.h"
#include "cli/program_home.h"
#include "core/model/language_file.h"
#include "core/model/map_access.h"
#include "support/map_builder.h"

namespace d7 {
namespace {

using test::fileBytes;
using test::TempDir;
namespace fs = std::filesystem;

using test::CliRun;

CliRun run(const std::vector<std::string>& args) {
    return test::runCli(args);
}

Bytes blockOf(const Bytes& store, int n) {
    return Bytes(store.begin() + std::ptrdiff_t(blockOffset(n)),
                 store.begin() + std::ptrdiff_t(blockOffset(n + 1)));
}

class SingleMapCli : public ::testing::Test {
  protected:
    void SetUp() override {
        test::writeMapSet(a.path(), 41, "pl8");
        test::writeMapSet(b.path(), 42, "pl8");
    }
    std::string dir(const TempDir& d) const { return d.path().string(); }
    TempDir a, b, out, files;
};

TEST_F(SingleMapCli, ExportThenImportIntoAnotherMapSet) {
    const std::string file = (files / "m.k7map").string();
    CliRun r = run({"export-map", dir(a), "12", file});
    ASSERT_EQ(r.status, 0) << r.err;
    r = run({"import-map", dir(b), "30", file, dir(out)});
    ASSERT_EQ(r.status, 0) << r.err;

    EXPECT_EQ(blockOf(fileBytes(out / "K7_MAPS.DAT"), 30),
              blockOf(fileBytes(a / "k7_maps.dat"), 12));
    const Bytes mapFile = fileBytes(out / "PL8" / "map08.pl8");  // map 30 lives in file 8, record 2
    const Bytes source = fileBytes(a / "pl8" / "map04.pl8");     // map 12: file 4, record 0
    EXPECT_TRUE(std::equal(mapFile.begin() + std::ptrdiff_t(extRecordOffset(30)),
                           mapFile.begin() + std::ptrdiff_t(extRecordOffset(30)) + kExtRecordSize,
                           source.begin() + std::ptrdiff_t(extRecordOffset(12))));
    const Bytes lang = fileBytes(out / "K7.ENG");
    EXPECT_EQ(readNameEntry(lang, kMapNamesEntry)[30], "Map 12");
    EXPECT_EQ(readNameEntry(lang, kDomainNamesEntry)[30 * 20 + 5], "County 12.5");
    EXPECT_FALSE(fs::exists(out / "PL8" / "map01.pl8"));  // only the changed map file
}

TEST_F(SingleMapCli, ShortFileIsRefusedAndNothingIsWritten) {
    const std::string file = (files / "m.k7map").string();
    ASSERT_EQ(run({"export-map", dir(a), "12", file}).status, 0);
    fs::resize_file(file, kMapImageSize - 10);
    CliRun r = run({"import-map", dir(b), "30", file, dir(out)});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("m.k7map"), std::string::npos) << r.err;
    EXPECT_TRUE(fs::is_empty(out.path()));
}

TEST_F(SingleMapCli, SnapshotAndRestore) {
    TempDir home;
    CliRun r = run({"snapshot", dir(a), "12", "--home", home.path().string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const fs::path written = r.out.substr(0, r.out.find('\n'));
    EXPECT_EQ(written.parent_path(), home / "snapshots");
    EXPECT_EQ(written.filename().string().rfind("Snap_Map 12_", 0), 0u);
    EXPECT_TRUE(fs::exists(written));

    // Without --yes the question is answered No.
    r = run({"restore-snapshot", dir(b), "12", dir(out), "--home", home.path().string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Loading snapshot with timestamp"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\r'), std::string::npos);
    EXPECT_TRUE(fs::is_empty(out.path()));

    r = run({"restore-snapshot", dir(b), "12", dir(out), "--home", home.path().string(), "--yes"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(blockOf(fileBytes(out / "K7_MAPS.DAT"), 12),
              blockOf(fileBytes(a / "k7_maps.dat"), 12));
    EXPECT_EQ(blockOf(fileBytes(out / "K7_MAPS.DAT"), 11),
              blockOf(fileBytes(b / "k7_maps.dat"), 11));

    // Another map has none.
    TempDir out2;
    r = run({"restore-snapshot", dir(b), "13", dir(out2), "--home", home.path().string(), "--yes"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Snapshot: No Snapshot for this map found."), std::string::npos);
    EXPECT_TRUE(fs::is_empty(out2.path()));
}

TEST_F(SingleMapCli, ResetMapNeedsYes) {
    CliRun r = run({"reset-map", dir(a), "5", dir(out)});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Reset Map"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(out.path()));

    r = run({"reset-map", dir(a), "5", dir(out), "--yes"});
    ASSERT_EQ(r.status, 0) << r.err;
    const Bytes block = blockOf(fileBytes(out / "K7_MAPS.DAT"), 5);
    EXPECT_TRUE(std::all_of(block.begin(), block.end(), [](auto v) { return v == 0; }));
    const Bytes lang = fileBytes(out / "K7.ENG");
    EXPECT_EQ(readNameEntry(lang, kMapNamesEntry)[5], "Empty Map");
    EXPECT_EQ(readNameEntry(lang, kDomainNamesEntry)[5 * 20 + 16], "CTY16");
    EXPECT_TRUE(fs::exists(out / "PL8" / "map02.pl8"));
}

TEST(ProgramHome, HomeOptionWinsOverTheDefault) {
    cli::Args withHome({"--home", "/some/where"}, {{cli::kHomeOption}, {}});
    EXPECT_EQ(cli::programDirFromArgs(withHome), fs::path("/some/where"));
    EXPECT_FALSE(cli::executableDir().empty());
}

}  // namespace
}  // namespace d7
