// The map checks of all 60 maps of the sample game, as "d7irir-cli check DIR
// --all-maps" runs them (loading the map set included), against the baseline
// "d7irir-cli info DIR": loading the set and listing its maps.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

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

}  // namespace

BENCHMARK_MAIN();
