#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "cli/cli_run.h"
#include "cli/commands.h"
#include "core/model/language_file.h"
#include "core/model/map_layout.h"
#include "core/model/map_set_io.h"
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

bool isEmptyDir(const fs::path& p) {
    return fs::is_empty(p);
}

TEST(MapSetCli, SaveAllReproducesEveryFile) {
    TempDir game, out;
    test::writeMapSet(game.path(), 31, "pl8");
    CliRun r = run({"save", game.path().string(), out.path().string(), "--all"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(fileBytes(out / "K7_MAPS.DAT"), fileBytes(game / "k7_maps.dat"));
    EXPECT_EQ(fileBytes(out / "K7.ENG"), fileBytes(game / "K7.ENG"));
    for (int i = 1; i <= 15; ++i)
        EXPECT_EQ(fileBytes(out / "PL8" / mapFileName(i)),
                  fileBytes(game / "pl8" / mapFileName(i)));
}

TEST(MapSetCli, Pl8OptionReadsMapFilesFromTheGameDirectoryItself) {
    TempDir game, out;
    test::writeMapSet(game.path(), 32);  // map files beside k7_maps.dat, no base01.pl8
    CliRun r = run({"save", game.path().string(), out.path().string(), "--all", "--pl8",
                    game.path().string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(fileBytes(out / "map15.pl8"), fileBytes(game / "map15.pl8"));

    // Without --pl8 the map files are sought in the missing pl8 sub-directory and
    // created empty, so they differ.
    TempDir out2;
    ASSERT_EQ(run({"save", game.path().string(), out2.path().string(), "--all"}).status, 0);
    EXPECT_NE(fileBytes(out2 / "PL8" / "map15.pl8"), fileBytes(game / "map15.pl8"));
}

// Blank maps standing in for missing map files are announced, and a save
// without --all does not write them.
TEST(MapSetCli, MissingMapFilesAreNamedAndNotSaved) {
    TempDir game, out, all;
    test::writeMapSet(game.path(), 34, "pl8");
    fs::remove(game / "pl8" / "map02.pl8");
    fs::remove(game / "pl8" / "map09.pl8");
    const std::string notice = "d7irir-cli: " + game.path().string() +
                               ": Map files not found: map02.pl8, map09.pl8; blank maps stand in "
                               "for them\n";
    CliRun r = run({"save", game.path().string(), out.path().string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, notice);
    EXPECT_FALSE(fs::exists(out / "PL8" / "map02.pl8"));
    EXPECT_TRUE(fs::exists(out / "K7_MAPS.DAT"));
    r = run({"save", game.path().string(), all.path().string(), "--all"});
    EXPECT_EQ(r.err, notice);
    EXPECT_EQ(fileBytes(all / "PL8" / "map09.pl8").size(), kMapFileSize);
}

// A single-map file and a bitmap that are a link to an endless device and a
// FIFO: one line naming the file, nothing written.
TEST(MapSetCli, HostileInputsAreRefusedNamingTheFile) {
    TempDir game, out;
    test::writeMapSet(game.path(), 35, "pl8");
    fs::create_symlink("/dev/zero", game / "zero.k7map");
    ASSERT_EQ(::mkfifo((game / "fifo.bmp").c_str(), 0600), 0);
    const std::string dir = game.path().string(), target = (out / "set").string();
    const std::pair<std::vector<std::string>, std::string> runs[] = {
        {{"import-map", dir, "0", (game / "zero.k7map").string(), target}, "zero.k7map"},
        {{"edit", dir, target, "-e", "generate-from-bmp " + (game / "fifo.bmp").string()},
         "fifo.bmp"},
    };
    for (const auto& [args, file] : runs) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, 1) << args[0];
        EXPECT_NE(r.err.find(file + ": is not a regular file\n"), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(out / "set")) << args[0];
    }
}

TEST(MapSetCli, InfoListsEveryMap) {
    TempDir game;
    test::writeMapSet(game.path(), 33, "pl8");
    CliRun r = run({"info", game.path().string()});
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) ++count;
    EXPECT_EQ(count, 60);
    EXPECT_NE(r.out.find("Map 59"), std::string::npos);
    EXPECT_NE(r.out.find("map15.pl8 record 3"), std::string::npos);
}

TEST(MapSetCli, RenamesWriteTheLanguageFileOnly) {
    TempDir game, out;
    test::writeMapSet(game.path(), 34, "pl8");
    ASSERT_EQ(
        run({"rename-map", game.path().string(), "12", "Stonefold", out.path().string()}).status,
        0);
    Bytes lang = fileBytes(out / "K7.ENG");
    EXPECT_EQ(readNameEntry(lang, 100)[12], "Stonefold");
    EXPECT_TRUE(fs::is_empty(out / "PL8"));  // created for the map files, none of which changed

    TempDir out2;
    CliRun r = run(
        {"rename-domain", game.path().string(), "12", "3", "Hollow Reach", out2.path().string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readNameEntry(fileBytes(out2 / "K7.ENG"), 99)[12 * 20 + 3], "Hollow Reach");
}

TEST(MapSetCli, BadInputFailsWithOneLineAndWritesNothing) {
    TempDir game, out;
    test::writeMapSet(game.path(), 35, "pl8");
    {
        std::ofstream f(game / "pl8" / "map06.pl8", std::ios::binary | std::ios::trunc);
        f << "short";
    }
    CliRun r = run({"save", game.path().string(), out.path().string(), "--all"});
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("map06.pl8"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
    EXPECT_TRUE(isEmptyDir(out.path()));
}

TEST(MapSetCli, UsageMistakesAreReported) {
    TempDir game;
    test::writeMapSet(game.path(), 36, "pl8");
    EXPECT_EQ(run({}).status, 2);
    EXPECT_EQ(run({"no-such-command"}).status, 2);
    EXPECT_EQ(run({"rename-map", game.path().string(), "60", "x", "out"}).status, 2);
    EXPECT_EQ(run({"rename-domain", game.path().string(), "1", "17", "x", "out"}).status, 2);
    EXPECT_EQ(run({"save", game.path().string()}).status, 2);
    EXPECT_EQ(run({"save", "a", "b", "--bogus"}).status, 2);
    CliRun help = run({"save", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: d7irir-cli save DIR OUT [--all]"), std::string::npos);
    EXPECT_NE(run({"--help"}).out.find("rename-domain"), std::string::npos);
    // Every command says what its exit statuses mean.
    for (const cli::Command& c : cli::allCommands()) {
        const std::string text = run({c.name, "--help"}).out;
        const std::size_t at = text.find("\nExit status:\n  0  ");
        EXPECT_NE(at, std::string::npos) << c.name;
        EXPECT_NE(text.find("\n  1  ", at), std::string::npos) << c.name;
        EXPECT_NE(text.find("\n  2  ", at), std::string::npos) << c.name;
    }
}

}  // namespace
}  // namespace d7
