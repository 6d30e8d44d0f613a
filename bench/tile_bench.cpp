// The tile selector's four palettes at tile scale 2, rebuilt on every season
// and brightness change, on the sample game's spring tilesets; against the
// baseline of decoding the same frames, each once, into a scratch picture.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "core/model/game_paths.h"
#include "core/tiles/graphics_loading.h"
#include "core/tiles/tile_palettes.h"
#include "render/tile_pictures.h"
#include "support/test_paths.h"

namespace {

using namespace d7;

constexpr int kScale = 2;

std::unique_ptr<EditorState> sampleGraphics() {
    auto st = makeEditorState();
    const std::string pl8 = defaultPl8Dir(D7_SAMPLE_DIR);
    tiles::loadPalette(st->gfx, tiles::gameFilePath(pl8, tiles::kDefaultPaletteName));
    tiles::loadTilesets(st->gfx, pl8, 0);
    st->mapLoaded = true;  // Ready: the palettes are drawn
    return st;
}

const EditorState& sample() {
    static const auto st = sampleGraphics();
    return *st;
}

// Every frame the four palettes show, as (tileset, frame).
std::vector<std::pair<int, int>> paletteFrames(const tiles::Graphics& gfx) {
    std::vector<std::pair<int, int>> frames;
    for (int type : {tiles::kBasePalette, tiles::kRoadPalette})
        for (int k = 0; k <= tiles::lastPaletteFrame(gfx, type); ++k)
            frames.emplace_back(tiles::tileChoice(type, k)->tileset, k);
    for (int type : {tiles::kMountainPalette, tiles::kBuildingPalette})
        for (int index = 0; index <= tiles::kBigMountainIndex; ++index)
            if (auto c = tiles::tileChoice(type, index))
                for (int i = 0; i < c->blockSize * c->blockSize; ++i)
                    frames.emplace_back(c->tileset, c->firstFrame + i);
    return frames;
}

void BM_DecodeFramesBaseline(benchmark::State& state) {
    const tiles::Graphics& gfx = sample().gfx;
    const auto frames = paletteFrames(gfx);
    std::vector<std::uint32_t> scratch(std::size_t(58 * kScale) * 120 * kScale);
    const tiles::PixelTarget target{scratch.data(), 58 * kScale, 120 * kScale, 58 * kScale};
    for (auto _ : state) {
        for (const auto& [tileset, k] : frames)
            tiles::drawFrame(target, gfx.tilesets[std::size_t(tileset)], gfx.palette, k, kScale, 0,
                             60 * kScale);
        benchmark::DoNotOptimize(scratch.data());
        benchmark::ClobberMemory();
    }
    state.counters["frames"] = double(frames.size());
}
BENCHMARK(BM_DecodeFramesBaseline)->Unit(benchmark::kMillisecond);

// What the tile selector does on a season or brightness change.
void BM_RebuildTilePalettes(benchmark::State& state) {
    const EditorState& st = sample();
    render::TilePalettes palettes = render::buildTilePalettes(st, kScale);
    for (auto _ : state) {
        render::rebuildTilePalettes(palettes, st, kScale);
        benchmark::DoNotOptimize(palettes[0].constBits());
    }
}
BENCHMARK(BM_RebuildTilePalettes)->Unit(benchmark::kMillisecond);

// A change of "Tileset Size": every picture new.
void BM_BuildTilePalettesAfresh(benchmark::State& state) {
    const EditorState& st = sample();
    for (auto _ : state) {
        auto palettes = render::buildTilePalettes(st, kScale);
        benchmark::DoNotOptimize(palettes[0].constBits());
    }
}
BENCHMARK(BM_BuildTilePalettesAfresh)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
