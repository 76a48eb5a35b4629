// The sweep browser: what a choice of column and varied values shows, the
// command of a point, a running sweep followed as it fills in, and that
// looking at a sweep leaves the simulation and every result file alone.
#include "ui/sweeps/sweep_browser.hpp"

#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolTip>
#include <QtCharts/QValueAxis>
#include <QtCharts/QXYSeries>
#include <QtTest>
#include <filesystem>

#include "ui/results/results_window.hpp"
#include "ui/sweeps/point_command.hpp"
#include "ui/sweeps/sweep_line_chart.hpp"
#include "ui/window/ui_text.hpp"
#include "window_fixture.hpp"

using namespace mirvok;
using namespace mirvok::ui;

namespace {

// A sweep of four points over cv and isi, 3 runs each, with its records,
// as version 6.1 of the command line wrote it.
const QString kSweep = QStringLiteral(MIRVOK_TEST_DATA "/../../sweep/data/v6.1/whole");

QString copySweep(const QTemporaryDir& dir) {
    const QString to = dir.filePath(QStringLiteral("s"));
    std::filesystem::copy(toStd(kSweep), toStd(to), std::filesystem::copy_options::recursive);
    return to;
}

// Three varied values of 2, 3 and 2 values, every point there but 9, each
// result column of point p holding 100 p + the column.
SweepTable grid() {
    SweepTable t;
    t.description.vary = {{"a", {1, 2}}, {"b", {10, 20, 30}}, {"c", {5, 6}}};
    t.description.points = 12;
    t.description.iterations = 3;
    for (int p = 0; p < 12; ++p) {
        SweepPointRow row{static_cast<std::uint64_t>(p), 3, {}};
        for (int c = 0; c < 12; ++c) row.results.push_back(100.0 * p + c);
        t.points.push_back(p == 9 ? std::nullopt : std::optional(row));
    }
    return t;
}

std::map<QString, QByteArray> filesIn(const QString& folder) {
    std::map<QString, QByteArray> files;
    for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        QFile file(it.next());
        file.open(QIODevice::ReadOnly);
        files[it.filePath()] = file.readAll();
    }
    return files;
}

}  // namespace

class SweepBrowserTest : public QObject {
    Q_OBJECT
  private slots:
    void lines_and_heat_map_show_the_column_against_the_values_chosen() {
        const SweepTable t = grid();
        // q (column 6) along b, a line per a, c held at its second value.
        const SweepChoice lines = fittedChoice(t.description, {6, false, 1, 0, {0, 0, 1}});
        const std::vector<SweepLine> drawn = sweepLines(t, lines);
        QCOMPARE(drawn.size(), 2U);
        QCOMPARE(drawn[1].second, 2.0);
        std::vector<std::tuple<double, double, double, int, bool>> second;
        for (const SweepPlotPoint& p : drawn[1].points)
            second.emplace_back(p.x, p.value, p.sd, p.point, p.afterGap);
        // a 2 and c 6 along b: points 7, 9 (not there) and 11.
        QCOMPARE(second, (std::vector<std::tuple<double, double, double, int, bool>>{
                             {10, 706, 707, 7, false}, {30, 1106, 1107, 11, true}}));
        QCOMPARE(drawn[0].points.size(), 3U);

        // Heat map of the sd of q: a along x, c along y, b held at 20.
        const SweepChoice heat = fittedChoice(t.description, {7, true, 0, 2, {0, 1, 0}});
        const SweepHeatCells cells = sweepHeatCells(t, heat);
        QCOMPARE(cells.xs, (std::vector<double>{1, 2}));
        QCOMPARE(cells.ys, (std::vector<double>{5, 6}));
        std::vector<int> points;
        for (const SweepCell& cell : cells.cells) points.push_back(cell.point);
        QCOMPARE(points, (std::vector<int>{2, 8, 3, 9}));
        QCOMPARE(*cells.cells[2].value, 307.0);
        QVERIFY(!cells.cells[3].value);
        QCOMPARE(cells.low, 207.0);
        QCOMPARE(cells.high, 807.0);

        // One varied value: lines only; a second equal to x: one line.
        SweepTable one = t;
        one.description.vary.resize(1);
        QVERIFY(!fittedChoice(one.description, {0, true, 0, 1, {}}).heatMap);
        QCOMPARE(fittedChoice(t.description, {0, false, 1, 1, {}}).second, -1);
    }

