// The results view: its model fed batches and runs, the window's feeding
// after a batch and a Count!, what the charts' series are handed, and saving
// a chart.
#include "ui/results/results_model.hpp"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtCharts/QXYSeries>
#include <QtTest>

#include "ui/results/results_window.hpp"
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

    void results_follow_a_batch_and_a_count() {
        InTempFolder folder;
        Window w;
        w.ui().ntests->setText("5");
        w.ui().All->click();
        const ResultsModel& results = w.form.results();
        QCOMPARE(results.points(Series::Q).size(), 5);
        // The last run is the one shown: its train was generated.
        QCOMPARE(results.data().intervals.intervals, w.state.inSpikeSteps.size() - 1);
        QVERIFY(!results.points(Series::Density).empty());

        w.ui().ReadButton->click();  // cancelled: the train stays
        w.ui().Range->setText("3");
        w.ui().DoTest->click();
        QCOMPARE(sum(results.data().intervals.counts),
                 static_cast<double>(w.state.inSpikeSteps.size() - 1));
        QCOMPARE(results.points(Series::LocalCvs).size(), w.ui().VariBox->count());
        QCOMPARE(results.points(Series::C0).front().y(), 0.3333);
        QCOMPARE(results.points(Series::Q).size(), 5);  // a Count! leaves the batch
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

        model.setRun(run(300), 0.4);          // a Count!
        model.setBatch(points(100000, 0.5));  // the same batch again
        QCOMPARE(qHanded.count(), 1);
        QCOMPARE(window.series(Series::LocalCvs)->count(), 300);

        window.close();
        model.setBatch(points(3, 0.25));
        model.setRun(run(20), 0.4);
        QCOMPARE(qHanded.count(), 1);
        QCOMPARE(window.series(Series::LocalCvs)->count(), 300);
        window.show();
        QCOMPARE(q->count(), 3);
        QCOMPARE(window.series(Series::LocalCvs)->count(), 20);
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
