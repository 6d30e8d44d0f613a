// The map window on the sample game at 200 %: the repaint after an arrow key
// (the origin moves, then one block copy of the visible part of the map
// picture) and a change of map size (a full redraw at the new zoom). The
// baseline copies the window's pixels out of the picture once with memcpy.
// Then the small sizes: "Fit Map" from 200 % against a change between 100 %
// and 200 %, the idle work that makes the shrunk pictures "Fit Map" shows,
// and scrolling and mouse moves at 25 % against 100 %.
// Then the mouse editing (see BM_AnalysisPassBaseline).
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "core/analysis/analyse_map.h"
#include "core/edit/map_scale.h"
#include "core/edit/objects.h"
#include "core/edit/painting.h"
#include "core/edit/placement.h"
#include "core/model/game_paths.h"
#include "core/model/map_set_io.h"
#include "core/tiles/graphics_commands.h"
#include "core/tiles/graphics_loading.h"
#include "core/tiles/tile_palettes.h"
#include "support/scripted_dialogs.h"
#include "support/test_paths.h"
#include "ui/commands/menu_commands.h"
#include "ui/editor.h"
#include "ui/history_ui.h"

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

// The editor goes before the application does (main), not after it as a
// static would: its windows need the application to close.
std::unique_ptr<SampleEditor>& sampleSlot() {
    static std::unique_ptr<SampleEditor> editor;
    return editor;
}

SampleEditor& sample() {
    std::unique_ptr<SampleEditor>& editor = sampleSlot();
    if (!editor) editor = std::make_unique<SampleEditor>();
    return *editor;
}

void BM_WindowCopyBaseline(benchmark::State& state) {
    render::MapRenderer& picture = sample().ed.renderer();
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
    ui::Editor& ed = sample().ed;
    ui::Tmapform& map = ed.mapForm();
    ui::changeMapSize(ed, int(state.range(0)));
    map.scrollTo(20, 20);
    map.mapbox()->repaint();
    bool down = true;
    for (auto _ : state) {
        map.handleKey(down ? Qt::Key_Down : Qt::Key_Up);
        map.mapbox()->repaint();
        down = !down;
    }
    ui::changeZoom(ed, 2);
}
// 200 %, 100 % and 25 %.
BENCHMARK(BM_ScrollRepaint)->Arg(8)->Arg(4)->Arg(1)->Unit(benchmark::kMillisecond);

// The view a benchmark runs in: the map (0) or the traders' routes (1),
// which is drawn whole at any size.
void chooseView(ui::Editor& ed, bool traders) {
    ed.mainForm()
        .mainMenu()
        .action(QString::fromLatin1(traders ? "M_TraderAll" : "M_Map"))
        ->trigger();
}

void BM_ZoomChange(benchmark::State& state) {
    ui::Editor& ed = sample().ed;
    const int zoom = int(state.range(0));
    chooseView(ed, state.range(1) == 1);
    for (auto _ : state) {
        state.PauseTiming();
        ui::changeZoom(ed, 3 - zoom);
        state.ResumeTiming();
        ui::changeZoom(ed, zoom);
        ed.mapForm().mapbox()->repaint();
    }
    ui::changeZoom(ed, 2);
    chooseView(ed, false);
}
BENCHMARK(BM_ZoomChange)
    ->ArgNames({"zoom", "traders"})
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({1, 1})
    ->Args({2, 1})
    ->Unit(benchmark::kMillisecond);

// Lets the event loop run until the renderer's idle work is done, as when
// the user looks at the map for a moment.
void finishIdleWork(ui::Editor& ed) {
    for (int i = 0; i < 1000 && !ed.renderer().shrunkComplete(); ++i) QApplication::processEvents();
}

