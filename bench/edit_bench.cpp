// Tile placement, the area operations and the whole-map commands on a busy map.
// Baseline: the analysis pass alone (BM_AnalysisPass), which every edit runs.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "core/analysis/analyse_map.h"
#include "core/edit/area_copy.h"
#include "core/edit/borders.h"
#include "core/edit/cell_writer.h"
#include "core/edit/coast.h"
#include "core/edit/feature_codes.h"
#include "core/edit/geometry.h"
#include "core/edit/painting.h"
#include "core/edit/placement.h"
#include "core/edit/random_tiles.h"
#include "core/edit/roads.h"
#include "core/edit/whole_map.h"
#include "core/model/history_steps.h"
#include "core/model/map_access.h"
#include "core/model/undo.h"

namespace {

using namespace d7;

struct Seed {
    int x, y;
};

// An island of sixteen irregular domains (nearest of sixteen scattered
// points), each with a town and a castle, joined by roads, with forests,
// fields and mountains, cliffs along the coast and border tiles at the edges.
// Built with the editor's own operations, so every plane is written through.
std::unique_ptr<EditorState> busyMap() {
    auto st = makeEditorState();
    st->mapStore.assign(kMapStoreSize, 0);
    for (int f = 1; f <= kMapFileCount; ++f) st->extStreams[std::size_t(f)].assign(kMapFileSize, 0);
    selectMap(*st, 0);
    Random layout(3);
    Seed seeds[kMaxDomain];
    for (int d = 0; d < kMaxDomain; ++d)
        seeds[d] = {8 + (d % 4) * 14 + layout.below(5), 8 + (d / 4) * 14 + layout.below(5)};
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) {
            const int dx = x - 32, dy = y - 32;
            if (dx * dx + dy * dy > 29 * 29 - layout.below(60)) {
                placeRandomSea(*st, x, y, 0);
                continue;
            }
            int best = 0, bestDist = 1 << 20;
            for (int d = 0; d < kMaxDomain; ++d) {
                const int ex = x - seeds[d].x, ey = y - seeds[d].y;
                if (ex * ex + ey * ey < bestDist) bestDist = ex * ex + ey * ey, best = d + 1;
            }
            setCell(*st, 0, x, y,
                    {.flags = 0,
                     .tileset = 0,
                     .tile = 6 + layout.below(15),
                     .domain = best,
                     .code = feature::kGrass});
            const int r = layout.below(100);
            if (r < 12)
                placeForest(*st, x, y);
            else if (r < 20)
                setCell(*st, 0, x, y,
                        {.flags = flags::kField,
                         .tileset = tileset::kRoad,
                         .tile = 80,
                         .code = feature::kField});
        }
    ScriptedPrompt prompt(true);
    for (int d = 0; d < kMaxDomain; ++d) {
        const Seed s = seeds[d];
        placeTile(*st, prompt, s.x, s.y, building::kTown, 2, TileKind::Buildings);
        placeTile(*st, prompt, s.x + 3, s.y + 2, building::kCastle, 2, TileKind::Buildings);
        placeTile(*st, prompt, s.x - 3, s.y + 3, layout.below(5), 2, TileKind::Mountains);
        placeTile(*st, prompt, s.x + 1, s.y - 3, building::kVillage, 1, TileKind::Buildings);
    }
    // Roads from each town to its right and lower neighbours.
    auto roadCell = [&](int x, int y) {
        if (inMap(x, y) && st->planes.M0.at(x, y) <= (flags::kRoad | flags::kBorder))
            setCell(*st, 0, x, y,
                    {.flags = flags::kRoad, .tileset = tileset::kRoad, .code = feature::kRoad});
    };
    for (int d = 0; d < kMaxDomain; ++d) {
        const Seed a = seeds[d];
        for (int next : {d + 1, d + 4}) {
            if (next >= kMaxDomain || (next == d + 1 && next % 4 == 0)) continue;
            const Seed b = seeds[next];
            for (int x = std::min(a.x, b.x); x <= std::max(a.x, b.x); ++x) roadCell(x, a.y + 2);
            for (int y = std::min(a.y, b.y) + 2; y <= std::max(a.y, b.y) + 2; ++y) roadCell(b.x, y);
        }
    }
    recalcRoads(*st);
    createCoast(*st);
    fixAllBorders(*st);
    return st;
}

void BM_AnalysisPass(benchmark::State& state) {
    auto st = busyMap();
    for (auto _ : state) {
        AnalyseMap(*st);
        benchmark::DoNotOptimize(st->CountyTable[1].greens);
    }
}
BENCHMARK(BM_AnalysisPass);

// Moves domain 1's town back and forth: the undo snapshot, the question, the
// old town's removal, the new town and the analysis pass.
void BM_PlaceTown(benchmark::State& state) {
    auto st = busyMap();
    ScriptedPrompt prompt(true);
    // A domain whose town can move one cell to the right within the domain.
    int d = 1;
    while (d <= kMaxDomain &&
           !(st->CountyTable[std::size_t(d)].towns == 1 &&
             blockDomainCount(st->planes, st->CountyTable[std::size_t(d)].townPos.x + 1,
                              st->CountyTable[std::size_t(d)].townPos.y) == 1))
        ++d;
    if (d > kMaxDomain) {
        state.SkipWithError("no town to move");
        return;
    }
    const Point at = st->CountyTable[std::size_t(d)].townPos;
    int i = 0;
    for (auto _ : state) {
        placeTile(*st, prompt, at.x + (i++ & 1), at.y, building::kTown, 2, TileKind::Buildings);
        prompt.questions.clear();
    }
    if (st->CountyTable[std::size_t(d)].towns != 1 || prompt.messages.size() != 0)
        state.SkipWithError("the town was not placed");
}
BENCHMARK(BM_PlaceTown);

