// The map picture: a full redraw of a busy map at zoom 1 and 2, the part of
// it a map window shows, and the redraw of one cell, against the baseline of
// writing every pixel of the picture once at the same zoom.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <algorithm>
#include <memory>
#include <vector>

#include "core/analysis/analyse_map.h"
#include "core/edit/geometry.h"
#include "core/model/editor_state.h"
#include "core/tiles/frame_cache.h"
#include "core/tiles/frame_drawing.h"
#include "core/tiles/graphics.h"
#include "render/map_renderer.h"
#include "render/shrunk_picture.h"
#include "support/tileset_builder.h"

namespace {

using namespace d7;

// Every kind of cell the renderer draws: base, road and mountain tiles with
// extension layers, towns, castles, villages and domains on every cell.
std::unique_ptr<EditorState> busyMap(int zoom, int viewMode) {
    auto st = makeEditorState();
    test::installTestGraphics(st->gfx);
    st->mapLoaded = true;
    st->view.zoom = zoom;
    st->view.viewMode = viewMode;
    st->view.showBlacksmiths = true;
    Random rng(7);
    WorkingPlanes& p = st->planes;
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
            p.M5.at(x, y) = std::uint8_t(1 + (x / 16) + 4 * (y / 16));
            p.M2.at(x, y) = std::uint8_t(rng.below(40));
            switch (rng.below(6)) {
                case 0:
                    p.M1.at(x, y) = tileset::kMountain;
                    break;
                case 1:
                    p.M1.at(x, y) = tileset::kRoad;
                    p.M0.at(x, y) = flags::kRoad;
                    break;
                case 2:
                    p.M0.at(x, y) = flags::kVillage;
                    break;
                default:
                    break;
            }
        }
    }
    for (int y = 2; y < kGrid - 2; y += 8) {
        for (int x = 2; x < kGrid - 2; x += 8) {
            for (int part = 0; part < 4; ++part) {
                const int cx = x + part % 2, cy = y + part / 2;
                const bool town = (x + y) % 16 == 4;
                p.M0.at(cx, cy) = town ? flags::kTown : flags::kBuilding;
                p.M1.at(cx, cy) = town ? tileset::kTown : tileset::kBase;
                p.M2.at(cx, cy) = std::uint8_t(part);
                p.M3.at(cx, cy) = std::uint8_t(part);
            }
        }
    }
    for (int d = 1; d <= kMaxDomain; ++d) {
        st->CountyTable[std::size_t(d)].used = true;
        st->CountyTable[std::size_t(d)].smithPos = {(d % 4) * 16 + 5, (d / 4 % 4) * 16 + 5};
    }
    return st;
}