// "Fit Map" chosen at 200 % a moment after the map was shown there (the
// shrunk pictures made in idle time meanwhile).
void BM_FitMapChange(benchmark::State& state) {
    ui::Editor& ed = sample().ed;
    QAction* fit = ed.mainForm().mainMenu().action(QStringLiteral("M_ZoomFit"));
    chooseView(ed, state.range(0) == 1);
    ed.renderer().redrawMap();
    for (auto _ : state) {
        state.PauseTiming();
        ui::changeZoom(ed, 2);
        ed.mapForm().mapbox()->repaint();
        finishIdleWork(ed);
        state.ResumeTiming();
        fit->trigger();
        ed.mapForm().mapbox()->repaint();
    }
    ui::changeZoom(ed, 2);
    chooseView(ed, false);
}
BENCHMARK(BM_FitMapChange)->ArgName("traders")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The idle work after a full redraw: all of it (64 chunks of the zoom-1
// picture drawn and shrunk) and its first step alone, the longest the event
// loop waits for it.
void BM_ShrunkIdleWork(benchmark::State& state) {
    render::MapRenderer& renderer = sample().ed.renderer();
    const bool all = state.range(0) == 0;
    for (auto _ : state) {
        state.PauseTiming();
        renderer.redrawMap();
        state.ResumeTiming();
        if (all)
            while (renderer.makeShrunkInIdle(render::MapRenderer::kShrunkChunksPerIdleStep)) {
            }
        else
            renderer.makeShrunkInIdle(render::MapRenderer::kShrunkChunksPerIdleStep);
    }
    finishIdleWork(sample().ed);
}
BENCHMARK(BM_ShrunkIdleWork)
    ->ArgName("first_step_only")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// Mouse moves between two cells with the town chosen ("Maptiles"): the
// status bar's cell, the cursor preview and the lines to the closest towns
// follow; the moves are timed until the window has painted.
void BM_MouseMove(benchmark::State& state) {
    ui::Editor& ed = sample().ed;
    ui::Tmapform& map = ed.mapForm();
    ui::changeMapSize(ed, int(state.range(0)));
    map.scrollTo(16, 16);
    ed.editing().chooseEditType(ui::kMaptilesEdit);
    ed.selectTile(tiles::kBuildingPalette, tiles::kTownIndex);
    QApplication::processEvents();
    bool far = false;
    for (auto _ : state) {
        const QPointF at = map.windowView().centre(far ? 30 : 29, 31);
        QMouseEvent move(QEvent::MouseMove, at, map.mapbox()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(map.mapbox(), &move);
        QApplication::processEvents();
        far = !far;
    }
    ui::changeZoom(ed, 2);
}
// 100 % and 25 %.
BENCHMARK(BM_MouseMove)->Arg(4)->Arg(1)->Unit(benchmark::kMillisecond);

// The editing benchmarks: the analysis pass alone is the baseline of a click
// that places a town and of a brush click (each from the mouse event to the
// repainted map window), and of a "Pathfinding" mouse move (one trace and the
// selection layer's repaint).
void BM_AnalysisPassBaseline(benchmark::State& state) {
    EditorState& st = sample().ed.state();
    for (auto _ : state) {
        AnalyseMap(st);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_AnalysisPassBaseline)->Unit(benchmark::kMillisecond);

// A 2 x 2 block of plain grassland inside one domain (domain d, or any when
// d is 0) at least three cells from avoid: where a town may go.
QPoint freeTownPlace(const EditorState& st, int d = 0, QPoint avoid = {-9, -9}) {
    const WorkingPlanes& p = st.planes;
    for (int y = 8; y < kGrid - 8; ++y)
        for (int x = 8; x < kGrid - 8; ++x) {
            bool plain = std::max(std::abs(x - avoid.x()), std::abs(y - avoid.y())) > 2;
            for (int k = 0; k < 4; ++k) {
                const int cx = x + k % 2, cy = y + k / 2;
                plain = plain && p.M0.at(cx, cy) == 0 && p.M1.at(cx, cy) == 0 &&
                        p.M5.at(cx, cy) == p.M5.at(x, y);
            }
            const int here = p.M5.at(x, y);
            if (plain && here >= 1 && here <= kMaxDomain && (d == 0 || here == d)) return {x, y};
        }
    return {-1, -1};
}

// Clicks cell c of the map window as the mouse does and waits for the
// repaint; with release, the button goes up too (which ends a brush stroke
// and records its step).
void clickCell(ui::Tmapform& map, QPoint c, bool release = false) {
    const QPointF at = map.windowView().centre(c.x(), c.y());
    QMouseEvent press(QEvent::MouseButtonPress, at, map.mapbox()->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(map.mapbox(), &press);
    if (release) {
        QMouseEvent up(QEvent::MouseButtonRelease, at, map.mapbox()->mapToGlobal(at),
                       Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(map.mapbox(), &up);
    }
    map.mapbox()->repaint();
}

void moveOver(ui::Tmapform& map, QPoint c) {
    const QPointF at = map.windowView().centre(c.x(), c.y());
    QMouseEvent move(QEvent::MouseMove, at, map.mapbox()->mapToGlobal(at), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(map.mapbox(), &move);
}

// Times clicks on cell c in edit type editType; the edit is undone (untimed)
// after each, so that every click changes the same map. The first click must
// leave the mark it is expected to make.
void timeClicks(benchmark::State& state, int editType, QPoint c, std::uint8_t flagsAtC,
                bool release = false) {
    ui::Editor& ed = sample().ed;
    ui::Tmapform& map = ed.mapForm();
    ed.editing().chooseEditType(editType);
    map.scrollTo(std::max(c.x() - 8, 0), std::max(c.y() - 8, 0));
    clickCell(map, c, release);
    if (ed.state().planes.M0.at(c.x(), c.y()) != flagsAtC)
        return state.SkipWithError("the click did not edit the cell");
    ed.editing().undo();
    for (auto _ : state) {
        clickCell(map, c, release);
        state.PauseTiming();
        ed.editing().undo();
        state.ResumeTiming();
    }
}

// The first town of a domain: the domain's town is taken off (untimed) first.
void BM_TownClick(benchmark::State& state) {
    ui::Editor& ed = sample().ed;
    EditorState& st = ed.state();
    const QPoint c = freeTownPlace(st);
    if (c.x() < 0) return state.SkipWithError("no place for a town on the sample map");
    const Acounty& county = st.CountyTable[st.planes.M5.at(c.x(), c.y())];
    if (county.towns > 0) clearObjectAt(st, county.townPos.x, county.townPos.y);
    ed.renderer().redrawMap();
    ed.selectTile(tiles::kBuildingPalette, tiles::kTownIndex);
    timeClicks(state, ui::kMaptilesEdit, c, flags::kTown);
}
BENCHMARK(BM_TownClick)->Unit(benchmark::kMillisecond);

// A town that replaces the domain's town after the question (answered Yes):
// the old town's place is painted again with the whole picture.
void BM_TownReplacingClick(benchmark::State& state) {
    ui::Editor& ed = sample().ed;
    EditorState& st = ed.state();
    sample().prompt.setAnswer(true);
    const QPoint first = freeTownPlace(st);
    const QPoint c = freeTownPlace(st, st.planes.M5.at(first.x(), first.y()), first);
    if (c.x() < 0) return state.SkipWithError("no place for two towns on the sample map");
    placeTile(st, sample().prompt, first.x(), first.y(), tiles::kTownIndex, 2, TileKind::Buildings);
    ed.renderer().redrawMap();
    ed.selectTile(tiles::kBuildingPalette, tiles::kTownIndex);
    timeClicks(state, ui::kMaptilesEdit, c, flags::kTown);
}
BENCHMARK(BM_TownReplacingClick)->Unit(benchmark::kMillisecond);

void BM_ForestBrushClick(benchmark::State& state) {
    ui::Editor& ed = sample().ed;
    BrushMask full;
    full.cells.fill(1);
    ed.setBrush(full);
    ed.mainForm().rd_brushfill->setItemIndex(int(BrushFill::Forest));
    if (state.range(1) != kDoubleSize) ui::changeMapSize(ed, int(state.range(1)));
    // Without the release the stroke's step is recorded by the untimed undo;
    // with it, the timed click records it.
    timeClicks(state, ui::kBrushesEdit, {24, 24}, flags::kUnpassable, state.range(0) == 1);
    ui::changeZoom(ed, 2);
}
// At 200 %, and at 25 % (where the shrunk picture is made again).
BENCHMARK(BM_ForestBrushClick)
    ->ArgNames({"release", "size"})
    ->Args({0, kDoubleSize})
    ->Args({1, kDoubleSize})
    ->Args({0, kQuarterSize})
    ->Unit(benchmark::kMillisecond);

// Undo (redo 0) and redo (redo 1) of the town click of BM_TownClick, each
// with the repaint of the map window; the other direction is untimed.
void BM_TownClickUndoRedo(benchmark::State& state) {
    ui::Editor& ed = sample().ed;
    EditorState& st = ed.state();
    const QPoint c = freeTownPlace(st);
    if (c.x() < 0) return state.SkipWithError("no place for a town on the sample map");
    const Acounty& county = st.CountyTable[st.planes.M5.at(c.x(), c.y())];
    if (county.towns > 0) clearObjectAt(st, county.townPos.x, county.townPos.y);
    ed.renderer().redrawMap();
    ed.selectTile(tiles::kBuildingPalette, tiles::kTownIndex);
    ed.editing().chooseEditType(ui::kMaptilesEdit);
    ui::Tmapform& map = ed.mapForm();
    map.scrollTo(std::max(c.x() - 8, 0), std::max(c.y() - 8, 0));
    clickCell(map, c, true);
    if (st.planes.M0.at(c.x(), c.y()) != flags::kTown)
        return state.SkipWithError("the click did not edit the cell");
    const bool redo = state.range(0) == 1;
    ui::EditHistoryUi& history = ed.history();
    if (redo) history.undo();
    map.mapbox()->repaint();
    for (auto _ : state) {
        if (redo)
            history.redo();
        else
            history.undo();
        map.mapbox()->repaint();
        state.PauseTiming();
        if (redo)
            history.undo();
        else
            history.redo();
        map.mapbox()->repaint();
        state.ResumeTiming();
    }
    if (!redo) history.undo();
}
BENCHMARK(BM_TownClickUndoRedo)->ArgName("redo")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PathfindingMove(benchmark::State& state) {
    ui::Editor& ed = sample().ed;
    ui::Tmapform& map = ed.mapForm();
    ed.editing().chooseEditType(ui::kPathEdit);
    map.scrollTo(16, 16);
    clickCell(map, {24, 24});
    bool far = false;
    for (auto _ : state) {
        moveOver(map, far ? QPoint(36, 31) : QPoint(35, 31));
        map.selectControl()->repaint();
        far = !far;
    }
    clickCell(map, {24, 24});
    clickCell(map, {24, 24});
}
BENCHMARK(BM_PathfindingMove)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    sampleSlot().reset();
    return 0;
}
