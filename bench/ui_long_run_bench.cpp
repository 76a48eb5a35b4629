// A long, dense run in the window (offscreen, "Mirvok results" open): a
// train of about 10,000,000 spikes (time 5,000,000 ms, isi 0.5, CV 0.5)
// drawn by GammaGen!, then Count! with every display painted, and a redraw
// after it; the memory the window takes beyond the run's own state.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>
#include <cstring>
#include <memory>

#include "model/sim_state.hpp"
#include "random/random_source.hpp"
#include "ui/dialogs/scripted/scripted_dialogs.hpp"
#include "ui/tform1.hpp"

using namespace mirvok;

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "ui_long_run_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *instance;
}

// A line of /proc/self/status in MB: VmRSS now, VmHWM the peak.
double statusMb(const char* key) {
    FILE* file = std::fopen("/proc/self/status", "r");
    if (!file) return 0.0;
    char line[256];
    double kb = 0.0;
    while (std::fgets(line, sizeof line, file))
        if (std::strncmp(line, key, std::strlen(key)) == 0) kb = std::atof(line + std::strlen(key));
    std::fclose(file);
    return kb / 1024.0;
}

template <class T>
double bytesOf(const std::vector<T>& v) {
    return static_cast<double>(v.capacity() * sizeof(T));
}

// What the run holds in its state: trains, traces, local CVs.
double stateMb(const SimState& s) {
    return (bytesOf(s.loadedTrain) + bytesOf(s.inTrain) + bytesOf(s.outTrain) +
            bytesOf(s.inSpikeSteps) + bytesOf(s.outSpikeSteps) + bytesOf(s.V1trace) +
            bytesOf(s.V2trace) + bytesOf(s.spikeVari)) /
           (1024.0 * 1024.0);
}

struct LongRun {
    SimState state;
    Pcg31 random{1};
    ui::ScriptedDialogs dialogs;
    ui::TForm1 form{state, random, dialogs};

    LongRun() {
        form.show();
        form.ui().TimeEdit->setText(QStringLiteral("5000000"));
        form.ui().isi->setText(QStringLiteral("0.5"));
        form.ui().CVedit->setText(QStringLiteral("0.5"));
        form.ui().ResultsButton->click();
        form.ui().GammaButton->click();
        app().processEvents();
    }
};

// Count! and the painting of both windows after it; the memory counters
// are the growth over the train's drawing, beyond the state's own.
void count_10m_spikes(benchmark::State& st) {
    app();
    LongRun run;
    const double rssBefore = statusMb("VmRSS:");
    const double peakBefore = statusMb("VmHWM:");
    const double stateBefore = stateMb(run.state);
    for (auto _ : st) {
        run.form.ui().DoTest->click();
        app().processEvents();
    }
    const double stateGrowth = stateMb(run.state) - stateBefore;
    st.counters["spikes"] = static_cast<double>(run.state.inSpikeSteps.size());
    st.counters["state_MB"] = stateGrowth;
    st.counters["beyond_state_MB"] = statusMb("VmRSS:") - rssBefore - stateGrowth;
    st.counters["peak_beyond_state_MB"] = statusMb("VmHWM:") - peakBefore - stateGrowth;
    if (!run.dialogs.messages.isEmpty() || run.state.curStep != run.state.Nsteps)
        st.SkipWithError("the run did not complete");
}
BENCHMARK(count_10m_spikes)->Unit(benchmark::kMillisecond)->Iterations(1);

// redrawDisplays after that Count!, with the windows painted.
void redraw_after_10m_spike_count(benchmark::State& st) {
    app();
    LongRun run;
    run.form.ui().DoTest->click();
    app().processEvents();
    for (auto _ : st) {
        run.form.redrawDisplays();
        app().processEvents();
    }
}
BENCHMARK(redraw_after_10m_spike_count)->Unit(benchmark::kMillisecond);

}  // namespace
