#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_run.h"
#include "cli/commands.h"
#include "support/map_builder.h"

namespace d7 {
namespace {

using test::CliRun;

CliRun run(const std::vector<std::string>& args) {
    return test::runCli(args);
}

// The written directory opens as a game directory: the info command finds
// the map set, its names and sixty maps with castles and towns.
TEST(SampleCli, MakeSampleWritesAGameDirectory) {
    test::TempDir dir;
    const auto game = dir / "game";
    const CliRun made = run({"make-sample", game.string(), "--seed", "11"});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_TRUE(std::filesystem::is_regular_file(game / "k7_maps.dat"));
    EXPECT_TRUE(std::filesystem::is_regular_file(game / "pl8" / "Base01.256"));
    EXPECT_TRUE(std::filesystem::is_regular_file(game / "pl8" / "castle1d.pl8"));
    const CliRun info = run({"info", game.string()});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(std::count(info.out.begin(), info.out.end(), '\n'), 60);
    EXPECT_EQ(info.out.find("castles  0"), std::string::npos);
}

TEST(SampleCli, MakeSampleRejectsBadArguments) {
    EXPECT_EQ(run({"make-sample"}).status, 2);
    EXPECT_EQ(run({"make-sample", "a", "b"}).status, 2);
    EXPECT_EQ(run({"make-sample", "out", "--seed", "many"}).status, 2);
    EXPECT_EQ(run({"make-sample", "out", "--seed", "-1"}).status, 2);
}

}  // namespace
}  // namespace d7
