// The recovery file of unsaved changes, for one changed map and for all 60:
// what the editor's thread pays (the snapshot of the set) and what the
// writer's thread pays (comparing, encoding, writing and flushing). Baseline:
// a brush click on a map (what the user waits for anyway) and a save of the
// whole set.
#include <benchmark/benchmark.h>

#include "core/edit/painting.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "core/model/recovery_file.h"
#include "core/model/recovery_store.h"
#include "support/map_builder.h"
#include "support/test_paths.h"

namespace {

using namespace d7;

// The sample game with map 3 changed, or with every byte of every map changed.
std::unique_ptr<EditorState> changedSet(bool allMaps) {
    auto st = test::loadTestMapSet(D7_SAMPLE_DIR);
    selectMap(*st, 3);
    if (allMaps) {
        for (auto& b : st->mapStore) b ^= 0x5A;
        for (int f = 1; f <= kMapFileCount; ++f)
            for (std::size_t i = kMapFileHeaderSize; i < st->extStreams[std::size_t(f)].size(); ++i)
                st->extStreams[std::size_t(f)][i] ^= 0x5A;
    } else {
        for (int x = 10; x < 20; ++x) storeBlockByte(*st, 0x21, x, 12, 0, 3);
        extByte(*st, 2, 11, 12, 4, 3);
    }
    return st;
}

void BM_BrushClick(benchmark::State& state) {
    auto st = test::loadTestMapSet(D7_SAMPLE_DIR);
    selectMap(*st, 3);
    BrushMask full;
    full.cells.fill(1);
    int i = 0;
    for (auto _ : state) {
        applyBrush(*st, 10 + (i * 7) % 40, 10 + (i * 13) % 40, full, BrushFill::Forest, 0, false);
        ++i;
    }
}
BENCHMARK(BM_BrushClick)->Unit(benchmark::kMicrosecond);

void BM_SaveWholeSet(benchmark::State& state) {
    auto st = test::loadTestMapSet(D7_SAMPLE_DIR);
    markEveryFileForSaving(*st);
    test::TempDir out;
    for (auto _ : state) saveMapSet(*st, out.path().string());
}
BENCHMARK(BM_SaveWholeSet)->Unit(benchmark::kMillisecond);

// The editor's thread: one copy of the set's images, into the memory of a
// snapshot the writer gave back (arg 0: into fresh memory, as the first
// write after start).
void BM_RecoverySnapshot(benchmark::State& state) {
    auto st = changedSet(state.range(0) == 60);
    RecoverySnapshot kept;
    for (auto _ : state) {
        if (state.range(0) == 0) {
            auto fresh = std::make_unique<RecoverySnapshot>();
            takeRecoverySnapshot(*st, 0, *fresh);
            benchmark::DoNotOptimize(fresh->images.images[0].data());
        } else {
            takeRecoverySnapshot(*st, 0, kept);
        }
    }
}
BENCHMARK(BM_RecoverySnapshot)->Arg(0)->Arg(1)->Arg(60)->Unit(benchmark::kMillisecond);

// The writer's thread: compare, encode, write and flush.
void BM_RecoveryWrite(benchmark::State& state) {
    auto st = changedSet(state.range(0) == 60);
    RecoverySnapshot snapshot;
    takeRecoverySnapshot(*st, 0, snapshot);
    test::TempDir home;
    const auto file = recoveryFilePath(home.path(), st->gameDir);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const Bytes encoded = encodeRecovery(makeRecovery(*st->loadedImages, snapshot));
        writeRecoveryFile(file, encoded);
        bytes = encoded.size();
    }
    state.counters["file_bytes"] = double(bytes);
}
BENCHMARK(BM_RecoveryWrite)->Arg(1)->Arg(60)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
