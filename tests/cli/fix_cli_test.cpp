#include <gtest/gtest.h>

#include "cli/cli_run.h"
#include "core/analysis/analyse_map.h"
#include "core/analysis/domain_renumber.h"
#include "core/edit/cell_writer.h"
#include "core/edit/geometry.h"
#include "core/model/game_paths.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "support/map_builder.h"
#include "support/test_paths.h"

namespace d7 {
namespace {

using test::CliRun;
using test::runCli;
namespace fs = std::filesystem;

const std::string kSample = D7_SAMPLE_DIR;

std::string lastLine(const std::string& out) {
    const std::size_t end = out.size() - 1, start = out.rfind('\n', end - 1);
    return out.substr(start + 1, end - start - 1);
}

// A copy of the sample game damaged as a map maker might leave it: map 3's
// town loses the roads beside it and a cell loses its domain, map 8's last
// domain moves to 16, map 5's minimap, outline and outside map are zero.
class FixCliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::copy(kSample, game, fs::copy_options::recursive);
        auto st = loadMapSetOf(game.string(), game.string(), defaultPl8Dir(game.string()),
                               kDefaultLangFile);
        selectMap(*st, 3);
        const Point town = st->CountyTable[1].townPos;
        for (Offset o : kBlockRing)
            if (isRoad(st->planes, town.x + o.dx, town.y + o.dy))
                setCell(*st, 3, town.x + o.dx, town.y + o.dy, {.tile = 6, .code = 2});
        stripped = st->CountyTable[2].castlePos;
        stripped.x -= 1;
        setCellDomain(*st, stripped.x, stripped.y, kNoDomain, 3, false);
        selectMap(*st, 8);
        int last = kMaxDomain;
        while (!st->CountyTable[std::size_t(last)].used) --last;
        switchDomainNumbers(*st, last, kMaxDomain);
        selectMap(*st, 5);
        st->planes.Ext1.fill(0);
        st->planes.Ext2.fill(0);
        st->planes.Ext5.fill(0);
        st->planes.Outline.fill(0);
        writeExtPlaneBack(*st, 5, kExt1);
        writeExtPlaneBack(*st, 5, kExt2);
        writeOutsideBack(*st, 5);
        writeOutlineBack(*st, 5);
        saveMapSet(*st, game.string());
    }
    int mapsWithFindings(const std::string& dir) {
        int total = 0;
        for (const char* check : {"errors", "pathfinding", "submaps"}) {
            const CliRun r = runCli({"check", dir, "--all-maps", check});
            total += r.status;
        }
        return total;
    }

    test::TempDir tmp;
    fs::path game = tmp / "game";
    Point stripped;
};

TEST_F(FixCliTest, OneRunOverAllMapsMendsADamagedCopyOfTheSampleGame) {
    EXPECT_GE(mapsWithFindings(game.string()), 2);  // errors and submaps at least
    const CliRun fixed = runCli({"fix", game.string(), game.string(), "--all-maps"});
    EXPECT_EQ(fixed.status, 0) << fixed.out << fixed.err;
    EXPECT_EQ(lastLine(fixed.out), "maps with findings: 0 of 60");
    const std::string strippedLine = "Fixed: give the cell (" + std::to_string(stripped.x) + "," +
                                     std::to_string(stripped.y) + ") domain 2.\n";
    const std::string expected[] = {"== Map 3 ",
                                    "Fixed: lay a road from the town of domain 1 to the network.\n",
                                    strippedLine,
                                    "== Map 5 ",
                                    "Fixed: create and set all submaps.\n",
                                    "== Map 8 ",
                                    "Fixed: renumber the domains 1 to "};
    for (const std::string& line : expected)
        EXPECT_NE(fixed.out.find(line), std::string::npos) << line << fixed.out;
    EXPECT_EQ(mapsWithFindings(game.string()), 0);
}

TEST_F(FixCliTest, FindingsWithoutAFixRemainAndAreSavedWithTheFixesAsExitOne) {
    const fs::path out = tmp / "out";
    fs::create_directory(out);
    // Map 3 only, the errors check: the outside map of map 5 stays empty.
    const CliRun one =
        runCli({"fix", game.string(), out.string(), "--map", "3", "--checks", "errors"});
    EXPECT_EQ(one.status, 0) << one.out << one.err;
    EXPECT_EQ(one.out.find("== Map"), std::string::npos);
    EXPECT_FALSE(fs::is_empty(out));  // saved

    // A village too few has no safe fix.
    auto st =
        loadMapSetOf(game.string(), game.string(), defaultPl8Dir(game.string()), kDefaultLangFile);
    selectMap(*st, 0);
    for (int i = 0; i < kCellCount; ++i)
        if (st->planes.M0.bytes[std::size_t(i)] == flags::kVillage) {
            setCell(*st, 0, i % kGrid, i / kGrid, {.tile = 6, .code = 2});
            break;
        }
    saveMapSet(*st, game.string());
    const CliRun rest = runCli({"fix", game.string(), game.string(), "--map", "0"});
    EXPECT_EQ(rest.status, 1) << rest.out << rest.err;
    EXPECT_NE(rest.out.find(" village(s) (needs 4).\n"), std::string::npos) << rest.out;

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"fix", game.string(), game.string(), "--map", "60"},
          {"fix", game.string(), game.string(), "--checks", "errors,clipping"},
          {"fix", game.string(), game.string(), "--checks", "error"},
          {"fix", game.string(), game.string(), "--black", "forest"},
          {"fix", game.string(), game.string(), "--map", "1", "--all-maps"}})
        EXPECT_EQ(runCli(bad).status, 2) << bad[3] << " " << bad[4];
    // A map set that cannot be read: an error, nothing written.
    const CliRun missing = runCli({"fix", (tmp / "none").string(), out.string()});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("d7irir-cli fix: "), std::string::npos);
}

}  // namespace
}  // namespace d7
