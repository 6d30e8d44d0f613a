// The analysis pass and pathfinding on a busy map. Baseline: one plain read
// pass over the six cell planes (BM_ReadSixPlanes); for the trade routes, one
// RoadDistance (BM_RoadDistanceTownToTown).
#include <benchmark/benchmark.h>

#include <memory>

#include "core/analysis/analyse_map.h"
#include "core/analysis/pathfinding.h"
#include "core/analysis/trade_routes.h"
#include "support/map_builder.h"

namespace {

using d7::EditorState;
using d7::kGrid;
using d7::test::putCell;

// Sixteen 16 x 16 domains, each with a town naming traders, a castle with a
// starting position, villages, fields, forest, mountains and resources,
// joined by a road grid, with a sea coast along two edges.
std::unique_ptr<EditorState> busyMap() {
    auto st = d7::makeEditorState();
    d7::Random rng(7);
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
            const auto d = std::uint8_t(1 + (y / 16) * 4 + x / 16);
            std::uint8_t m0 = 0, m1 = 0, m2 = 6;
            const int r = rng.below(100);
            if (x < 2 || y > 61) {
                m0 = 0x04;
            } else if (x % 8 == 4 || y % 8 == 4) {
                m0 = 0x01, m1 = 8;
            } else if (r < 12) {
                m0 = 0x08, m1 = 8;  // forest
            } else if (r < 16) {
                m0 = 0x08, m1 = 4;  // mountain
            } else if (r < 30) {
                m0 = 0x20, m1 = 8;
            } else if (r < 33) {
                m0 = 0x10;
            } else if (r < 35) {
                m0 = 0x80, m1 = 12, m2 = std::uint8_t(rng.below(3) * 10 + (r & 1) * 10);
            } else if (r < 40) {
                m0 = 0x02;
            }
            putCell(*st, x, y, {m0, m1, m2, 0, 0, d});
        }
    }
    for (int dy = 0; dy < 4; ++dy) {
        for (int dx = 0; dx < 4; ++dx) {
            const auto d = std::uint8_t(1 + dy * 4 + dx);
            const int tx = dx * 16 + 6, ty = dy * 16 + 1, cx = dx * 16 + 10, cy = dy * 16 + 10;
            for (std::uint8_t part = 0; part < 4; ++part) {
                const auto trader = std::uint8_t(part == 0 ? 0 : 1 + (d + part) % 6);
                putCell(*st, tx + part % 2, ty + part / 2, {0x40, 12, 0, part, trader, d});
                putCell(*st, cx + part % 2, cy + part / 2,
                        {0x80, 0, 0, part, std::uint8_t(part == 1 && d <= 5 ? d : 0), d});
            }
        }
    }
    d7::AnalyseMap(*st);
    return st;
}

void BM_ReadSixPlanes(benchmark::State& state) {
    auto st = busyMap();
    for (auto _ : state) {
        unsigned sum = 0;
        for (int p = 0; p < 6; ++p)
            for (std::uint8_t b : st->planes.cellPlane(p).bytes) sum += b;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ReadSixPlanes);

void BM_AnalyseMap(benchmark::State& state) {
    auto st = busyMap();
    for (auto _ : state) {
        d7::AnalyseMap(*st);
        benchmark::DoNotOptimize(st->CountyTable[1].greens);
    }
}
BENCHMARK(BM_AnalyseMap);

void BM_BuildDistancesMove(benchmark::State& state) {
    auto st = busyMap();
    const bool roadsOnly = state.range(0) != 0;
    for (auto _ : state) {
        d7::BuildDistances(*st, st->MoveMatrix, 4, 4, roadsOnly);
        benchmark::DoNotOptimize(st->DistMatrix.at(60, 60));
    }
}
BENCHMARK(BM_BuildDistancesMove)->Arg(0)->Arg(1);

void BM_BuildDistancesRoad(benchmark::State& state) {
    auto st = busyMap();
    for (auto _ : state) {
        d7::BuildDistances(*st, st->RoadMoveMatrix, 4, 4, false);
        benchmark::DoNotOptimize(st->DistMatrix.at(60, 60));
    }
}
BENCHMARK(BM_BuildDistancesRoad);

void BM_TracePath(benchmark::State& state) {
    auto st = busyMap();
    d7::BuildDistances(*st, st->MoveMatrix, 4, 4, false);
    int steps = 0;
    for (auto _ : state) {
        steps = d7::TracePath(*st, 60, 60).steps;
        benchmark::DoNotOptimize(steps);
    }
    state.counters["steps"] = steps;
}
BENCHMARK(BM_TracePath);

void BM_TraceRoad(benchmark::State& state) {
    auto st = busyMap();
    d7::BuildDistances(*st, st->RoadMoveMatrix, 4, 4, false);
    int steps = 0;
    for (auto _ : state) {
        steps = d7::TraceRoad(*st, 60, 4, true);  // along a road row; the walk cannot use diagonals
        benchmark::DoNotOptimize(steps);
    }
    state.counters["steps"] = steps;
}
BENCHMARK(BM_TraceRoad);

// The route cells of all six traders (each leg a search and a trace, one more
// search where a road leg is too long) against the baseline of one
// RoadDistance between two town roads in the same run.
void BM_RoadDistanceTownToTown(benchmark::State& state) {
    auto st = busyMap();
    const d7::Point from = st->CountyTable[1].townRoadPos, to = st->CountyTable[16].townRoadPos;
    int steps = 0;
    for (auto _ : state) {
        steps = d7::RoadDistance(*st, from, to, true).steps;
        benchmark::DoNotOptimize(steps);
    }
    state.counters["steps"] = steps;
}
BENCHMARK(BM_RoadDistanceTownToTown)->Unit(benchmark::kMicrosecond);

// Arg 0: one trader after the other (BuildRouteCells); arg 1: all at once,
// each town road searched once (ensureAllRouteCells).
void BM_RouteCellsAllTraders(benchmark::State& state) {
    auto st = busyMap();
    const bool together = state.range(0) != 0;
    std::size_t cells = 0, legs = 0;
    for (auto _ : state) {
        d7::markAllRoutesStale(*st);
        if (together) d7::ensureAllRouteCells(*st);
        cells = legs = 0;
        for (int t = 1; t <= d7::kTraders; ++t) {
            if (!together) d7::BuildRouteCells(*st, t);
            cells += st->RouteCells[std::size_t(t)].size();
            legs += std::size_t(st->TraderRoute[std::size_t(t)].stopCount);
        }
        benchmark::DoNotOptimize(cells);
    }
    state.counters["cells"] = double(cells);
    state.counters["legs"] = double(legs);
}
BENCHMARK(BM_RouteCellsAllTraders)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
