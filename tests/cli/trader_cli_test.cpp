#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "cli/cli_args.h"
#include "cli/cli_run.h"
#include "cli/game_session.h"
#include "core/analysis/trade_routes.h"
#include "core/edit/cell_writer.h"
#include "core/edit/feature_codes.h"
#include "core/model/game_paths.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "support/map_builder.h"
#include "support/test_paths.h"

namespace d7 {
namespace {

using test::CliRun;
using test::TempDir;

// Map 3: grassland of domain 1 (x < 32) and 4, a town of domain 2 serving
// traders 1, 2 and 3, castles of domains 2 and 3 (this one starting player 2).
class TraderCli : public ::testing::Test {
  protected:
    void SetUp() override {
        test::writeMapSet(raw.path(), 62, "pl8");
        auto st = cli::openGameDir(dir(raw), cli::Args({}, {}));
        selectMap(*st, 3);
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x)
                setCell(*st, 3, x, y,
                        {.flags = 0, .tileset = 0, .tile = 6, .domain = x < 32 ? 1 : 4, .code = 2});
        test::putBuilding(*st, 3, 10, 10, flags::kTown, 2, {1, 2, 3});
        test::putBuilding(*st, 3, 20, 20, flags::kBuilding, 2, {0, 0, 0});
        test::putBuilding(*st, 3, 40, 20, flags::kBuilding, 3, {2, 0, 0});
        st->extChanged.fill(true);
        st->namesChanged = true;
        saveMapSet(*st, dir(clean));
    }
    static std::string dir(const TempDir& d) { return d.path().string(); }
    std::unique_ptr<EditorState> result() {
        return test::loadSavedMap(clean.path(), out.path(), 3);
    }
    CliRun edit(const std::vector<std::string>& commands, const char* answer = "no",
                bool keepGoing = true) {
        std::vector<std::string> a = {"edit", dir(clean), dir(out), "--map",
                                      "3",    "--answer", answer};
        if (keepGoing) a.push_back("--keep-going");
        for (const std::string& c : commands) {
            a.push_back("-e");
            a.push_back(c);
        }
        return test::runCli(a);
    }
    std::array<std::int32_t, 3> slots(const EditorState& st, int d) {
        return st.CountyTable[std::size_t(d)].tradeSlot;
    }
    TempDir raw, clean, out;
};

TEST_F(TraderCli, AFullTownAsksAndReplaceChoosesTheTraderThatLeaves) {
    CliRun r = edit({"add-trader 2 4", "remove-trader 2 6"}, "yes");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err,
              "Traderoute: This Town already has 3 traderoutes. Do you want to remove one?\n"
              "Traderoute: Tradestop does not exist here for this Trader.\n");
    EXPECT_EQ(slots(*result(), 2), (std::array<std::int32_t, 3>{1, 2, 3}));  // the choice: Cancel

