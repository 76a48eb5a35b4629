// The results window's update after a batch of 100,000 records and after a
// Count! of 10,000 spikes (offscreen; painting, which waits for the event
// loop, is not timed): the model's update alone, the series' replace alone,
// both through a shown window, both with the window closed, a closed window
// shown again; and Count! clicked in the main window with the results open
// or closed.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtCharts/QXYSeries>

#include "model/sim_state.hpp"
#include "random/random_source.hpp"
#include "ui/dialogs/scripted/scripted_dialogs.hpp"
#include "ui/results/results_model.hpp"
#include "ui/results/results_window.hpp"
#include "ui/tform1.hpp"

using namespace mirvok;
using namespace mirvok::ui;
using Series = ResultsModel::Series;

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "ui_results_bench";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's input devices outlive exit handlers badly.
    static QApplication* instance = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *instance;
}

// Two different batches and runs, so every update changes the points.
std::vector<BatchPoint> records(std::int64_t n, double shift) {
    std::vector<BatchPoint> out;
    for (std::int64_t i = 0; i < n; ++i) {
        const double cv = 0.2 + 0.8 * static_cast<double>(i % 997) / 997.0;
        out.push_back({cv, 0.5 + 0.3 * cv + shift, -cv - shift});
    }
    return out;
}

SimState runOf(std::int64_t spikes, int shift) {
    SimState s;
    s.trainMeanMs = 20.0;
    s.trainShape = 1.0;
    for (std::int64_t e = 0; e < spikes; ++e) {
        s.inSpikeSteps.push_back(static_cast<int>(40 * e + (e * 7 + shift) % 30));
        s.spikeVari.push_back(e < 5 ? 0.0 : 0.5 + 0.4 * static_cast<double>(e % 13) / 13.0);
    }
    s.Nsteps = static_cast<int>(40 * spikes + 40);  // one run length, as one "time" gives
    return s;
}

struct Batch {
    std::vector<BatchPoint> a, b;
    explicit Batch(std::int64_t n) : a(records(n, 0.0)), b(records(n, 0.01)) {}
    void feed(ResultsModel& model, bool first) const { model.setBatch(first ? a : b); }
    static constexpr Series kSeries[] = {Series::Q, Series::Score, Series::MeanQ,
                                         Series::MeanScore};
};

struct Run {
    SimState a, b;
    explicit Run(std::int64_t n) : a(runOf(n, 0)), b(runOf(n, 1)) {}
    void feed(ResultsModel& model, bool first) const {
        const SimState& s = first ? a : b;
        model.setRun(s, {0, s.spikeVari}, 0.3);
    }
    static constexpr Series kSeries[] = {Series::Histogram, Series::Expected, Series::LocalCvs,
                                         Series::C0};
};

template <class Update>
void BM_model(benchmark::State& st) {
    app();
    ResultsModel model;
    const Update update(st.range(0));
    bool first = false;
    for (auto _ : st) update.feed(model, first = !first);
}

// The series get prepared points from two models in turn.
template <class Update>
void BM_replace(benchmark::State& st) {
    app();
    ResultsModel models[2];
    const Update update(st.range(0));
    update.feed(models[0], true);
    update.feed(models[1], false);
    ScriptedDialogs dialogs;
    ResultsWindow window(models[0], dialogs);
    window.show();
    app().processEvents();
    int which = 0;
    for (auto _ : st) {
        which = 1 - which;
        for (Series s : Update::kSeries) window.series(s)->replace(models[which].points(s));
        st.PauseTiming();
        app().processEvents();
        st.ResumeTiming();
    }
}

// The model's update as the main window makes it, with the results window
// shown (model, replace, axes) or closed.
template <class Update>
void BM_window(benchmark::State& st, bool shown) {
    app();
    ResultsModel model;
    ScriptedDialogs dialogs;
    ResultsWindow window(model, dialogs);
    window.show();
    app().processEvents();
    if (!shown) window.close();
    const Update update(st.range(0));
    bool first = false;
    for (auto _ : st) {
        update.feed(model, first = !first);
        st.PauseTiming();
        app().processEvents();
        st.ResumeTiming();
    }
}

void window_shown_batch(benchmark::State& st) {
    BM_window<Batch>(st, true);
}
void window_shown_count(benchmark::State& st) {
    BM_window<Run>(st, true);
}
void window_closed_batch(benchmark::State& st) {
    BM_window<Batch>(st, false);
}
void window_closed_count(benchmark::State& st) {
    BM_window<Run>(st, false);
}

// A closed window shown again after the model changed: it catches up.
template <class Update>
void BM_reopen(benchmark::State& st) {
    app();
    ResultsModel model;
    ScriptedDialogs dialogs;
    ResultsWindow window(model, dialogs);
    const Update update(st.range(0));
    bool first = false;
    for (auto _ : st) {
        st.PauseTiming();
        update.feed(model, first = !first);
        st.ResumeTiming();
        window.show();
        st.PauseTiming();
        app().processEvents();
        window.close();
        app().processEvents();
        st.ResumeTiming();
    }
}

constexpr std::int64_t kRecords = 100'000;
constexpr std::int64_t kSpikes = 10'000;
BENCHMARK(BM_model<Batch>)->Name("model_batch")->Arg(kRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_model<Run>)->Name("model_count")->Arg(kSpikes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_replace<Batch>)->Name("replace_batch")->Arg(kRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_replace<Run>)->Name("replace_count")->Arg(kSpikes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_reopen<Batch>)->Name("reopen_batch")->Arg(kRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_reopen<Run>)->Name("reopen_count")->Arg(kSpikes)->Unit(benchmark::kMillisecond);
BENCHMARK(window_shown_batch)->Arg(kRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(window_shown_count)->Arg(kSpikes)->Unit(benchmark::kMillisecond);
BENCHMARK(window_closed_batch)->Arg(kRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(window_closed_count)->Arg(kSpikes)->Unit(benchmark::kMillisecond);

// Count! in the main window over 100,000 ms (5,000 input spikes), with
// "Mirvok results" open or closed after being opened; painting not timed.
void count_click(benchmark::State& st, bool open) {
    app();
    SimState state;
    Pcg31 random{1};
    ScriptedDialogs dialogs;
    TForm1 form{state, random, dialogs};
    form.show();
    const int ms = 100'000;
    form.ui().TimeEdit->setText(QString::number(ms));
    state.inTrain.assign(static_cast<size_t>(2 * ms), 0);
    // Irregular intervals of 40 steps on average, so the run has local CVs.
    for (int k = 40, e = 0; k < 2 * ms; k += 10 + (e++ * 7919) % 61) {
        state.inTrain[static_cast<size_t>(k)] = 1;
        state.inSpikeSteps.push_back(k);
    }
    form.ui().ResultsButton->click();
    app().processEvents();
    auto* results = form.findChild<ResultsWindow*>();
    if (!open) results->close();
    app().processEvents();
    for (auto _ : st) {
        form.ui().DoTest->click();
        st.PauseTiming();
        app().processEvents();
        st.ResumeTiming();
    }
    if (!dialogs.messages.isEmpty()) st.SkipWithError("the run failed");
}
void count_click_results_open(benchmark::State& st) {
    count_click(st, true);
}
void count_click_results_closed(benchmark::State& st) {
    count_click(st, false);
}
BENCHMARK(count_click_results_open)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(count_click_results_closed)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
