// Loading and saving a whole map set (about 5 MB of files), and deriving the
// auxiliary pictures of one map.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include "core/model/auxiliary_planes.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "support/map_builder.h"
#include "support/test_paths.h"

namespace {

using namespace d7;

test::TempDir& gameDir() {
    static test::TempDir dir;
    static bool written = [] {
        test::writeMapSet(dir.path(), 77);
        return true;
    }();
    (void)written;
    return dir;
}

// Baseline: reading the same bytes as whole files, nothing else.
void BM_ReadFilesOnly(benchmark::State& state) {
    const auto& dir = gameDir().path();
    for (auto _ : state) {
        std::size_t total = test::fileBytes(dir / "k7_maps.dat").size();
        total += test::fileBytes(dir / "K7.ENG").size();
        for (int i = 1; i <= 15; ++i) total += test::fileBytes(dir / mapFileName(i)).size();
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ReadFilesOnly)->Unit(benchmark::kMillisecond);

void BM_LoadMapSetAndSelectMap0(benchmark::State& state) {
    auto st = makeEditorState();
    st->gameDir = st->pl8Dir = gameDir().path().string();
    for (auto _ : state) {
        loadMapSet(*st, st->gameDir);
        benchmark::DoNotOptimize(st->planes.M0.bytes[0]);
    }
}
BENCHMARK(BM_LoadMapSetAndSelectMap0)->Unit(benchmark::kMillisecond);

void BM_SaveWholeMapSet(benchmark::State& state) {
    auto st = test::loadTestMapSet(gameDir().path());
    st->extChanged.fill(true);
    st->namesChanged = true;
    test::TempDir out;
    for (auto _ : state) saveMapSet(*st, out.path().string());
}
BENCHMARK(BM_SaveWholeMapSet)->Unit(benchmark::kMillisecond);

// The window in which a kill can still leave a saved map set mixed: the 17
// renames of a save of every file (map store, language file, 15 map files),
// back to back as writeFilesAtomic does them, the temporary files written
// and flushed beforehand (not timed).
void BM_SaveRenameWindow(benchmark::State& state) {
    test::TempDir out;
    const Bytes bytes(kMapFileSize, 7);
    std::vector<fs::path> temps, targets;
    for (int i = 0; i < 17; ++i) {
        targets.push_back(out / ("file" + std::to_string(i)));
        temps.push_back(out / (".file" + std::to_string(i) + ".d7irir-AAAAAA"));
    }
    for (auto _ : state) {
        state.PauseTiming();
        for (const fs::path& temp : temps) {
            test::writeBytes(temp, bytes);
            const int fd = ::open(temp.c_str(), O_RDONLY);
            ::fsync(fd);
            ::close(fd);
        }
        state.ResumeTiming();
        for (std::size_t i = 0; i < temps.size(); ++i)
            ::rename(temps[i].c_str(), targets[i].c_str());
    }
}
BENCHMARK(BM_SaveRenameWindow)->Unit(benchmark::kMicrosecond);

// The derived pictures of a busy map: map 3 of the sample game (sixteen
// domains, coast, roads). Baseline: one plain pass over the Ext record.
constexpr int kBusyMap = 3;

EditorState& busyMap() {
    static std::unique_ptr<EditorState> st = [] {
        auto s = test::loadTestMapSet(D7_SAMPLE_DIR);
        selectMap(*s, kBusyMap);
        return s;
    }();
    return *st;
}

void BM_PlainExtRecordPass(benchmark::State& state) {
    const EditorState& st = busyMap();
    const std::uint8_t* record =
        st.extStreams[std::size_t(fileOfMap(kBusyMap))].data() + extRecordOffset(kBusyMap);
    for (auto _ : state) {
        unsigned sum = 0;
        for (int i = 0; i < kExtRecordSize; ++i) sum += record[i];
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_PlainExtRecordPass)->Unit(benchmark::kMicrosecond);

void BM_BuildMinimapImage(benchmark::State& state) {
    EditorState& st = busyMap();
    buildDomainMask(st);
    for (auto _ : state) {
        buildMinimapImage(st);
        benchmark::DoNotOptimize(st.planes.Ext2.bytes[0]);
    }
}
BENCHMARK(BM_BuildMinimapImage)->Unit(benchmark::kMicrosecond);

void BM_BuildOutsideMap(benchmark::State& state) {
    EditorState& st = busyMap();
    for (auto _ : state) {
        buildOutsideMap(st);
        benchmark::DoNotOptimize(st.planes.Ext5.bytes[0]);
    }
}
BENCHMARK(BM_BuildOutsideMap)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