    // Hovering a point of a line shows its text; a 0-1 axis ticks at round values.
    void the_line_chart_describes_the_point_hovered_and_ticks_round_values() {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        SweepBrowser* browser = SweepBrowser::open(copySweep(dir), dialogs, nullptr);
        browser->choose({6, false, 0, 1, {0, 0}});  // q along cv, a line per isi
        browser->show();
        QVERIFY(QTest::qWaitForWindowExposed(browser));
        auto* chart = browser->findChild<SweepLineChart*>();
        const auto* y = qobject_cast<QValueAxis*>(chart->chart()->axes(Qt::Vertical).front());
        const double tick = (y->max() - y->min()) / (y->tickCount() - 1);
        QVERIFY2(std::abs(tick * 10 - std::round(tick * 10)) < 1e-9,
                 qPrintable(QString::number(tick)));
        QCOMPARE(y->min(), 0.0);

        auto* series = qobject_cast<QXYSeries*>(chart->chart()->series().front());
        const QPointF at = chart->chart()->mapToPosition(series->at(0), series);
        QTest::mouseMove(chart->viewport(), chart->mapFromScene(chart->chart()->mapToScene(at)));
        QTRY_VERIFY(QToolTip::text().contains(QStringLiteral("seed")));
        delete browser;
    }

    void the_command_of_a_point_makes_its_records_again() {
        QTemporaryDir dir;
        // One of an earlier version, and one with segments and a whole-number value varied.
        QProcess::execute(
            QStringLiteral(MIRVOK_CLI),
            QStringLiteral("sweep --vary ign=0,10 --vary gamma1=0.006,0.009 --time 300 "
                           "--segment 300:20:0.3 --segment 599:10:1 --iterations 2 "
                           "--seed 5 --keep-records --quiet --out")
                    .split(' ') +
                QStringList{dir.filePath(QStringLiteral("segments"))});
        for (const QString& sweep : {copySweep(dir), dir.filePath(QStringLiteral("segments"))}) {
            const SweepFolder folder(toStd(sweep));
            const QString command =
                pointCommandLine(*folder.description(), 2, QStringLiteral("again.csv"));
            QVERIFY(command.startsWith(QStringLiteral("mirvok-cli batch ")));
            QProcess shell;
            shell.setWorkingDirectory(dir.path());
            shell.start(QStringLiteral("/bin/sh"),
                        {QStringLiteral("-c"), QStringLiteral(MIRVOK_CLI) + command.mid(10) +
                                                   QStringLiteral(" --quiet")});
            QVERIFY(shell.waitForFinished(60000));
            QCOMPARE(shell.exitCode(), 0);
            QFile again(dir.filePath(QStringLiteral("again.csv")));
            QFile kept(toQt(folder.recordsFile(2)));
            QVERIFY(again.open(QIODevice::ReadOnly) && kept.open(QIODevice::ReadOnly));
            QCOMPARE(again.readAll(), kept.readAll());
        }
    }

    void a_running_sweep_is_shown_as_far_as_it_has_come_and_followed() {
        QTemporaryDir dir;
        const QString s = copySweep(dir);
        QFile::remove(s + QStringLiteral("/summary.csv"));
        QFile::rename(s + QStringLiteral("/points/p-00003.row"),
                      dir.filePath(QStringLiteral("row")));
        ScriptedDialogs dialogs;
        SweepBrowser* browser = SweepBrowser::open(s, dialogs, nullptr);
        QVERIFY(browser);
        QCOMPARE(browser->status(), QStringLiteral("3 of 4 points so far"));
        // The sweep finishes point 3 as it writes its files: beside, then renamed.
        QFile::rename(dir.filePath(QStringLiteral("row")),
                      s + QStringLiteral("/points/p-00003.row"));
        QTRY_COMPARE_WITH_TIMEOUT(browser->table().found(), 4, 5000);
        QCOMPARE(browser->status(), QStringLiteral("4 of 4 points"));
        delete browser;

        QVERIFY(!SweepBrowser::open(dir.path(), dialogs, nullptr));
        QVERIFY(dialogs.messages.last().contains(QStringLiteral("holds no sweep")));
    }

    void looking_at_a_sweep_leaves_the_simulation_and_result_files_alone() {
        InTempFolder here;
        Window w;
        w.ui().ntests->setText(QStringLiteral("3"));
        w.ui().All->click();
        const SimState before = w.state;
        const std::vector<BatchPoint> batch = w.form.results().data().batch;
        QTemporaryDir dir;
        const QString s = copySweep(dir);
        const auto files = filesIn(here.dir.path());
        const auto sweepFiles = filesIn(s);

        w.form.openSweep(s);
        auto* browser = w.form.findChild<SweepBrowser*>();
        QVERIFY(browser);
        browser->choose({6, true, 0, 1, {0, 0}});
        browser->select(2);
        QVERIFY(browser->copyCommand().contains(QStringLiteral("--seed 843700592")));
        ResultsWindow* records = browser->showRecords();
        QVERIFY(records);
        QCOMPARE(records->series(ResultsModel::Series::Q)->count(), 3);
        QVERIFY(browser->saveImage(dir.filePath(QStringLiteral("image.png"))));
        QFile::remove(dir.filePath(QStringLiteral("image.png")));

        QVERIFY(w.state == before);
        QVERIFY(w.form.results().data().batch.size() == batch.size());
        QCOMPARE(filesIn(here.dir.path()), files);
        QCOMPARE(filesIn(s), sweepFiles);
        QVERIFY(w.dialogs.messages.isEmpty());
    }
};

QTEST_MAIN(SweepBrowserTest)
#include "sweep_browser_test.moc"
