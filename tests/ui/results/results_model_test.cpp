// The results view: its model fed batches and runs, the interval histogram
// and the counts a gamma train should give, the axes, the window's feeding
// after a batch and a Count!, what the charts' series are handed, and saving
// a chart.
#include "ui/results/results_model.hpp"

#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QValueAxis>
#include <QtCharts/QXYSeries>
#include <QtTest>
#include <cmath>

#include "batch/batch_iteration.hpp"
#include "random/random_source.hpp"
#include "trains/gamma_generator.hpp"
#include "ui/results/interval_law.hpp"
#include "ui/results/results_window.hpp"
#include "ui/results/verify_row.hpp"
#include "window_fixture.hpp"

using namespace mirvok;
using namespace mirvok::ui;
using Series = ResultsModel::Series;

namespace {

std::vector<BatchPoint> points(int n, double q) {
    std::vector<BatchPoint> out;
    for (int i = 0; i < n; ++i) out.push_back({0.01 * i, q, -q});
    return out;
}

// A run of n input spikes with a local CV at each.
SimState run(int n) {
    SimState s;
    for (int e = 0; e < n; ++e) {
        s.inSpikeSteps.push_back(40 * e + e % 7);
        s.spikeVari.push_back(0.5 + 0.01 * (e % 5));
    }
    s.Nsteps = 40 * n;
    return s;
}

// A Count! of the run: every spike ends a window.
void count(ResultsModel& model, const SimState& run, double c0) {
    model.setRun(run, {0, run.spikeVari}, c0);
}

double sum(const std::vector<double>& values) {
    double total = 0.0;
    for (double v : values) total += v;
    return total;
}

}  // namespace

class ResultsModelTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    // A large batch is thinned for the scatter; its means cover every record.
    void results_model_follows_two_batches() {
        ResultsModel model;
        QVERIFY(model.empty(ResultsModel::Chart::Batch));
        model.setBatch(points(25000, 0.5));
        QVERIFY(model.points(Series::Q).size() <= 10000 && model.points(Series::Q).size() > 8000);
        QCOMPARE(model.data().batchRuns, 25000);
        QCOMPARE(model.points(Series::MeanQ).front().y(), 0.5);
        model.setBatch(points(3, 0.25));
        QCOMPARE(model.points(Series::Q).size(), 3);
        QCOMPARE(model.points(Series::MeanScore).back().y(), -0.25);
        QVERIFY(
            model.csv(ResultsModel::Chart::Batch).startsWith("input_cv,q,score\n0,0.25,-0.25\n"));
    }

    // Intervals are whole steps (0 included): bins hold whole steps, their
    // edges half a step below each bin's first, none below 0.
    void interval_bins_hold_whole_steps_and_start_at_0_at_the_lowest() {
        struct Case {
            std::vector<int> spikes;
            int firstStep, stepsPerBin;
            std::vector<double> counts;
            double firstEdgeMs, secondEdgeMs;
        };
        const Case cases[] = {
            {{5, 5, 6, 8, 11, 15}, 0, 2, {2, 2, 1}, 0.0, 0.75},            // 0, 1, 2, 3, 4 steps
            {{0, 39, 79, 119, 160, 199}, 39, 1, {2, 2, 1}, 19.25, 19.75},  // 39, 40, 41
        };
        for (const Case& c : cases) {
            const IntervalHistogram h = intervalHistogram(c.spikes);
            QCOMPARE(h.firstStep, c.firstStep);
            QCOMPARE(h.stepsPerBin, c.stepsPerBin);
            QCOMPARE(h.counts, c.counts);
            QCOMPARE(binEdgeMs(h, 0), c.firstEdgeMs);
            QCOMPARE(binEdgeMs(h, 1), c.secondEdgeMs);
        }
    }

    // At CV 1 the intervals are exponential, mean m steps, and an interval
    // of floor(phase + X) steps, the phase even over a step, is at most k
    // steps with chance 1 - m exp(-k/m) (1 - exp(-1/m)).
    void interval_chances_at_cv_1_are_the_stepped_exponential() {
        const double m = 40.0;  // 20 ms
        for (long long k : {0LL, 1LL, 7LL, 40LL, 200LL}) {
            const double expected = 1.0 - m * std::exp(-k / m) * (1.0 - std::exp(-1.0 / m));
            QVERIFY(std::abs(intervalAtMost(20.0, 1.0, k) - expected) < 1e-12);
        }
        QCOMPARE(intervalAtMost(20.0, 1.0, -1), 0.0);
    }

    // The expected counts are those of the generator's own trains, where a
    // shift by a quarter millisecond or a missing phase would be far off.
    void expected_counts_match_a_generated_train() {
        for (double cv : {0.02, 1.0}) {
            SimState s;
            s.Nsteps = 400000;
            // Drawn in one piece with this CV, an isi of 20 ms and no shift.
            GeneratorSettings settings;
            settings.cv = cv;
            SettingsEntries entries(settings);
            Pcg31 random(11);
            generateTrain(s, entries, random, false);
            const IntervalHistogram h = intervalHistogram(s.inSpikeSteps);
            const std::vector<double> expected = expectedCounts(h, 20.0, 1.0 / (cv * cv));
            QCOMPARE(expected.size(), h.counts.size());
            for (std::size_t i = 0; i < expected.size(); ++i)
                QVERIFY2(std::abs(h.counts[i] - expected[i]) <= 4.0 * std::sqrt(expected[i]) + 2.0,
                         qPrintable(QString("CV %1, bin %2: %3 counted, %4 expected")
                                        .arg(cv)
                                        .arg(i)
                                        .arg(h.counts[i])
                                        .arg(expected[i])));
        }
    }

    // Every axis starts at 0 unless a value lies below it; the local CVs'
    // time runs over the run exactly.
    void axes_start_at_0_and_the_local_cvs_time_is_the_run() {
        using Chart = ResultsModel::Chart;
        ResultsModel model;
        model.setBatch({{0.5, 0.25, 0.75}, {0.7, 0.5, -1.0}});
        count(model, run(30), 0.4);  // 1200 steps: 600 ms
        const ResultsModel::Axes batch = model.axes(Chart::Batch);
        QVERIFY(batch.x.low == 0.0 && batch.y.low == -1.0);
        const ResultsModel::Axes intervals = model.axes(Chart::Intervals);
        QVERIFY(intervals.x.low == 0.0 && intervals.y.low == 0.0);
        const ResultsModel::Axes local = model.axes(Chart::LocalCvs);
        QVERIFY(local.x.low == 0.0 && local.x.high == 600.0 && local.x.exact);
    }

    void results_follow_a_batch_and_a_count() {
        InTempFolder folder;
        Window w;
        w.ui().ntests->setText("5");
        w.ui().All->click();
        const ResultsModel& results = w.form.results();
        QCOMPARE(results.points(Series::Q).size(), 5);
        // The last run is the one shown: its train was generated.
        QCOMPARE(results.data().intervals.intervals, w.state.inSpikeSteps.size() - 1);
        QVERIFY(!results.points(Series::Expected).empty());

        w.ui().ReadButton->click();  // cancelled: the train stays
        w.ui().Range->setText("3");
        w.ui().DoTest->click();
        QCOMPARE(sum(results.data().intervals.counts),
                 static_cast<double>(w.state.inSpikeSteps.size() - 1));
        // Every window, ending at each spike from the fourth on.
        QCOMPARE(results.points(Series::LocalCvs).size(), w.state.inSpikeSteps.size() - 3);
        QCOMPARE(results.points(Series::C0).front().y(), 0.3333);
        QCOMPARE(results.points(Series::Q).size(), 5);  // a Count! leaves the batch
    }

    // Windows of local CV 0 are charted with the others; the list holds
    // only the others.
    void a_regular_train_charts_every_window_and_lists_none() {
        Window w;
        w.loadRegularTrain(1000, 40);
        w.ui().DoTest->click();
        const ResultsModel& results = w.form.results();
        QCOMPARE(results.points(Series::LocalCvs).size(), w.state.inSpikeSteps.size() - 5);
        QVERIFY(!results.empty(ResultsModel::Chart::LocalCvs));
        QCOMPARE(results.points(Series::LocalCvs).front(), QPointF(0.5 * (1 + 5 * 40), 0.0));
        QCOMPARE(w.ui().VariBox->model()->rowCount(), 0);
    }

    // A long run's local CVs are charted as the lowest and highest of each
    // span of its time, each a window of the run.
    void a_long_run_charts_a_bounded_envelope_of_its_windows() {
        SimState s = run(200000);
        LocalWindows windows{3, std::vector<double>(s.spikeVari.begin() + 3, s.spikeVari.end())};
        windows.values[123456] = 9.0;
        const std::vector<XY> series = localCvSeries(windows, s.inSpikeSteps, 0.5 * s.Nsteps);
        QVERIFY(series.size() <= 2 * kLocalCvBins);
        QVERIFY(std::any_of(series.begin(), series.end(), [&](const XY& p) {
            return p.y == 9.0 && p.x == 0.5 * s.inSpikeSteps[3 + 123456];
        }));
        QVERIFY(std::is_sorted(series.begin(), series.end(),
                               [](const XY& a, const XY& b) { return a.x < b.x; }));
    }

    // Each series gets its points in one piece, only when they changed, and
    // a hidden window (closing only hides it) gets nothing until shown.
    void results_window_hands_changed_points_only_while_shown() {
        ResultsModel model;
        ScriptedDialogs dialogs;
        ResultsWindow window(model, dialogs);
        QXYSeries* q = window.series(Series::Q);
        QSignalSpy qHanded(q, &QXYSeries::pointsReplaced);
        model.setBatch(points(100000, 0.5));
        QCOMPARE(q->count(), 0);
        window.show();
        QVERIFY(q->count() <= 10000 && q->count() > 9000);
        QCOMPARE(qHanded.count(), 1);

        count(model, run(300), 0.4);          // a Count!
        model.setBatch(points(100000, 0.5));  // the same batch again
        QCOMPARE(qHanded.count(), 1);
        QCOMPARE(window.series(Series::LocalCvs)->count(), 300);

        window.close();
        model.setBatch(points(3, 0.25));
        count(model, run(20), 0.4);
        QCOMPARE(qHanded.count(), 1);
        QCOMPARE(window.series(Series::LocalCvs)->count(), 300);
        window.show();
        QCOMPARE(q->count(), 3);
        QCOMPARE(window.series(Series::LocalCvs)->count(), 20);
    }

    // The legend names only lines drawn, and nothing moves when a batch's
    // progress first shows.
    void legend_and_buttons_follow_what_is_shown() {
        ResultsModel model;
        ScriptedDialogs dialogs;
        ResultsWindow window(model, dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto expectedInLegend = [&] {
            const QChart* chart = window.view(ResultsModel::Chart::Intervals)->chart();
            return chart->legend()->markers(window.series(Series::Expected)).front()->isVisible();
        };
        SimState generated = run(300);
        generated.trainMeanMs = 20.0;
        generated.trainShape = 1.0;
        model.setTrain(generated);
        QVERIFY(expectedInLegend());
        model.setTrain(run(300));  // read: no law to expect
        QVERIFY(!expectedInLegend());

        const QWidget* verify = window.verifyRow();
        const QPoint before = verify->mapTo(&window, QPoint());
        window.showProgress("3 of 100 runs");
        QApplication::processEvents();
        QCOMPARE(verify->mapTo(&window, QPoint()), before);
    }

    // What the screen shows after a batch rescales the charts is what a
    // fresh drawing of them shows: no trace of the points before.
    void a_rescaled_chart_leaves_no_trace_of_the_points_before() {
        InTempFolder folder;
        Window w;
        w.form.show();
        w.ui().ResultsButton->click();
        auto* window = w.form.findChild<ResultsWindow*>();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        w.ui().ntests->setText("300");
        w.ui().seedEdit->setText("7");
        for (bool quantify : {true, false}) {
            w.ui().quantify->setChecked(quantify);
            w.ui().All->click();
            QTest::qWait(100);
        }
        const QImage screen = window->screen()->grabWindow(window->winId()).toImage();
        for (auto chart : {ResultsModel::Chart::Batch, ResultsModel::Chart::Intervals,
                           ResultsModel::Chart::LocalCvs}) {
            QChartView* view = window->view(chart);
            const QImage shown = screen.copy(QRect(view->mapTo(window, QPoint()), view->size()));
            QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
                     view->grab().toImage().convertToFormat(QImage::Format_RGB32));
        }
    }

    // The time axis ends at the run, not at a rounder number past it, and
    // tick labels carry only the decimals their ticks need.
    void window_axes_show_the_run_and_no_needless_decimals() {
        using Chart = ResultsModel::Chart;
        ResultsModel model;
        ScriptedDialogs dialogs;
        ResultsWindow window(model, dialogs);
        window.show();
        count(model, run(30), 0.4);
        const auto axis = [&](Chart chart, Qt::Orientation orientation) {
            return qobject_cast<QValueAxis*>(window.view(chart)->chart()->axes(orientation)[0]);
        };
        const QValueAxis* time = axis(Chart::LocalCvs, Qt::Horizontal);
        QVERIFY(time->min() == 0.0 && time->max() == 600.0);
        QCOMPARE(time->labelFormat(), "%.0f");
        QCOMPARE(axis(Chart::LocalCvs, Qt::Vertical)->labelFormat(), "%.1f");
        QCOMPARE(axis(Chart::Intervals, Qt::Vertical)->labelFormat(), "%.0f");
    }

    void save_image_writes_png_or_svg_and_reports_an_unwritable_path_once() {
        ResultsModel model;
        model.setBatch(points(10, 0.5));
        ScriptedDialogs dialogs;
        ResultsWindow window(model, dialogs);
        QTemporaryDir dir;
        QVERIFY(window.saveImage(ResultsModel::Chart::Batch, dir.filePath("a.png")));
        QVERIFY(window.saveImage(ResultsModel::Chart::Batch, dir.filePath("a.svg")));
        QFile png(dir.filePath("a.png")), svg(dir.filePath("a.svg"));
        QVERIFY(png.open(QIODevice::ReadOnly) && png.read(4) == "\x89PNG");
        QVERIFY(svg.open(QIODevice::ReadOnly) && svg.readAll().contains("<svg"));
        QVERIFY(dialogs.messages.isEmpty());

        const QString bad = dir.filePath("no/such/folder/a.png");
        QVERIFY(!window.saveImage(ResultsModel::Chart::Intervals, bad));
        QCOMPARE(dialogs.messages, QStringList{"Could not write the file " + bad});
    }
};

QTEST_MAIN(ResultsModelTest)
#include "results_model_test.moc"
