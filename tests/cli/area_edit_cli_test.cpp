#include <gtest/gtest.h>

#include "cli/edit_cli_fixture.h"
#include "core/edit/geometry.h"

namespace d7::test {
namespace {

using AreaEditCli = EditCli;

TEST_F(AreaEditCli, AreaCommandsRunInOrderOnTheChosenMap) {
    CliRun r = edit({"place 10 10 buildings 5", "copy 12 12 9 9", "paste 30 30", "transform 2",
                     "paste-special 40 40 transformed", "fill 5 5 0 0 sea",
                     "domain-rect 20 20 25 25 0", "domain-rect 30 20 20 20 3 keep",
                     "road-line 9 40 5 40", "remove-roads 5 40 6 40", "fill 60 60 63 63 black",
                     "fill-black grass", "domain-rect 60 60 60 60 0", "land-without-domain"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    auto st = result();
    const WorkingPlanes& p = st->planes;
    EXPECT_TRUE(isCastle(p, 31, 31) && isCastle(p, 32, 32));
    EXPECT_EQ(p.Ext4.at(31, 31), 15);
    EXPECT_EQ(p.M3.at(41, 41), 0);  // turned by 180°: the castle's part 3 is now part 0
    EXPECT_EQ(p.M3.at(42, 42), 3);
    EXPECT_EQ(p.M0.at(0, 0) + p.M0.at(5, 5), 8);
    EXPECT_EQ(p.M5.at(20, 20), 3);
    EXPECT_EQ(p.M5.at(26, 20), 1);
    EXPECT_FALSE(isRoad(p, 5, 40) || isRoad(p, 6, 40));
    EXPECT_TRUE(isRoad(p, 7, 40) && isRoad(p, 9, 40));
    EXPECT_TRUE(p.M2.at(63, 63) >= 6 && p.M2.at(63, 63) <= 20);
    EXPECT_EQ(p.M5.at(60, 60), kLandWithoutDomain);
    EXPECT_EQ(p.M5.at(61, 60), 1);
}

TEST_F(AreaEditCli, WholeMapCommandsAndUndo) {
    ASSERT_EQ(edit({"fill-map sea", "shift x+ 10", "undo"}).status, 0);
    auto st = result();
    EXPECT_EQ(st->planes.M0.at(5, 5), 4);
    EXPECT_EQ(st->planes.M0.at(63, 63), 4);
    ASSERT_EQ(edit({"fill-map sea", "undo"}).status, 0);
    EXPECT_EQ(fileBytes(out / "K7_MAPS.DAT"), fileBytes(clean / "K7_MAPS.DAT"));
    ASSERT_EQ(edit({"fill-map grass", "shift y- 10"}).status, 0);
    st = result();
    EXPECT_EQ(st->planes.M0.at(50, 40), 0);
    EXPECT_EQ(st->planes.M2.at(50, 54) + st->planes.M5.at(50, 63), 0);
}

// Each command that changes the map is a step: undo and redo walk them, a
// command that changes nothing is none, and a new step ends the redo list.
TEST_F(AreaEditCli, UndoAndRedoWalkTheMapsHistory) {
    ASSERT_EQ(edit({"place 10 10 base 40", "place 20 20 base 41"}).status, 0);
    const Bytes twoPlaced = fileBytes(out / "K7_MAPS.DAT");
    ASSERT_EQ(edit({"place 10 10 base 40", "place 20 20 base 41", "copy 0 0 3 3",
                    "place 30 30 base 42", "undo", "undo", "redo"})
                  .status,
              0);
    EXPECT_EQ(fileBytes(out / "K7_MAPS.DAT"), twoPlaced);
    ASSERT_EQ(edit({"place 10 10 base 40", "undo", "redo", "undo", "undo"}).status, 1);
    const std::vector<std::pair<std::vector<std::string>, std::string>> failures = {
        {{"fill 0 0 1 1 sea", "redo"}, "map 3: nothing to redo"},
        {{"fill 0 0 1 1 sea", "undo", "fill 2 2 3 3 sea", "redo"}, "map 3: nothing to redo"},
        {{"redo now"}, "redo needs no arguments"},
    };
    for (const auto& [commands, message] : failures) {
        std::filesystem::remove_all(out.path());
        std::filesystem::create_directories(out.path());
        CliRun r = edit(commands);
        EXPECT_NE(r.status, 0) << message;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(out / "K7_MAPS.DAT")) << message;
    }
}

// A command that cannot be carried out fails the run and nothing is saved;
// wrong arguments are refused before the map set is read.
TEST_F(AreaEditCli, RefusalsSaveNothing) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> failures = {
        {{"copy 0 0 3 1", "paste 60 0"},
         "map 3: the clipboard (4 x 2) does not fit at (60, 0); paste needs it to end before "
         "column and row 63"},
        {{"copy 0 0 3 1", "paste-special 61 0"}, "the clipboard (4 x 2) does not fit at (61, 0)"},
        {{"paste 1 1"}, "map 3: the clipboard holds no area (copy one first)"},
        {{"copy 0 0 3 1", "paste-special 1 1 transformed"}, "the transformed buffer holds no area"},
        {{"fill 0 0 1 1 sea", "undo", "undo"}, "map 3: nothing to undo"},
    };
    for (const auto& [commands, message] : failures) {
        CliRun r = edit(commands);
        EXPECT_EQ(r.status, 1) << message;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(out / "K7_MAPS.DAT")) << message;
    }
    const std::vector<std::pair<std::string, std::string>> usage = {
        {"copy 0 0 64 1", "BX must be a number from 0 to 63"},
        {"domain-rect 1 1 2 2 17", "D must be 0, 1 to 16 or 32, not 17"},
        {"domain-rect 1 1 2 2 3 all", "'all' should be 'keep'"},
        {"road-line 1 1 2 2", "road-line needs corners that share their x or their y"},
        {"fill 1 1 2 2 lava", "the fill must be sea|grass|forest|black, not 'lava'"},
        {"fill-map forest", "the fill must be grass|sea"},
        {"transform 6", "OP must be a number from 1 to 5"},
        {"shift z+ 3", "the direction must be x+|x-|y+|y-"},
        {"shift x+ 64", "Warning: Only positive values<64!"},
        {"shift y- ten", "Warning: Only positive values<64!"},
        {"undo now", "undo needs no arguments"},
    };
    for (const auto& [command, message] : usage) {
        CliRun r = edit({command});
        EXPECT_EQ(r.status, 2) << command;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace d7::test
