// The map checks of all 60 maps of the sample game, as "d7irir-cli check DIR
// --all-maps" runs them (loading the map set included), against the baseline
// "d7irir-cli info DIR": loading the set and listing its maps. And "d7irir-cli
// fix DIR OUT --all-maps" against the four checks it stands for, each over
// all maps (BM_FourChecksAllMaps): the fix should take less than twice as long.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "cli/commands.h"
#include "support/test_paths.h"

namespace {

void runCommand(benchmark::State& state, const std::vector<std::string>& args) {
    for (auto _ : state) {
        std::ostringstream out, err;
        const int status = d7::cli::runCli(args, out, err);
        if (status != 0) state.SkipWithError(("failed: " + err.str()).c_str());
        benchmark::DoNotOptimize(out.str().size());
    }
}

void BM_InfoBaseline(benchmark::State& state) {
    runCommand(state, {"info", D7_SAMPLE_DIR});
}
BENCHMARK(BM_InfoBaseline)->Unit(benchmark::kMillisecond);

void BM_CheckAllMaps(benchmark::State& state, const char* check) {
    runCommand(state, {"check", D7_SAMPLE_DIR, "--all-maps", check});
}
BENCHMARK_CAPTURE(BM_CheckAllMaps, errors, "errors")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CheckAllMaps, pathfinding, "pathfinding")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CheckAllMaps, clipping, "clipping")->Unit(benchmark::kMillisecond);

void BM_FourChecksAllMaps(benchmark::State& state) {
    for (auto _ : state) {
        for (const char* check : {"errors", "pathfinding", "clipping", "submaps"}) {
            std::ostringstream out, err;
            d7::cli::runCli({"check", D7_SAMPLE_DIR, "--all-maps", check}, out, err);
            benchmark::DoNotOptimize(out.str().size());
        }
    }
}
BENCHMARK(BM_FourChecksAllMaps)->Unit(benchmark::kMillisecond);

void BM_FixAllMaps(benchmark::State& state) {
    const std::filesystem::path out =
        std::filesystem::temp_directory_path() / ("d7-fix-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(out);
    runCommand(state, {"fix", D7_SAMPLE_DIR, out.string(), "--all-maps"});
    std::filesystem::remove_all(out);
}
BENCHMARK(BM_FixAllMaps)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