    r = edit({"add-trader 2 4 replace 2", "add-trader 2 5 replace 6", "remove-trader 2 1",
              "set-slots 2 0 3 4"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto st = result();
    EXPECT_EQ(slots(*st, 2), (std::array<std::int32_t, 3>{0, 3, 4}));
    EXPECT_EQ(st->planes.Ext4.at(10, 11), feature::kMarkerBase + 3);
}

TEST_F(TraderCli, StartingPositionsAndDomainNumbers) {
    CliRun r =
        edit({"start 1 2", "start 3 4", "start-at 41 21 5", "start-at 5 5 4", "switch-domain 2 4"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err,
              "Startpos: No Castle found!\n"
              "d7irir-cli edit: map 3: no castle on (5, 5)\n");
    auto st = result();
    EXPECT_EQ(st->StartDomains[1], 4);  // domain 2 is now 4
    EXPECT_EQ(st->StartDomains[5], 3);
    EXPECT_EQ(st->StartDomains[2], -1);  // the castle of domain 3 took 5 instead
    EXPECT_EQ(st->planes.M5.at(10, 10), 4);
    EXPECT_EQ(st->planes.M5.at(50, 50), 2);
}

// Without --keep-going a refused trade stop or starting position ends the
// run with status 1, and nothing is saved.
TEST_F(TraderCli, RefusalsEndTheRunUnlessKeepGoing) {
    const std::pair<const char*, const char*> refused[] = {
        {"remove-trader 2 6", "Traderoute: Tradestop does not exist here for this Trader.\n"},
        {"add-trader 2 1", "Traderoute: Tradestop already exists at this Town for this Trader\n"},
        {"start 3 4", "Startpos: No Castle found!\n"},
        {"start-at 5 5 4", "d7irir-cli edit: map 3: no castle on (5, 5)\n"},
    };
    for (const auto& [command, message] : refused) {
        CliRun r = edit({command, "set-slots 2 0 0 0"}, "no", false);
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_EQ(r.err, std::string(message) +
                             "d7irir-cli edit: a command was refused; nothing saved "
                             "(--keep-going saves all the same)\n");
        EXPECT_TRUE(fs::is_empty(out.path())) << command;
    }
}

TEST_F(TraderCli, ArgumentsOutOfRangeAreNamed) {
    const std::pair<const char*, const char*> bad[] = {
        {"add-trader 17 1", "D must be"},          {"add-trader 2 7", "T must be"},
        {"add-trader 2 1 replace 0", "S must be"}, {"remove-trader 2", "remove-trader needs D T"},
        {"set-slots 2 7 0 0", "A must be"},        {"start 6 2", "K must be"},
        {"start-at 64 1 1", "X must be"},          {"switch-domain 0 3", "S must be"},
        {"switch-domain 3 17", "T must be"},
    };
    for (const auto& [command, message] : bad) {
        CliRun r = edit({command});
        EXPECT_EQ(r.status, 2) << command;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    }
    CliRun r = test::runCli(
        {"render", dir(clean), "3", dir(out) + "/x.png", "--trader", "7", "--view", "traders"});
    EXPECT_NE(r.err.find("--trader must be"), std::string::npos) << r.err;
    r = test::runCli({"render", dir(clean), "3", dir(out) + "/x.png", "--trader", "2"});
    EXPECT_NE(r.err.find("need --view traders"), std::string::npos) << r.err;
}

// The sample game's map 0 has traders and starting positions.
TEST(TraderCliSample, RoutesAndAiPreferencesPrintTheirLayouts) {
    CliRun r = test::runCli({"routes", D7_SAMPLE_DIR, "0"});
    ASSERT_EQ(r.status, 0) << r.err;
    // Built one trader at a time, the routes are the same as the command's,
    // which shares one search among all legs from a town.
    auto st = cli::openGameDir(D7_SAMPLE_DIR, cli::Args({}, {}));
    std::ostringstream want;
    for (int t = 1; t <= kTraders; ++t) {
        BuildRouteCells(*st, t);
        want << "Trader " << t << (st->routeStale[std::size_t(t)] ? " (stale)\n" : " (ok)\n");
        for (const RouteCell& c : st->RouteCells[std::size_t(t)]) want << routeCellText(c) << "\n";
    }
    EXPECT_EQ(r.out, want.str());
    EXPECT_NE(r.out.find("Trader 1 (ok)\n0="), std::string::npos);

    r = test::runCli({"ai-prefs", D7_SAMPLE_DIR, "0"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::regex layout(R"(((Start [1-5]: [^\n]*\(\d+\)\n  1: \d+\n  2: \d+\n)+))");
    EXPECT_TRUE(std::regex_match(r.out, layout)) << r.out;

    TempDir out;
    const std::string map = (out / "map.bmp").string(), routes = (out / "routes.bmp").string();
    ASSERT_EQ(test::runCli({"render", D7_SAMPLE_DIR, "0", map}).status, 0);
    r = test::runCli({"render", D7_SAMPLE_DIR, "0", routes, "--view", "traders", "--trader", "2",
                      "--route", "numbers"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::fileBytes(map).size(), test::fileBytes(routes).size());
    EXPECT_NE(test::fileBytes(map), test::fileBytes(routes));
}

}  // namespace
}  // namespace d7
