// The results view: its model fed batches and runs, the window's feeding
// after a batch and a Count!, and saving a chart.
#include "ui/results_model.hpp"

#include <QAbstractItemModelTester>
#include <QTemporaryDir>
#include <QtTest>

#include "ui/results_window.hpp"
#include "window_fixture.hpp"

using namespace mirvok;
using namespace mirvok::ui;

namespace {

std::vector<BatchPoint> points(int n, double q) {
    std::vector<BatchPoint> out;
    for (int i = 0; i < n; ++i) out.push_back({0.01 * i, q, -q});
    return out;
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
    void results_model_stays_valid_across_two_batches() {
        ResultsModel model;
        QAbstractItemModelTester tester(&model.q);
        QVERIFY(model.empty(ResultsModel::Chart::Batch));
        model.setBatch(points(25000, 0.5));
        QVERIFY(model.q.rowCount() <= 10000 && model.q.rowCount() > 8000);
        QCOMPARE(model.data().batchRuns, 25000);
        QCOMPARE(model.meanQ.points().front().y, 0.5);
        model.setBatch(points(3, 0.25));
        QCOMPARE(model.q.rowCount(), 3);
        QCOMPARE(model.meanScore.points().back().y, -0.25);
        QVERIFY(
            model.csv(ResultsModel::Chart::Batch).startsWith("input_cv,q,score\n0,0.25,-0.25\n"));
    }

    void results_follow_a_batch_and_a_count() {
        InTempFolder folder;
        Window w;
        w.ui().ntests->setText("5");
        w.ui().All->click();
        const ResultsModel& results = w.form.results();
        QCOMPARE(results.q.rowCount(), 5);
        // The last run is the one shown: its train was generated.
        QCOMPARE(results.data().intervals.intervals, w.state.inSpikeSteps.size() - 1);
        QVERIFY(!results.density.points().empty());

        w.ui().ReadButton->click();  // cancelled: the train stays
        w.ui().Range->setText("3");
        w.ui().DoTest->click();
        QCOMPARE(sum(results.data().intervals.counts),
                 static_cast<double>(w.state.inSpikeSteps.size() - 1));
        QCOMPARE(results.localCvs.rowCount(), static_cast<int>(w.ui().VariBox->count()));
        QCOMPARE(results.c0.points().front().y, 0.3333);
        QCOMPARE(results.q.rowCount(), 5);  // a Count! leaves the batch
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
