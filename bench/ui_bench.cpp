// The map window on the sample game at 200 %: the repaint after an arrow key
// (the origin moves, then one block copy of the visible part of the map
// picture) and a change of map size (a full redraw at the new zoom). The
// baseline copies the window's pixels out of the picture once with memcpy.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "core/model/game_paths.h"
#include "core/model/map_set_io.h"
#include "core/tiles/graphics_commands.h"
#include "core/tiles/graphics_loading.h"
#include "support/scripted_dialogs.h"
#include "ui/editor.h"
#include "ui/menu_commands.h"

namespace {

using namespace d7;

struct SampleEditor {
    ScriptedPrompt prompt{false};
    test::ScriptedFileDialogs dialogs;
    ui::Editor ed{prompt, dialogs, std::filesystem::temp_directory_path()};

    SampleEditor() {
        EditorState& st = ed.state();
        st.gameDir = D7_SAMPLE_DIR;
        st.pl8Dir = defaultPl8Dir(st.gameDir);
        tiles::loadDefaultPalette(st);
        loadMapSet(st, st.gameDir);
        ed.showLoadedMapSet();
        tiles::loadTilesets(st.gfx, st.pl8Dir, 0);
        ed.renderer().redrawMap();
        ed.mapForm().show();
        QApplication::processEvents();
    }
};

SampleEditor& sample() {
    static SampleEditor editor;
    return editor;
}

void BM_WindowCopyBaseline(benchmark::State& state) {
    const render::MapRenderer& picture = sample().ed.renderer();
    const int w = ui::Tmapform::kClientWidth, h = ui::Tmapform::kClientHeight;
    std::vector<std::uint32_t> window(std::size_t(w) * h);
    const std::uint32_t* source = picture.pixels().data() + 1000 + 1000 * picture.width();
    for (auto _ : state) {
        for (int y = 0; y < h; ++y)
            std::memcpy(&window[std::size_t(y) * w], source + std::ptrdiff_t(y) * picture.width(),
                        std::size_t(w) * 4);
        benchmark::DoNotOptimize(window.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WindowCopyBaseline)->Unit(benchmark::kMillisecond);

void BM_ScrollRepaint(benchmark::State& state) {
    ui::Tmapform& map = sample().ed.mapForm();
    map.scrollTo(20, 20);
    bool down = true;
    for (auto _ : state) {
        map.handleKey(down ? Qt::Key_Down : Qt::Key_Up);
        map.mapbox()->repaint();
        down = !down;
    }
}
BENCHMARK(BM_ScrollRepaint)->Unit(benchmark::kMillisecond);

void BM_ZoomChange(benchmark::State& state) {
    ui::Editor& ed = sample().ed;
    const int zoom = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        ui::changeZoom(ed, 3 - zoom);
        state.ResumeTiming();
        ui::changeZoom(ed, zoom);
        ed.mapForm().mapbox()->repaint();
    }
    ui::changeZoom(ed, 2);
}
BENCHMARK(BM_ZoomChange)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
