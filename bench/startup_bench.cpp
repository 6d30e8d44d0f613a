// The editor's start-up (configuration, word list, map set, graphics, every
// window filled and shown) on a copy of the sample game whose language file
// holds hostile names: one map name of 20 MB or 50 MB, or an entry of
// 2,000,000 map names. The baseline starts on the sample game itself. Each
// run reports the peak memory of the process during the start-up (counter
// peak_MB); the editor should start in under 2 s and 300 MB.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/startup.h"
#include "core/model/file_io.h"
#include "core/model/language_file.h"
#include "core/model/map_layout.h"
#include "core/model/map_set_io.h"
#include "support/map_builder.h"
#include "support/scripted_dialogs.h"
#include "support/test_paths.h"
#include "ui/editor.h"

namespace {

using namespace d7;

// Peak resident memory in MB since the last reset.
double peakMegabytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The sample game with its language file replaced: kind 0 the sample's own,
// else map name 0 of that many MB, or (kind < 0) 2,000,000 map names.
struct HostileGame {
    test::TempDir dir;
    explicit HostileGame(int kind) {
        const fs::path sample = D7_SAMPLE_DIR;
        for (const auto& entry : fs::directory_iterator(sample))
            fs::create_symlink(entry.path(), dir / entry.path().filename().string());
        if (kind == 0) return;
        auto st = test::loadTestMapSet(sample);
        fs::remove(dir / "K7.ENG");
        if (kind > 0) {
            st->mapNames[0] = std::string(std::size_t(kind) * 1024 * 1024, 'N');
        } else {
            st->mapNames.resize(2000000);
            for (std::size_t k = 60; k < st->mapNames.size(); ++k) st->mapNames[k] = "Name";
        }
        writeNameEntry(st->langStream, kMapNamesEntry, st->mapNames);
        writeFileAtomic(dir / "K7.ENG", st->langStream);
    }
};

void BM_StartUp(benchmark::State& state) {
    HostileGame game(int(state.range(0)));
    test::TempDir home;
    double peak = 0;
    for (auto _ : state) {
        resetPeak();
        {
            ScriptedPrompt prompt{false};
            test::ScriptedFileDialogs dialogs;
            ui::Editor ed(prompt, dialogs, home.path());
            app::runStartup(ed, {home.path(), home.path(), game.dir.path().string()});
            QApplication::processEvents();
            if (!prompt.messages.empty()) state.SkipWithError(prompt.messages[0].second.c_str());
        }
        peak = std::max(peak, peakMegabytes());
    }
    state.counters["peak_MB"] = peak;
}
BENCHMARK(BM_StartUp)
    ->ArgName("name_MB")
    ->Arg(0)
    ->Arg(20)
    ->Arg(50)
    ->Arg(-1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
