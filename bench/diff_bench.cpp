// Comparing two map sets: the diff command against loading the two sets it
// compares, in one run, on two pairs of sets that differ in every map:
//   pattern  every byte of every plane follows another pattern, so every
//            cell of every map is listed (the largest report there can be);
//   sample   two sample games made from different seeds: real maps, every
//            one of them laid out differently.
#include <benchmark/benchmark.h>

#include <sstream>

#include "cli/commands.h"
#include "cli/game_session.h"
#include "core/model/map_set_diff.h"
#include "core/model/map_set_diff_text.h"
#include "samplegen/sample_game.h"
#include "support/map_builder.h"

namespace {

using namespace d7;
namespace fs = std::filesystem;

struct TwoGames {
    fs::path a, b;
};

const TwoGames& patternGames() {
    static test::TempDir a, b;
    static const TwoGames games = [] {
        test::writeMapSet(a.path(), 77, "pl8");
        test::writeMapSet(b.path(), 78, "pl8");
        return TwoGames{a.path(), b.path()};
    }();
    return games;
}

const TwoGames& sampleGames() {
    static test::TempDir other;
    static const TwoGames games = [] {
        samplegen::writeSampleGame(other.path().string(), samplegen::kDefaultSeed + 1);
        return TwoGames{D7_SAMPLE_DIR, other.path()};
    }();
    return games;
}

const TwoGames& gamesOf(int pair) {
    return pair == 0 ? patternGames() : sampleGames();
}

// A game directory opened as every command opens it.
std::unique_ptr<EditorState> open(const fs::path& dir) {
    return cli::openGameDir(dir.string(), cli::Args({}, {}));
}

// Standard output as a pipe to a reader that keeps nothing: counts the bytes.
class CountingBuffer : public std::streambuf {
  public:
    std::size_t count = 0;

  protected:
    std::streamsize xsputn(const char*, std::streamsize n) override {
        count += std::size_t(n);
        return n;
    }
    int_type overflow(int_type c) override {
        ++count;
        return traits_type::not_eof(c);
    }
};

// Baseline: loading the two sets as the command does, nothing else.
void BM_LoadTwoSets(benchmark::State& state, int pair) {
    const TwoGames& games = gamesOf(pair);
    for (auto _ : state) {
        auto a = open(games.a);
        auto b = open(games.b);
        benchmark::DoNotOptimize(a->mapStore.data());
        benchmark::DoNotOptimize(b->mapStore.data());
    }
}
BENCHMARK_CAPTURE(BM_LoadTwoSets, pattern, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadTwoSets, sample, 1)->Unit(benchmark::kMillisecond);

// The whole command: both loads, the comparison and the report.
void BM_DiffCommand(benchmark::State& state, int pair, bool json) {
    const TwoGames& games = gamesOf(pair);
    std::vector<std::string> args{"diff", games.a.string(), games.b.string()};
    if (json) args.push_back("--json");
    std::size_t bytes = 0;
    for (auto _ : state) {
        CountingBuffer sink;
        std::ostream out(&sink);
        std::ostringstream err;
        if (cli::runCli(args, out, err) != 1) state.SkipWithError("diff did not report a change");
        bytes = sink.count;
    }
    state.counters["report_MB"] = double(bytes) / 1e6;
}
BENCHMARK_CAPTURE(BM_DiffCommand, pattern_text, 0, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DiffCommand, sample_text, 1, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DiffCommand, pattern_json, 0, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DiffCommand, sample_json, 1, true)->Unit(benchmark::kMillisecond);

// The parts: the comparison of sets already loaded, and its text report.
void BM_CompareLoadedSets(benchmark::State& state, int pair) {
    auto a = open(gamesOf(pair).a);
    auto b = open(gamesOf(pair).b);
    for (auto _ : state) {
        MapSetDiff d = compareMapSets(*a, *b);
        benchmark::DoNotOptimize(d.maps.data());
    }
}
BENCHMARK_CAPTURE(BM_CompareLoadedSets, pattern, 0)->Unit(benchmark::kMillisecond);

void BM_TextOfComparison(benchmark::State& state, int pair) {
    auto a = open(gamesOf(pair).a);
    auto b = open(gamesOf(pair).b);
    const MapSetDiff d = compareMapSets(*a, *b);
    for (auto _ : state) {
        CountingBuffer sink;
        std::ostream out(&sink);
        writeMapSetDiffText(out, d);
        benchmark::DoNotOptimize(sink.count);
    }
}
BENCHMARK_CAPTURE(BM_TextOfComparison, pattern, 0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
