#include <gtest/gtest.h>

#include "cli/cli_run.h"
#include "core/analysis/county_reports.h"
#include "core/analysis/map_checks.h"
#include "core/model/map_access.h"
#include "core/model/windows1252.h"
#include "support/map_builder.h"
#include "support/test_paths.h"

namespace d7 {
namespace {

using test::CliRun;
using test::runCli;
namespace fs = std::filesystem;

const std::string kSample = D7_SAMPLE_DIR;

std::string textOf(const ReportLines& lines) {
    std::string text;
    for (const std::string& line : lines) text += utf8FromWindows1252(line) + "\n";
    return text;
}

std::string lastLine(const std::string& out) {
    const std::size_t end = out.size() - 1, start = out.rfind('\n', end - 1);
    return out.substr(start + 1, end - start - 1);
}

TEST(CheckCli, AllMapsIsAGateThatFailsOnlyWhenAMapHasFindings) {
    for (const char* check : {"errors", "pathfinding", "clipping"}) {
        const CliRun clean = runCli({"check", kSample, "--all-maps", check});
        EXPECT_EQ(clean.status, 0) << check << clean.err;
        EXPECT_EQ(lastLine(clean.out), "maps with findings: 0 of 60") << check;
        EXPECT_EQ(clean.out.find("== Map 0 "), 0u) << check;
        EXPECT_NE(clean.out.find("\n== Map 59 "), std::string::npos) << check;
    }
    // One land cell of map 17 loses its domain.
    test::TempDir tmp;
    const fs::path game = tmp / "game";
    fs::copy(kSample, game, fs::copy_options::recursive);
    Bytes store = test::fileBytes(game / "k7_maps.dat");
    const std::size_t block = blockOffset(17);
    std::size_t cell = 0;
    while (store[block + cell] == 4 || store[block + 5 * kCellCount + cell] == 0) ++cell;
    store[block + 5 * kCellCount + cell] = 0;
    test::writeBytes(game / "k7_maps.dat", store);

    // One map alone is a gate too; a map set that cannot be read is neither verdict.
    for (const char* check : {"errors", "pathfinding", "clipping"})
        EXPECT_EQ(runCli({"check", game.string(), "16", check}).status, 0) << check;
    EXPECT_EQ(runCli({"check", game.string(), "17", "errors"}).status, 1);
    EXPECT_EQ(runCli({"check", (tmp / "nothing").string(), "17", "errors"}).status, 2);

    const CliRun faulty = runCli({"check", game.string(), "--all-maps", "errors"});
    EXPECT_EQ(faulty.status, 1);
    EXPECT_EQ(lastLine(faulty.out), "maps with findings: 1 of 60");
    const std::string missing = "Missing Domain definition at (" + std::to_string(cell % kGrid) +
                                "," + std::to_string(cell / kGrid) + ")\n";
    const std::size_t at = faulty.out.find(missing);
    EXPECT_GT(at, faulty.out.find("== Map 17 "));
    EXPECT_LT(at, faulty.out.find("== Map 18 "));
}

TEST(CheckCli, OneMapAndTheListsPrintWhatTheWindowShows) {
    test::TempDir tmp;
    test::writeMapSet(tmp.path(), 5);  // patterned bytes: plenty to report
    auto st = test::loadTestMapSet(tmp.path());
    selectMap(*st, 4);
    const std::string dir = tmp.path().string();

    const CliRun errors = runCli({"check", dir, "4", "errors"});
    EXPECT_EQ(errors.status, 1);
    EXPECT_EQ(errors.out, textOf(checkMapErrors(*st).lines));
    EXPECT_EQ(runCli({"report", dir, "4", "counties"}).out, textOf(countiesReport(*st)));
    EXPECT_EQ(runCli({"report", dir, "4", "t2t-adjacent"}).out,
              textOf(townToTownAdjacentReport(*st)));
    EXPECT_EQ(runCli({"report", dir, "4", "domain-info", "7", "9"}).out,
              textOf(domainInfoReport(*st, 7, 9)));

    const fs::path stats = tmp / "stats.txt";
    EXPECT_EQ(runCli({"export-stats", dir, "4", stats.string()}).status, 0);
    const Bytes written = test::fileBytes(stats);
    EXPECT_EQ(std::string(written.begin(), written.end()),
              runCli({"report", dir, "4", "mapstats"}).out);
    const CliRun refused = runCli({"export-stats", dir, "4", (tmp / "no" / "s.txt").string()});
    EXPECT_EQ(refused.status, 1);
    // The line on the map files missing from tmp/pl8, then the error.
    EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 2);
    EXPECT_NE(refused.err.find("blank maps stand in for them\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(tmp / "no"));

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"check", dir, "4", "speed"},
          {"check", dir, "errors"},
          {"check", dir, "--all-maps", "4", "errors"},
          {"report", dir, "4", "everything"},
          {"report", dir, "4", "domain-info", "64", "0"},
          {"report", dir, "4", "domain-info"}})
        EXPECT_EQ(runCli(bad).status, 2) << bad.back();
}

}  // namespace
}  // namespace d7
