// The window with Qt in the loop (offscreen): Count! over a long run end to
// end, one redraw after it, and a watched run at the fastest speed.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "model/sim_state.hpp"
#include "random/random_source.hpp"
#include "ui/dialogs/scripted/scripted_dialogs.hpp"
#include "ui/tform1.hpp"

using namespace mirvok;

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "ui_bench";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> instance = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *instance;
}

struct Window {
    SimState state;
    Pcg31 random{1};
    ui::ScriptedDialogs dialogs;
    ui::TForm1 form{state, random, dialogs};

    // A train with a spike every 40 steps, as the default generator gives on average.
    explicit Window(int ms) {
        form.show();
        form.ui().TimeEdit->setText(QString::number(ms));
        const int nsteps = 2 * ms;
        state.inTrain.assign(static_cast<size_t>(nsteps), 0);
        for (int k = 40; k < nsteps; k += 40) {
            state.inTrain[static_cast<size_t>(k)] = 1;
            state.inSpikeSteps.push_back(k);
        }
    }
};

void BM_count_click(benchmark::State& st) {
    app();
    Window w(static_cast<int>(st.range(0)) / 2);
    for (auto _ : st) {
        w.form.ui().DoTest->click();
        benchmark::DoNotOptimize(w.form.windowState().results.analysisResult);
    }
    if (!w.dialogs.messages.isEmpty() || w.state.curStep != st.range(0))
        st.SkipWithError("the run did not complete");
}
BENCHMARK(BM_count_click)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_redraw_after_run(benchmark::State& st) {
    app();
    Window w(static_cast<int>(st.range(0)) / 2);
    w.form.ui().DoTest->click();
    for (auto _ : st) w.form.redrawDisplays();
}
BENCHMARK(BM_redraw_after_run)
    ->Arg(2'000)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond);

// Simulate! over 1000 ms (2000 steps, one per 1 ms tick, each redrawn); the
// wall time includes the instant run that comes first.
void BM_continuous_run_speed_1(benchmark::State& st) {
    app();
    Window w(1000);
    for (auto _ : st) {
        w.form.ui().SimulateButton->click();
        while (w.form.Timer1().isActive()) app().processEvents(QEventLoop::WaitForMoreEvents);
    }
    if (w.state.curStep != 2000) st.SkipWithError("the run did not complete");
}
BENCHMARK(BM_continuous_run_speed_1)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

}  // namespace