// The baseline: every pixel of the picture written once, as fast as the
// renderer clears it.
void BM_WriteEveryPixelOnce(benchmark::State& state) {
    const int z = int(state.range(0));
    std::vector<std::uint32_t> picture(std::size_t(kMapPictureWidth * z) * kMapPictureHeight * z);
    std::uint32_t value = 0xFF000000;
    for (auto _ : state) {
        tiles::fillPixels(picture.data(), picture.size(), ++value);
        benchmark::DoNotOptimize(picture.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WriteEveryPixelOnce)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_RedrawMap(benchmark::State& state) {
    auto st = busyMap(int(state.range(0)), int(state.range(1)));
    render::MapRenderer renderer(*st);
    renderer.redrawMap();
    for (auto _ : state) {
        renderer.redrawMap();
        benchmark::DoNotOptimize(renderer.pixels().data());
    }
}
// Map view and domain view (with its 4096 labels), zoom 1 and 2.
BENCHMARK(BM_RedrawMap)
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({1, 1})
    ->Args({2, 1})
    ->Unit(benchmark::kMillisecond);

// A full redraw followed by drawing only what a map window in the middle of
// the map shows, as the map window does after a zoom change or a new map.
void BM_RedrawWindowPart(benchmark::State& state) {
    auto st = busyMap(int(state.range(0)), int(state.range(1)));
    render::MapRenderer renderer(*st);
    renderer.redrawMap();
    renderer.drawWholePicture();
    const QRect window(renderer.width() / 2 - 580, renderer.height() / 2 - 450, 1160, 900);
    for (auto _ : state) {
        renderer.redrawMap();
        renderer.drawPending(window);
        benchmark::DoNotOptimize(renderer.pixel(window.x(), window.y()));
    }
}
BENCHMARK(BM_RedrawWindowPart)
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({2, 1})
    ->Unit(benchmark::kMillisecond);

// The 25 % and 50 % pictures: the whole zoom-1 picture shrunk by 4 or 2,
// against writing every pixel of the zoom-1 picture once.
void BM_ShrinkPicture(benchmark::State& state) {
    auto st = busyMap(1, 0);
    render::MapRenderer renderer(*st);
    renderer.redrawMap();
    const auto picture = renderer.pixels();
    const int s = int(state.range(0));
    std::vector<std::uint32_t> shrunk(picture.size() / std::size_t(s * s));
    for (auto _ : state) {
        render::shrinkPixels(picture.data(), kMapPictureWidth, kMapPictureWidth, kMapPictureHeight,
                             s, shrunk.data(), kMapPictureWidth / s);
        benchmark::DoNotOptimize(shrunk.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ShrinkPicture)->Arg(4)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_RedrawCell(benchmark::State& state) {
    auto st = busyMap(int(state.range(0)), int(state.range(1)));
    render::MapRenderer renderer(*st);
    renderer.redrawMap();
    st->planes.M1.at(30, 31) = tileset::kMountain;  // a frame with extension layers
    for (auto _ : state) {
        renderer.redrawCell(30, 31);
        benchmark::DoNotOptimize(renderer.pixels().data());
    }
}
BENCHMARK(BM_RedrawCell)->Args({1, 0})->Args({2, 0})->Args({2, 1})->Unit(benchmark::kMicrosecond);

// The trader view with a route drawn as lines against the map view of the
// same map: every town serves three traders, and trader 1's route runs
// through all of its towns.
void BM_RedrawTraderView(benchmark::State& state) {
    auto st = busyMap(int(state.range(0)), int(state.range(1)));
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x)
            if (st->planes.M0.at(x, y) == flags::kTown && st->planes.M3.at(x, y) != 0)
                st->planes.M4.at(x, y) =
                    std::uint8_t(1 + (x / 8 + y / 8 + st->planes.M3.at(x, y)) % 6);
    AnalyseMap(*st);
    st->view.selectedTrader = 1;
    st->view.routeDisplay = 0;
    render::MapRenderer renderer(*st);
    renderer.redrawMap();  // the route is computed here, once
    for (auto _ : state) {
        renderer.redrawMap();
        benchmark::DoNotOptimize(renderer.pixels().data());
    }
    state.counters["routeCells"] = double(st->RouteCells[1].size());
}
// Map view (the baseline) and trader view, zoom 1 and 2.
BENCHMARK(BM_RedrawTraderView)
    ->Args({1, 0})
    ->Args({1, 2})
    ->Args({2, 0})
    ->Args({2, 2})
    ->Unit(benchmark::kMillisecond);
// What the frame cache costs to build after a season, palette or brightness
// change: every frame of the five tilesets decoded at the zoom, against
// drawing each of them once straight from the tileset.
void drawEveryFrame(const tiles::Graphics& gfx, int zoom, tiles::FrameCache* cache,
                    std::vector<std::uint32_t>& scratch) {
    const tiles::PixelTarget target{scratch.data(), 58 * 2, 600, 58 * 2};
    for (int kind = 0; kind < tiles::kTilesetCount; ++kind) {
        const tiles::Tileset& ts = gfx.tilesets[std::size_t(kind)];
        for (int k = 0; k < ts.frameCount; ++k) {
            if (cache)
                cache->draw(target, kind, k, 0, 540);
            else
                tiles::drawFrame(target, ts, gfx.palette, k, zoom, 0, 540);
        }
    }
}

void BM_DrawEveryFrameOnce(benchmark::State& state) {
    auto st = busyMap(int(state.range(0)), 0);
    std::vector<std::uint32_t> scratch(58 * 2 * 600);
    for (auto _ : state) {
        drawEveryFrame(st->gfx, int(state.range(0)), nullptr, scratch);
        benchmark::DoNotOptimize(scratch.data());
    }
}
BENCHMARK(BM_DrawEveryFrameOnce)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_BuildFrameCache(benchmark::State& state) {
    auto st = busyMap(int(state.range(0)), 0);
    std::vector<std::uint32_t> scratch(58 * 2 * 600);
    std::size_t bytes = 0;
    for (auto _ : state) {
        tiles::FrameCache cache;
        cache.sync(st->gfx, int(state.range(0)));
        drawEveryFrame(st->gfx, int(state.range(0)), &cache, scratch);
        bytes = cache.memoryBytes();
        benchmark::DoNotOptimize(scratch.data());
    }
    state.counters["cache_bytes"] = double(bytes);
}
BENCHMARK(BM_BuildFrameCache)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // the domain view's labels need fonts
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
