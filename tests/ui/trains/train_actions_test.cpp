// "Read...", "GammaGen!" and "define intervals" clicked in the window, with
// scripted dialogs: what reaches the input train, the boxes, the status
// panels and the message box.
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtTest>
#include <algorithm>
#include <numeric>

#include "ui/dialogs/interval_dialog.hpp"
#include "ui/results/results_window.hpp"
#include "window_fixture.hpp"

using namespace mirvok;
using namespace mirvok::ui;

namespace {

QString dataFile(const char* name) {
    return QStringLiteral(MIRVOK_TEST_DATA "/") + QString::fromUtf8(name);
}

std::size_t flagsSet(const Flags& flags) {
    return static_cast<std::size_t>(std::count(flags.begin(), flags.end(), 1));
}

}  // namespace

class TrainActionsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void read_loads_the_file_grammar_cases_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<std::vector<int>>("steps");
        QTest::addColumn<int>("flags");
        using V = std::vector<int>;
        QTest::newRow("saved list") << "read_saved_list.txt" << V{12, 57, 103} << 3;
        QTest::newRow("trailing comma and line breaks")
            << "read_trailing_comma_line_breaks.txt" << V{12, 57, 103} << 3;
        QTest::newRow("blanks and line breaks only")
            << "read_blanks_and_line_breaks.txt" << V{12, 57, 103} << 3;
        QTest::newRow("stops at a decimal point") << "read_decimal_point.txt" << V{12, 57} << 2;
        QTest::newRow("stops at a blank before a comma")
            << "read_blank_before_comma.txt" << V{12, 57} << 2;
        QTest::newRow("a step twice counts twice, flags once")
            << "read_repeated_step.txt" << V{12, 57, 57, 103} << 3;
        QTest::newRow("unsorted steps are sorted") << "read_unsorted.txt" << V{12, 57, 103} << 3;
    }

    void read_loads_the_file_grammar_cases() {
        QFETCH(QString, file);
        QFETCH(std::vector<int>, steps);
        QFETCH(int, flags);
        Window w;
        w.state.outTrain.assign(2000, 1);
        w.dialogs.openAnswers = {dataFile(file.toUtf8().constData())};
        w.ui().ReadButton->click();

        QCOMPARE(w.state.inSpikeSteps, steps);
        QCOMPARE(w.state.inTrain.size(), std::size_t{2000});
        QCOMPARE(flagsSet(w.state.inTrain), std::size_t(flags));
        QCOMPARE(flagsSet(w.state.outTrain), std::size_t{0});
        const QString path = QFileInfo(dataFile(file.toUtf8().constData())).absoluteFilePath();
        QCOMPARE(w.form.StatusBar().text(0), QString("%1 sps %2").arg(steps.size()).arg(path));
        // The redraw shows the new train.
        QCOMPARE(w.form.StatusBar().text(5), QString("s: %1").arg(steps.size()));
        QVERIFY(w.dialogs.messages.isEmpty());
    }

    // Text that ends the reading is said where it stopped, as the command
    // line says it, in panel 0's tooltip and over the train's intervals;
    // never in a message box.
    void read_says_where_and_why_text_stopped_it() {
        QTemporaryDir dir;
        const QString path = dir.filePath("text.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("12,57,abc,103,400") > 0);
        file.close();
        Window w;
        w.ui().ResultsButton->click();
        w.dialogs.openAnswers = {path};
        w.ui().ReadButton->click();
        const QString said = "reading " + path +
                             " stopped at line 1, column 7, at 'a', which is no part of a step "
                             "number: the train holds the 2 steps read before it";
        QCOMPARE(w.form.StatusBar().text(0), "2 sps " + path);
        QCOMPARE(w.form.StatusBar().panel(0)->toolTip(), "2 sps " + path + "\n" + said);
        const auto* results = w.form.findChild<ResultsWindow*>();
        QTextDocument title;  // in lines as wide as the chart
        title.setHtml(results->view(ResultsModel::Chart::Intervals)->chart()->title());
        const QString shown = title.toPlainText().replace(QChar(0x2028), ' ').replace('\n', ' ');
        QVERIFY2(shown.contains(said), qPrintable(shown));
        QVERIFY(w.dialogs.messages.isEmpty());

        // A file read whole, or a train drawn, has no such note.
        w.dialogs.openAnswers = {dataFile("read_saved_list.txt")};
        w.ui().ReadButton->click();
        QVERIFY(!w.form.StatusBar().panel(0)->toolTip().contains("stopped"));
        QVERIFY(w.form.results().data().trainNote.empty());
    }

    void read_of_a_file_without_numbers_empties_the_train_and_names_it_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("empty") << "read_empty.txt";
        QTest::newRow("text before any number") << "read_garbage.txt";
    }

    void read_of_a_file_without_numbers_empties_the_train_and_names_it() {
        QFETCH(QString, file);
        Window w;
        w.dialogs.openAnswers = {dataFile("read_saved_list.txt"), dataFile(qPrintable(file))};
        w.ui().ReadButton->click();
        w.ui().ReadButton->click();
        QVERIFY(w.state.inSpikeSteps.empty());
        QCOMPARE(flagsSet(w.state.inTrain), std::size_t{0});
        // Panel 0 names the file just read, not the one before it.
        const QString path = QFileInfo(dataFile(qPrintable(file))).absoluteFilePath();
        QCOMPARE(w.form.StatusBar().text(0), "0 sps " + path);
        QCOMPARE(w.form.StatusBar().text(5), QString("s: 0"));
    }

    void read_skips_steps_outside_the_run_and_says_so() {
        Window w;
        w.dialogs.openAnswers = {dataFile("read_outside_run.txt")};
        w.ui().ReadButton->click();
        QCOMPARE(w.state.inSpikeSteps, (std::vector<int>{12, 57}));
        QCOMPARE(w.dialogs.messages, QStringList{"2 spike steps outside 0 to 1999 were skipped"});
        QVERIFY(w.form.StatusBar().text(0).startsWith("2 sps "));
    }

    void read_that_reads_nothing_leaves_the_train_alone_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("message");
        QTest::newRow("cancelled dialog") << QString() << QString();
        QTest::newRow("no such file") << dataFile("no_such_file.txt") << QString();
        QTest::newRow("a folder, not a file")
            << QString(MIRVOK_TEST_DATA)
            << QString("Could not read the file %1")
                   .arg(QFileInfo(QString(MIRVOK_TEST_DATA)).absoluteFilePath());
    }

    void read_that_reads_nothing_leaves_the_train_alone() {
        QFETCH(QString, answer);
        QFETCH(QString, message);
        Window w;
        w.loadRegularTrain(1000, 40);
        const std::vector<int> before = w.state.inSpikeSteps;
        if (!answer.isEmpty()) w.dialogs.openAnswers = {answer};
        w.ui().ReadButton->click();
        QCOMPARE(w.state.inSpikeSteps, before);
        QCOMPARE(flagsSet(w.state.inTrain), before.size());
        QCOMPARE(w.form.StatusBar().text(0), QString("no input"));
        QCOMPARE(w.dialogs.messages, message.isEmpty() ? QStringList() : QStringList{message});
    }

    void read_again_after_cancel_keeps_the_dialog_name() {
        Window w;
        w.dialogs.openAnswers = {dataFile("read_saved_list.txt")};
        w.ui().ReadButton->click();
        w.ui().ReadButton->click();  // cancelled: nothing read
        QCOMPARE(w.dialogs.openStarts.size(), 2);
        QCOMPARE(w.dialogs.openStarts.at(1),
                 QFileInfo(dataFile("read_saved_list.txt")).absoluteFilePath());
    }

    void gamma_at_defaults_writes_2500_and_spikes_near_multiples_of_40() {
        Window w;
        w.ui().GammaButton->click();
        QVERIFY(w.dialogs.messages.isEmpty());
        QCOMPARE(w.ui().shape->text(), QString("2500"));
        const std::vector<int>& steps = w.state.inSpikeSteps;
        QVERIFY(steps.size() >= 45 && steps.size() <= 50);
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const int nearest = 40 * static_cast<int>(i + 1);
            QVERIFY2(std::abs(steps[i] - nearest) < 40, qPrintable(QString::number(steps[i])));
        }
        QVERIFY(std::is_sorted(steps.begin(), steps.end()));
        QCOMPARE(w.form.StatusBar().text(5), QString("s: %1").arg(steps.size()));
    }

    void gamma_writes_the_shape_with_the_locale_separator() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        {
            Window w;
            w.ui().CVedit->setText("2");
            w.ui().GammaButton->click();
            QCOMPARE(w.ui().shape->text(), QString("0,25"));
            w.ui().CVedit->setText("0,5");
            w.ui().GammaButton->click();
            QCOMPARE(w.ui().shape->text(), QString("4"));
            QVERIFY(w.dialogs.messages.isEmpty());
        }
        QLocale::setDefault(QLocale::c());
    }

    void gamma_with_refused_entries_keeps_train_and_shape_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("CV 0") << "CVedit"
                              << "0"
                              << "Floating point division by zero";
        QTest::newRow("CV not a number") << "CVedit"
                                         << "abc"
                                         << "'abc' is not a valid floating point value";
        QTest::newRow("isi not a number") << "isi"
                                          << "2O"
                                          << "'2O' is not a valid floating point value";
        QTest::newRow("isi 0") << "isi"
                               << "0" << QString();
        QTest::newRow("jitter as large as isi") << "isiInt"
                                                << "20" << QString();
    }

    void gamma_with_refused_entries_keeps_train_and_shape() {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        Window w;
        w.loadRegularTrain(1000, 40);
        w.state.outTrain.assign(2000, 0);
        w.state.outTrain[41] = 1;
        const SimState before = w.state;
        const QString shapeBefore = w.ui().shape->text();
        w.form.findChild<QLineEdit*>(box)->setText(text);
        w.ui().GammaButton->click();

        QCOMPARE(w.dialogs.messages.size(), 1);
        if (!message.isEmpty()) QCOMPARE(w.dialogs.messages.front(), message);
        QCOMPARE(w.state.inSpikeSteps, before.inSpikeSteps);
        QCOMPARE(w.state.inTrain, before.inTrain);
        QCOMPARE(w.state.outTrain, before.outTrain);
        if (box == "CVedit") QCOMPARE(w.ui().shape->text(), shapeBefore);
    }

    void gamma_follows_the_defined_intervals_when_ticked() {
        Window w;
        // Two segments: isi 5 ms (10 steps) up to step 999, then 50 ms.
        w.dialogs.dialogScripts = {intervalPass(999, "5", "0.02"),
                                   intervalPass(1999, "50", "0.02")};
        w.ui().newints->click();
        QCOMPARE(w.form.windowState().segments.bounds, (std::vector<int>{0, 999, 1999}));
        QCOMPARE(w.form.windowState().segments.isi, (std::vector<double>{5, 50}));
        QCOMPARE(w.dialogs.dialogsShown, 2);

        w.ui().shape->setText("7");
        w.ui().diffintervals->setChecked(true);
        w.ui().GammaButton->click();
        const auto& s = w.state.inSpikeSteps;
        const auto firstHalf = std::count_if(s.begin(), s.end(), [](int k) { return k <= 999; });
        QVERIFY2(firstHalf >= 95 && firstHalf <= 100, qPrintable(QString::number(firstHalf)));
        QVERIFY(s.size() - firstHalf >= 9 && s.size() - firstHalf <= 10);
        // Segment mode reads no box and leaves the shape alone.
        QCOMPARE(w.ui().shape->text(), QString("7"));
        // The redraw shows the number of intervals.
        QCOMPARE(w.form.StatusBar().text(9), QString("i: 2"));

        // Unticked, the same click is single mode again.
        w.ui().diffintervals->setChecked(false);
        w.ui().GammaButton->click();
        QCOMPARE(w.ui().shape->text(), QString("2500"));
    }

    void gamma_ticked_without_intervals_is_single_mode() {
        Window w;
        w.ui().diffintervals->setChecked(true);
        w.ui().GammaButton->click();
        QCOMPARE(w.ui().shape->text(), QString("2500"));
        QVERIFY(!w.state.inSpikeSteps.empty());
    }

    // Read..., GammaGen! and define intervals make their train or segments
    // for the run length in "time", not for the run of the last Count!.
    void trains_and_segments_follow_the_time_box_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("Read...") << "ReadButton";
        QTest::newRow("GammaGen!") << "GammaButton";
        QTest::newRow("define intervals") << "newints";
    }

    void trains_and_segments_follow_the_time_box() {
        QFETCH(QString, button);
        Window w;
        w.ui().TimeEdit->setText("20000");
        w.dialogs.openAnswers = {dataFile("read_outside_run.txt")};
        w.dialogs.dialogScripts = {intervalPass(39999, "20", "1")};
        w.form.findChild<QPushButton*>(button)->click();
        QCOMPARE(w.state.Nsteps, 40000);
        if (button == "newints") {
            QCOMPARE(w.form.windowState().segments.bounds, (std::vector<int>{0, 39999}));
        } else {
            // Beyond the 2000 steps of the run at start.
            QVERIFY(!w.state.inSpikeSteps.empty());
            QVERIFY(w.state.inSpikeSteps.back() >= 2000);
            QCOMPARE(w.state.inTrain.size(), std::size_t{40000});
        }
    }

    // A long train is drawn with the window's events handled: the window
    // does not freeze, clicks that would start other work are ignored, and
    // a Count! clicked meanwhile runs on the new train once it is drawn.
    void gamma_handles_events_while_it_draws_a_long_train() {
        Window w;
        w.ui().TimeEdit->setText("4000");
        w.ui().CVedit->setText("0.0001");  // thousands of passes per interval
        bool handled = false;
        bool duringDraw = false;
        QTimer::singleShot(0, &w.form, [&] {
            handled = true;
            duringDraw = w.form.loopRunning();
            w.ui().SimulateButton->click();
            w.ui().DoTest->click();
            QCOMPARE(w.state.curStep, 0);
        });
        w.ui().GammaButton->click();
        QVERIFY(handled);
        QVERIFY(duringDraw);
        QVERIFY(!w.form.Timer1().isActive());  // Simulate! was ignored
        QVERIFY(w.state.inSpikeSteps.size() > 190);
        // The panels show one run: the new train's.
        QCOMPARE(w.state.curStep, 8000);
        QCOMPARE(w.form.StatusBar().text(2), QString("st: 8000"));
        QCOMPARE(w.form.StatusBar().text(6), QString("f: %1").arg(w.state.outSpikeSteps.size()));
        QVERIFY(w.dialogs.messages.isEmpty());
    }

    // GammaGen! during a watched run draws the new trains between two of its
    // ticks: the run goes on over them, at the length it started with.
    void gamma_during_a_watched_run_replaces_the_trains_between_ticks() {
        Window w;
        w.loadRegularTrain(1000, 8);
        const std::vector<int> regular = w.state.inSpikeSteps;
        w.ui().SimulateButton->click();
        QTRY_VERIFY(w.state.curStep > 2);
        w.ui().TimeEdit->setText("50");  // not this run's length
        w.ui().GammaButton->click();
        QVERIFY(w.dialogs.messages.isEmpty());
        QCOMPARE(w.state.Nsteps, 2000);
        QVERIFY(w.state.inSpikeSteps != regular);
        QCOMPARE(flagsSet(w.state.inTrain), w.state.inSpikeSteps.size());
        QCOMPARE(w.state.outTrain.size(), std::size_t{2000});
        const int stepAfterDraw = w.state.curStep;
        QVERIFY(w.form.Timer1().isActive());
        QTRY_VERIFY(w.state.curStep > stepAfterDraw);
        w.ui().StopButton->click();
        QVERIFY(w.dialogs.messages.isEmpty());
    }

    void define_intervals_refuses_a_bad_pass_and_asks_again() {
        Window w;
        w.ui().TimeEdit->setText("600");
        w.ui().DoTest->click();  // the reset takes Nsteps 1200 from the box
        QCOMPARE(w.state.Nsteps, 1200);
        w.dialogs.dialogScripts = {intervalPass(400, "20", "1"), intervalPass(800, "20", "0"),
                                   intervalPass(300, "20", "0.5"), intervalPass(800, "20", "0.5"),
                                   intervalPass(1199, "20", "1")};
        w.ui().newints->click();
        QCOMPARE(w.form.windowState().segments.bounds, (std::vector<int>{0, 400, 800, 1199}));
        QCOMPARE(w.form.windowState().segments.shape, (std::vector<double>{1, 4, 1}));
        QCOMPARE(w.dialogs.messages, QStringList{"Floating point division by zero"});
        QCOMPARE(w.form.findChild<TOKBottomDlg*>()->windowTitle(), QString("Define interval: #3"));
        // Defining intervals neither ticks the box nor makes a train.
        QVERIFY(!w.ui().diffintervals->isChecked());
    }
};

QTEST_MAIN(TrainActionsTest)
#include "train_actions_test.moc"
