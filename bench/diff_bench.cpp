// Comparing two map sets: the diff command against loading the two sets it
// compares, in one run, on two pairs of sets that differ in every map:
//   pattern  every byte of every plane follows another pattern, so every
//            cell of every map is listed (the largest report there can be);
//   sample   two sample games made from different seeds: real maps, every
//            one of them laid out differently;
//   edited   the sample game and a copy in which every map had a 10 x 10 block
//            of tiles changed and a domain renamed (a review of real work).
#include <benchmark/benchmark.h>

#include <ctime>
#include <sstream>

#include "cli/commands.h"
#include "cli/game_session.h"
#include "core/model/map_access.h"
#include "core/model/map_set_diff.h"
#include "core/model/map_set_diff_text.h"
#include "core/model/map_set_io.h"
#include "core/model/map_set_maintenance.h"
#include "samplegen/sample_game.h"
#include "support/map_builder.h"
#include "support/test_paths.h"

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

const TwoGames& editedGames() {
    static test::TempDir copy;
    static const TwoGames games = [] {
        auto st = cli::openGameDir(D7_SAMPLE_DIR, cli::Args({}, {}));
        for (int n = 0; n < kMapCount; ++n) {
            selectMap(*st, n);
            for (int y = 20; y < 30; ++y)
                for (int x = 20; x < 30; ++x)
                    storeBlockByte(*st, std::uint8_t(st->planes.M2.at(x, y) + 1), x, y, 2, n);
            setDomainName(*st, 1, "Edited " + std::to_string(n));
        }
        st->extChanged.fill(true);
        saveMapSet(*st, copy.path().string());
        return TwoGames{D7_SAMPLE_DIR, copy.path()};
    }();
    return games;
}

const TwoGames& gamesOf(int pair) {
    return pair == 0 ? patternGames() : pair == 1 ? sampleGames() : editedGames();
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
BENCHMARK_CAPTURE(BM_LoadTwoSets, edited, 2)->Unit(benchmark::kMillisecond);

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
BENCHMARK_CAPTURE(BM_DiffCommand, edited_text, 2, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DiffCommand, pattern_json, 0, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DiffCommand, sample_json, 1, true)->Unit(benchmark::kMillisecond);

// The ratio itself: each iteration loads the two sets, then runs the whole
// command, both timed on this thread's CPU clock, so that a busy machine
// slows the two alike.
double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void BM_DiffOverLoad(benchmark::State& state, int pair) {
    const TwoGames& games = gamesOf(pair);
    const std::vector<std::string> args{"diff", games.a.string(), games.b.string()};
    double load = 0, compare = 0, diff = 0;
    for (auto _ : state) {
        const double t0 = threadSeconds();
        {
            auto a = open(games.a);
            auto b = open(games.b);
            const double t1 = threadSeconds();
            load += t1 - t0;
            const MapSetDiff d = compareMapSets(*a, *b);
            benchmark::DoNotOptimize(d.maps.data());
            compare += threadSeconds() - t1;
        }
        const double t2 = threadSeconds();
        CountingBuffer sink;
        std::ostream out(&sink);
        std::ostringstream err;
        cli::runCli(args, out, err);
        diff += threadSeconds() - t2;
    }
    const double n = double(state.iterations());
    state.counters["load_ms"] = load * 1e3 / n;
    state.counters["compare_ms"] = compare * 1e3 / n;
    state.counters["diff_ms"] = diff * 1e3 / n;
    // The command, and the comparison without its report, against the loading.
    state.counters["diff_over_load"] = diff / load;
    state.counters["compare_over_load"] = (load + compare) / load;
}
BENCHMARK_CAPTURE(BM_DiffOverLoad, pattern, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DiffOverLoad, sample, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DiffOverLoad, edited, 2)->Unit(benchmark::kMillisecond);

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
