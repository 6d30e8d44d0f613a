#include <gtest/gtest.h>

#include "cli/edit_cli_fixture.h"
#include "core/model/game_paths.h"
#include "core/model/map_access.h"

namespace d7::test {
namespace {

TEST_F(EditCli, PlacesBuildingsAndPrintsWhatTheEditorWouldSay) {
    CliRun r = run({"edit",   dir(clean),
                    dir(out), "--map",
                    "3",      "--seed",
                    "4",      "--keep-going",
                    "-e",     "place 10 10 buildings 4",
                    "-e",     "place 20 20 buildings 5",
                    "-e",     "place 30 30 base 25",
                    "-e",     "place 30 30 buildings 3",
                    "-e",     "place 12 12 buildings 4",
                    "-e",     "place 40 40 mountains 6"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err,
              "Village: Unable to place here (Base field needs to be green)\n"
              "Town: A town already exists for this domain. Replace it?\n");
    auto st = result();
    EXPECT_EQ(st->CountyTable[1].townPos, (Point{10, 10}));
    EXPECT_EQ(st->CountyTable[1].castlePos, (Point{20, 20}));
    EXPECT_EQ(st->planes.M0.at(30, 30), 4);
    EXPECT_EQ(st->planes.M2.at(41, 41), 20);
    EXPECT_EQ(st->planes.Ext4.at(11, 11), 5);  // the Extstream was saved too
    EXPECT_EQ(st->planes.Ext4.at(41, 41), 32);
}

TEST_F(EditCli, AnswersDomainsAndRoadPaths) {
    CliRun r = run({"edit",   dir(clean),
                    dir(out), "--map",
                    "3",      "--answer",
                    "yes",    "--keep-going",
                    "-e",     "place 10 10 buildings 4",
                    "-e",     "place 20 20 buildings 4",
                    "-e",     "domain 5 4 2",
                    "-e",     "domain 50 50 2",
                    "-e",     "road-path 5 5 9 7",
                    "-e",     "road-path 5 5 50 50"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err,
              "Town: A town already exists for this domain. Replace it?\n"
              "d7irir-cli edit: map 3: no road path from (5, 5) to (50, 50)\n");
    auto st = result();
    EXPECT_EQ(st->CountyTable[1].towns, 1);
    EXPECT_EQ(st->CountyTable[1].townPos, (Point{20, 20}));
    EXPECT_EQ(st->planes.M5.at(5, 4), 2);
    EXPECT_EQ(st->planes.M5.at(50, 50), 0);  // sea keeps its domain
    int roads = 0;
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) roads += st->planes.M0.at(x, y) & 1;
    EXPECT_EQ(roads, 7);
    EXPECT_EQ(st->planes.M0.at(5, 5), 3);  // below domain 2: a bordered road
}

// A refused placement or road ends the run: status 1, nothing saved. A
// question answered No is no refusal.
TEST_F(EditCli, RefusedPlacementsAndRoadsSaveNothing) {
    const std::pair<std::vector<std::string>, const char*> refused[] = {
        {{"place 30 30 base 25", "place 30 30 buildings 3"},
         "Village: Unable to place here (Base field needs to be green)\n"},
        {{"road-path 5 5 50 50"}, "d7irir-cli edit: map 3: no road path from (5, 5) to (50, 50)\n"},
    };
    for (const auto& [commands, message] : refused) {
        CliRun r = edit(commands);
        EXPECT_EQ(r.status, 1) << commands.back();
        EXPECT_EQ(r.err, std::string(message) +
                             "d7irir-cli edit: a command was refused; nothing saved "
                             "(--keep-going saves all the same)\n");
        EXPECT_TRUE(fs::is_empty(out.path()));
    }
    CliRun r = edit({"place 10 10 buildings 4", "place 12 12 buildings 4"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "Town: A town already exists for this domain. Replace it?\n");
}

// Pattern bytes on every map are no valid maps at all: the whole-map
// commands must still run on them, and one seed gives one result.
TEST_F(EditCli, WholeMapCommandsOnEveryMapAreRepeatable) {
    const std::vector<std::string> commands = {
        "--all-maps", "--seed",        "17", "-e",          "fix-borders",
        "-e",         "create-cliffs", "-e", "recalc-roads"};
    auto args = [&](const TempDir& target) {
        std::vector<std::string> a = {"edit", dir(raw), dir(target)};
        a.insert(a.end(), commands.begin(), commands.end());
        return a;
    };
    ASSERT_EQ(run(args(out)).status, 0);
    ASSERT_EQ(run(args(out2)).status, 0);
    EXPECT_EQ(test::fileBytes(out / "K7_MAPS.DAT"), test::fileBytes(out2 / "K7_MAPS.DAT"));
    EXPECT_NE(test::fileBytes(out / "K7_MAPS.DAT"), test::fileBytes(raw / "k7_maps.dat"));
    for (int f = 1; f <= kMapFileCount; ++f)
        EXPECT_EQ(test::fileBytes(out / "PL8" / mapFileName(f)),
                  test::fileBytes(out2 / "PL8" / mapFileName(f)))
            << f;
}

TEST_F(EditCli, BrushPaintsItsMaskAroundTheCellAndUndoTakesItBack) {
    CliRun r =
        edit({"brush 20 20 forest mask=00000/01110/00100/00000/00000", "brush 50 50 domain-keep 3",
              "brush 10 10 domain 4 sea", "domain 12 12 5", "undo"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto st = result();
    for (int x = 19; x <= 21; ++x) EXPECT_EQ(st->planes.M0.at(x, 19), 8) << x;
    EXPECT_EQ(st->planes.M0.at(20, 20), 8);
    EXPECT_EQ(st->planes.M0.at(19, 20), 0);
    EXPECT_EQ(st->planes.M5.at(50, 50), 0);  // sea, and no overwrite
    EXPECT_EQ(st->planes.M5.at(10, 10), 4);
    EXPECT_EQ(st->planes.M5.at(12, 12), 1);  // the domain click was undone
}

TEST_F(EditCli, BadCommandsAreRefusedBeforeAnythingIsDone) {
    const std::vector<std::vector<std::string>> bad = {
        {"-e", "place 10 10 mountains 5"},
        {"-e", "place 64 0 base 6"},
        {"-e", "place 1 1 roads 84"},
        {"-e", "place 1 1 trees 1"},
        {"-e", "domain 1 1 17"},
        {"-e", "road-path 1 1 2"},
        {"-e", "fix-borders now"},
        {"-e", "frobnicate"},
        {"-e", "brush 5 5 lava"},
        {"-e", "brush 5 5 domain"},
        {"-e", "brush 5 5 grass mask=0101"},
        {"-e", "brush 5 5 grass sea"},
        {"-e", "recalc-roads", "--map", "2", "--all-maps"},
        {"-e", "recalc-roads", "--answer", "maybe"},
        {"-e", "recalc-roads", "--seed", "-3"},
    };
    for (const auto& extra : bad) {
        std::vector<std::string> a = {"edit", dir(clean), dir(out) + "/x", "-e", "recalc-roads"};
        a.insert(a.end(), extra.begin(), extra.end());
        CliRun r = run(a);
        EXPECT_EQ(r.status, 2) << r.err;
        EXPECT_FALSE(std::filesystem::exists(out / "x")) << r.err;
    }
    CliRun r = run({"edit", dir(clean), dir(out)});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("no edit command"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace d7::test