void BM_RecalcRoads(benchmark::State& state) {
    auto st = busyMap();
    for (auto _ : state) recalcRoads(*st);
}
BENCHMARK(BM_RecalcRoads)->Unit(benchmark::kMicrosecond);

void BM_CreateCoast(benchmark::State& state) {
    auto st = busyMap();
    for (auto _ : state) createCoast(*st);
}
BENCHMARK(BM_CreateCoast)->Unit(benchmark::kMicrosecond);

void BM_FixAllBorders(benchmark::State& state) {
    auto st = busyMap();
    for (auto _ : state) fixAllBorders(*st);
}
BENCHMARK(BM_FixAllBorders)->Unit(benchmark::kMicrosecond);

// The area operations on 20 x 20 cells of the island's middle, with its
// towns, castles, roads and borders.
constexpr CellRect kArea{22, 22, 41, 41};

void BM_CopyAndTransformArea(benchmark::State& state) {
    auto st = busyMap();
    for (auto _ : state) {
        copyArea(*st, kArea);
        transformArea(*st, AreaTransform::Rotate90);
        benchmark::DoNotOptimize(st->transformed.M0.bytes[0]);
    }
}
BENCHMARK(BM_CopyAndTransformArea)->Unit(benchmark::kMicrosecond);

// The undo snapshot, the paste, roads, coast and borders over the pasted
// cells, and the analysis pass.
void BM_PasteSpecialArea(benchmark::State& state) {
    auto st = busyMap();
    copyArea(*st, kArea);
    transformArea(*st, AreaTransform::Rotate90);
    for (auto _ : state) pasteSpecial(*st, 12, 30, st->transformed);
}
BENCHMARK(BM_PasteSpecialArea)->Unit(benchmark::kMicrosecond);

// A whole-map command on the busy map each time: the map before it is put
// back (untimed) by undoing it.
template <typename Command>
void timeOnBusyMap(benchmark::State& state, Command command) {
    auto st = busyMap();
    for (auto _ : state) {
        command(*st);
        state.PauseTiming();
        undoLastEdit(*st);
        state.ResumeTiming();
    }
}

void BM_FillMap(benchmark::State& state) {
    timeOnBusyMap(state, [](EditorState& st) { fillMap(st, FillKind::Grass); });
}
BENCHMARK(BM_FillMap)->Unit(benchmark::kMicrosecond);

void BM_ShiftMap(benchmark::State& state) {
    ScriptedPrompt prompt;
    timeOnBusyMap(state, [&](EditorState& st) { shiftMap(st, prompt, 10, ShiftDirection::XPlus); });
}
BENCHMARK(BM_ShiftMap)->Unit(benchmark::kMicrosecond);

// "Fill All" as a step of the history: the command and the recording of its
// step (against BM_FillMap), then the undo and the redo of that step alone
// (each with the reload and the analysis pass).
void BM_FillMapRecorded(benchmark::State& state) {
    auto st = busyMap();
    for (auto _ : state) {
        fillMap(*st, FillKind::Grass);
        recordStep(*st, "Fill All");
        state.PauseTiming();
        undoStep(*st);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FillMapRecorded)->Unit(benchmark::kMicrosecond);

void BM_FillMapUndoRedo(benchmark::State& state) {
    auto st = busyMap();
    fillMap(*st, FillKind::Grass);
    recordStep(*st, "Fill All");
    const bool undo = state.range(0) == 0;
    if (undo) undoStep(*st);
    for (auto _ : state) {
        state.PauseTiming();
        if (undo)
            redoStep(*st);
        else
            undoStep(*st);
        state.ResumeTiming();
        if (undo)
            undoStep(*st);
        else
            redoStep(*st);
    }
}
BENCHMARK(BM_FillMapUndoRedo)->ArgName("redo")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// What the history keeps: 1,000 clicks of a full 5 x 5 forest brush on
// cells spread over the island, and 100 "Fill All" steps (grassland and sea
// in turn, every cell a new random tile).
void BM_HistoryMemory(benchmark::State& state) {
    const bool fills = state.range(0) == 1;
    std::size_t kept = 0;
    for (auto _ : state) {
        auto st = busyMap();
        BrushMask full;
        full.cells.fill(1);
        const int steps = fills ? 100 : 1000;
        for (int i = 0; i < steps; ++i) {
            if (fills)
                fillMap(*st, i % 2 ? FillKind::Sea : FillKind::Grass);
            else
                applyBrush(*st, 10 + (i * 7) % 40, 10 + (i * 13) % 40, full, BrushFill::Forest, 0,
                           false);
            recordStep(*st, fills ? "Fill All" : "Brush");
        }
        kept = st->history.bytes();
    }
    state.counters["steps"] = fills ? 100 : 1000;
    state.counters["bytes"] = double(kept);
    state.counters["bytes_per_step"] = double(kept) / (fills ? 100 : 1000);
}
BENCHMARK(BM_HistoryMemory)
    ->ArgName("fill_all")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
